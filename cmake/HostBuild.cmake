# What the Windows build takes from a Linux build of the same tree (KAVRIN_HOST_BUILD): the key
# embedding tool, the development keys (so the Windows tests and the Linux kavrin-server they
# talk to agree), the skin archive (its artwork is rendered by librsvg on the host) and the
# server the tests start.
set(KAVRIN_HOST_BUILD "${PROJECT_SOURCE_DIR}/build" CACHE PATH
    "Linux build folder of this tree whose tools, keys, skin and server the Windows build uses")
foreach(needed tools/keyembed/kavrin-keyembed devkeys/rsa_public.pem devkeys/ca.pem)
    if(NOT EXISTS ${KAVRIN_HOST_BUILD}/${needed})
        message(FATAL_ERROR "${KAVRIN_HOST_BUILD}/${needed} is missing: build the host first "
            "(scripts/build-windows does)")
    endif()
endforeach()

set(KAVRIN_DEVKEY_DIR ${KAVRIN_HOST_BUILD}/devkeys)
set(KAVRIN_SKIN_ZIP ${KAVRIN_HOST_BUILD}/skin/skin.zip)

add_executable(kavrin-keyembed IMPORTED)
set_target_properties(kavrin-keyembed PROPERTIES
    IMPORTED_LOCATION ${KAVRIN_HOST_BUILD}/tools/keyembed/kavrin-keyembed)
add_executable(kavrin-server IMPORTED)
set_target_properties(kavrin-server PROPERTIES
    IMPORTED_LOCATION ${KAVRIN_HOST_BUILD}/server/kavrin-server)
add_executable(kavrin-server-broker IMPORTED)
set_target_properties(kavrin-server-broker PROPERTIES
    IMPORTED_LOCATION ${KAVRIN_HOST_BUILD}/tools/server-broker/kavrin-server-broker)
