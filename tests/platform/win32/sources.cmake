# The Windows-only platform tests, paths relative to tests/. ProfileWin32Tests takes the place
# of platform/ProfileTests.cpp, which checks the UTF-8 files of the portable implementation;
# EngineFilesTests links the engine's file calls, the others the platform library.
set(KAVRIN_WIN32_PLATFORM_TEST_SOURCES
    platform/win32/CommandLineTests.cpp
    platform/win32/ProfileWin32Tests.cpp
    platform/win32/FileServicesTests.cpp
    platform/win32/ProcessServicesTests.cpp)
set(KAVRIN_WIN32_ENGINE_FILE_TEST_SOURCES
    platform/win32/EngineFilesTests.cpp)
