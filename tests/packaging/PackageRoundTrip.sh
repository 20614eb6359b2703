#!/bin/bash
# The package round trip: builds the kavrin and kavrin-server packages from the build tree,
# installs them with dpkg, runs the installed server as its unit says and the installed client
# on a private X server as an ordinary user, checks that they talked and that the player's files
# went to the player's XDG folders, then purges both and checks nothing of them is left.
#
#     PackageRoundTrip.sh BUILD_DIR
#
# It changes the machine's package database, so it runs only as root and only where neither
# package is installed already; otherwise it says why and is skipped (exit 77).
# KAVRIN_PACKAGE_SCREEN=FILE.png keeps a picture of the client's screen.
set -u

readonly SKIP=77
readonly BUILD_DIR=$(cd "${1:?usage: PackageRoundTrip.sh BUILD_DIR}" && pwd)
readonly PACKAGES="kavrin kavrin-server"
readonly PLAYER=nobody

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: the package round trip installs with dpkg and needs root"
    exit $SKIP
fi
for package in $PACKAGES; do
    if dpkg-query -W -f '${Status}' "$package" 2>/dev/null | grep -q installed; then
        echo "skipped: $package is installed on this machine and is left alone"
        exit $SKIP
    fi
done

WORK=$(mktemp -d)
chmod 0755 "$WORK"
SERVER_PID=
CLIENT_PID=
DISPLAY_PID=

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

stop() {
    if [ -n "$1" ] && kill -0 "$1" 2>/dev/null; then
        kill "$1" 2>/dev/null
        wait "$1" 2>/dev/null
    fi
}

cleanup() {
    stop "$CLIENT_PID"
    stop "$SERVER_PID"
    stop "$DISPLAY_PID"
    for package in $PACKAGES; do
        if dpkg-query -W "$package" >/dev/null 2>&1; then
            dpkg --purge "$package" >/dev/null 2>&1
        fi
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

# Polls a condition (a command) for up to $1 seconds.
poll() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

build_packages() {
    (cd "$WORK" && cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$WORK/out") \
        >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack could not build the packages"; }
    CLIENT_DEB=$(ls "$WORK"/out/kavrin_*.deb 2>/dev/null)
    SERVER_DEB=$(ls "$WORK"/out/kavrin-server_*.deb 2>/dev/null)
    [ -f "$CLIENT_DEB" ] && [ -f "$SERVER_DEB" ] || fail "cpack made $(ls "$WORK"/out)"
    dpkg-deb -f "$CLIENT_DEB" Depends | grep -q libgtk-3 ||
        fail "the client's Depends misses GTK: $(dpkg-deb -f "$CLIENT_DEB" Depends)"
    dpkg-deb -f "$SERVER_DEB" Depends | grep -q libssl ||
        fail "the server's Depends misses OpenSSL: $(dpkg-deb -f "$SERVER_DEB" Depends)"
}

install_packages() {
    dpkg -i "$CLIENT_DEB" "$SERVER_DEB" >"$WORK/dpkg.log" 2>&1 ||
        { cat "$WORK/dpkg.log"; fail "dpkg could not install the packages"; }
    dpkg -L kavrin kavrin-server | sort -u >"$WORK/files"
    for path in /opt/kavrin/kavrin /opt/kavrin/libdlengine.so /opt/kavrin/AutoUpdater \
        /opt/kavrin/ErrorReporter /opt/kavrin/kavrin.ini /usr/share/applications/kavrin.desktop \
        /usr/lib/kavrin-server/kavrin-server /lib/systemd/system/kavrin-server.service \
        /var/lib/kavrin-server/data/catalog.json /usr/share/doc/kavrin-server/examples/nginx-kavrin.conf; do
        [ -e "$path" ] || fail "$path was not installed"
    done
    [ "$(readlink /usr/bin/kavrin)" = /opt/kavrin/kavrin ] || fail "/usr/bin/kavrin does not lead to the client"
    for size in 16 32 48 64 128 256; do
        local icon=/usr/share/icons/hicolor/${size}x${size}/apps/kavrin.png
        [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x${size}" ] ||
            fail "$icon is not a ${size}x${size} picture"
    done
    getent passwd kavrin-server >/dev/null || fail "the server's user was not made"
}

# The server as its unit runs it: the unit's command line, as the unit's user.
start_server() {
    local unit=/lib/systemd/system/kavrin-server.service
    local user command
    user=$(sed -n 's/^User=//p' "$unit")
    command=$(sed -n 's/^ExecStart=//p' "$unit")
    [ "$user" = kavrin-server ] || fail "the unit runs the server as '$user'"
    setpriv --reuid="$user" --regid="$user" --clear-groups -- $command >"$WORK/server.log" 2>&1 &
    SERVER_PID=$!
    poll 20 grep -qs "listening on" "$WORK/server.log" || { cat "$WORK/server.log"; fail "the installed server did not start"; }
}

start_display() {
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 3>"$WORK/display" &
    DISPLAY_PID=$!
    poll 20 test -s "$WORK/display" || fail "Xvfb did not start"
    DISPLAY_NUMBER=$(head -1 "$WORK/display")
}

start_client() {
    local home="$WORK/home"
    mkdir -p "$home"
    chown "$PLAYER" "$home"
    # From the player's home, where a crash would leave its dump.
    cd "$home" || fail "no home for the player"
    setpriv --reuid="$PLAYER" --regid=nogroup --clear-groups -- \
        env -i HOME="$home" DISPLAY=":$DISPLAY_NUMBER" PATH=/usr/bin:/bin LANG=C.UTF-8 \
        kavrin >"$WORK/client.log" 2>&1 &
    CLIENT_PID=$!
    cd - >/dev/null || true
}

catalogue_asked() {
    grep -qs "/common/gameInfoData.* 200" "$WORK/server.log"
}

check_player_files() {
    local home="$WORK/home"
    poll 20 test -s "$home/.config/kavrin/kavrin.ini" || fail "no settings in the player's config folder"
    grep -q '^uuid=' "$home/.config/kavrin/kavrin.ini" || fail "the player's settings hold no client id"
    [ "$(stat -c %a "$home/.config/kavrin")" = 700 ] || fail "the player's settings folder is not private"
    [ "$(stat -c %a "$home/.local/share/kavrin")" = 700 ] || fail "the player's data folder is not private"
    local changed
    changed=$(dpkg --verify kavrin)
    [ -z "$changed" ] || fail "the client changed files of its package: $changed"
    [ ! -e /opt/kavrin/gameList.dat ] || fail "the player's record went into the program folder"
}

screen_drawn() {
    DISPLAY=":$DISPLAY_NUMBER" import -window root "$KAVRIN_PACKAGE_SCREEN" 2>/dev/null &&
        [ "$(identify -format %k "$KAVRIN_PACKAGE_SCREEN")" -gt 100 ]
}

keep_screen() {
    if [ -n "${KAVRIN_PACKAGE_SCREEN:-}" ]; then
        poll 20 screen_drawn || echo "the client's window did not show on the screen" >&2
    fi
}

purge_and_check() {
    stop "$CLIENT_PID"
    CLIENT_PID=
    stop "$SERVER_PID"
    SERVER_PID=
    dpkg --purge kavrin kavrin-server >"$WORK/purge.log" 2>&1 || { cat "$WORK/purge.log"; fail "dpkg could not purge"; }
    local left=
    while read -r path; do
        # Folders the system shares with other packages stay; anything of ours must go.
        if [ -e "$path" ] && ! [ -d "$path" ] || [[ -d "$path" && "$path" == *kavrin* ]]; then
            left="$left $path"
        fi
    done <"$WORK/files"
    [ -z "$left" ] || fail "left behind:$left"
    for path in /opt/kavrin /var/lib/kavrin-server /etc/kavrin-server /usr/lib/kavrin-server; do
        [ ! -e "$path" ] || fail "$path is left behind"
    done
    ! getent passwd kavrin-server >/dev/null || fail "the server's user is left behind"
    ! getent group kavrin-server >/dev/null || fail "the server's group is left behind"
}

build_packages
install_packages
start_server
start_display
start_client
poll 60 catalogue_asked || { cat "$WORK/server.log" "$WORK/client.log"; fail "the installed client never asked the installed server for the catalogue"; }
check_player_files
kill -0 "$CLIENT_PID" 2>/dev/null || fail "the client ended: $(cat "$WORK/client.log")"
keep_screen
purge_and_check
echo "the packages install, run together and purge without a trace"
