# The Windows build (cmake/mingw-w64-x86_64.cmake with the prefix of scripts/build-windows-deps).
# Every dependency there is a static library, so each is linked with what its pkg-config file
# names for static linking; the targets keep the names the Linux build's folders link.
function(kavrin_static_package name module)
    pkg_check_modules(${name} REQUIRED ${module})
    add_library(PkgConfig::${name} INTERFACE IMPORTED)
    set_target_properties(PkgConfig::${name} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${${name}_STATIC_INCLUDE_DIRS}"
        INTERFACE_COMPILE_OPTIONS "${${name}_STATIC_CFLAGS_OTHER}"
        INTERFACE_LINK_LIBRARIES "${${name}_STATIC_LDFLAGS}")
endfunction()

# The static archives name none of the system libraries they call (OpenSSL, and curl through
# it), and cairo's are built with the checked string functions of libssp: these go last on
# every link line, after whatever archive needs them. libssp from its archive, so that no DLL
# of the compiler's has to go beside the programs.
set(CMAKE_C_STANDARD_LIBRARIES "-l:libssp.a -lws2_32 -lcrypt32 -luser32 -ladvapi32 ${CMAKE_C_STANDARD_LIBRARIES}")
set(CMAKE_CXX_STANDARD_LIBRARIES "-l:libssp.a -lws2_32 -lcrypt32 -luser32 -ladvapi32 ${CMAKE_CXX_STANDARD_LIBRARIES}")

kavrin_static_package(JSONCPP jsoncpp)
kavrin_static_package(LIBZIP libzip)
kavrin_static_package(CAIRO cairo)
# A static cairo must not mark its functions as imported from a DLL.
set_property(TARGET PkgConfig::CAIRO APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS
    CAIRO_WIN32_STATIC_BUILD)

# stb is header-only: the host's headers serve the cross build as they are. Debian's package
# brings its image decoder compiled for Linux; here it is compiled once from the header.
find_path(KAVRIN_STB_INCLUDE stb_image.h PATHS /usr/include/stb NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(KAVRIN_STB_SOURCE ${CMAKE_BINARY_DIR}/StbImage.c)
file(WRITE ${KAVRIN_STB_SOURCE} "#define STB_IMAGE_IMPLEMENTATION\n#include <stb_image.h>\n")
add_library(kavrin_stb_image STATIC ${KAVRIN_STB_SOURCE})
target_include_directories(kavrin_stb_image SYSTEM PUBLIC ${KAVRIN_STB_INCLUDE})
add_library(PkgConfig::STB ALIAS kavrin_stb_image)

# cpp-httplib, for the tests' own HTTP servers, is its source's whole header in the prefix.
find_file(KAVRIN_HTTPLIB_HEADER httplib.h PATHS ${KAVRIN_WINDOWS_DEPS}/include NO_DEFAULT_PATH
    REQUIRED)
add_library(PkgConfig::HTTPLIB INTERFACE IMPORTED)

# The wide-character system calls throughout; windows.h without its rarely used parts and
# without the min/max macros that clash with std::min and std::max.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# Every folder builds for Windows; of server/ only what the client's tests take. The test
# folders run under Wine so far are these: ui/, app/ and tools/ tests are still to come.
set(KAVRIN_WINDOWS_FOLDERS common platform context api catalog update engine download server
    uikit ui app tools packaging tests)
set(KAVRIN_WINDOWS_TEST_FOLDERS common platform api context catalog update engine download uikit
    packaging)

# Test programs run under Wine, one prefix for the whole ctest run (scripts/wine-run).
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run)
set(KAVRIN_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
