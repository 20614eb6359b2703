# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers of the posix thread model, so
# std::thread and std::mutex work as on Linux.
#
# KAVRIN_WINDOWS_DEPS names the prefix scripts/build-windows-deps fills; every library is
# searched there and in the MinGW sysroot (zlib), never on the Linux host.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_kavrin_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_kavrin_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_kavrin_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_kavrin_triplet}-windres)
set(CMAKE_AR ${_kavrin_triplet}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${_kavrin_triplet}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT KAVRIN_WINDOWS_DEPS)
    if(DEFINED ENV{KAVRIN_WINDOWS_DEPS})
        set(KAVRIN_WINDOWS_DEPS "$ENV{KAVRIN_WINDOWS_DEPS}")
    else()
        set(KAVRIN_WINDOWS_DEPS "$ENV{HOME}/.cache/kavrin-windows-deps")
    endif()
endif()
set(KAVRIN_WINDOWS_DEPS "${KAVRIN_WINDOWS_DEPS}" CACHE PATH "prefix of the cross-built dependencies")
# try_compile projects run this file again without the cache: hand the prefix on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KAVRIN_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH "${KAVRIN_WINDOWS_DEPS}" /usr/${_kavrin_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib is the MinGW sysroot's (libz-mingw-w64-dev); its pkg-config file is found beside the prefix's.
set(ENV{PKG_CONFIG_LIBDIR} "${KAVRIN_WINDOWS_DEPS}/lib/pkgconfig:/usr/${_kavrin_triplet}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# The programs and the engine DLL carry libgcc, libstdc++ and winpthread inside them, so a
# Windows folder needs no MinGW DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
