# The platform tests of the Windows build. ProfileWin32Tests takes the place of ProfileTests.cpp,
# which checks the UTF-8 files of the portable implementation.
kavrin_test(kavrin_platform_tests
    SOURCES win32/CommandLineTests.cpp win32/ProfileWin32Tests.cpp win32/FileServicesTests.cpp
        win32/ProcessServicesTests.cpp
    LIBS kavrin_platform kavrin_win32_testing)
kavrin_test(kavrin_engine_file_tests
    SOURCES win32/EngineFilesTests.cpp
    LIBS kavrin_engine_files)

# The window cases against the in-memory window system and against Win32 itself, driven by
# injected input.
kavrin_test(kavrin_window_tests
    SOURCES WindowBehaviour.cpp WindowBehaviourTests.cpp WindowFrameTests.cpp
        headless/HeadlessWindowSuite.cpp headless/HeadlessWindowTests.cpp core/RegionTests.cpp
        core/FrameGeometryTests.cpp
    LIBS kavrin_platform_ui)
# Alone: under Wine the test programs share one display, and injected input goes to whichever
# window is under the pointer.
kavrin_test(kavrin_desktop_window_tests SERIAL
    SOURCES WindowBehaviour.cpp WindowBehaviourTests.cpp WindowFrameTests.cpp
        win32/Win32WindowSuite.cpp win32/Win32ScreenTests.cpp
    LIBS kavrin_platform_ui kavrin_win32_testing)

# The system text engine, and a sheet of its samples to look at.
kavrin_test(kavrin_text_shaper_tests
    SOURCES win32/text/GdiTextShaperTests.cpp
    LIBS kavrin_platform_ui)
add_executable(kavrin-text-sheet win32/text/TextSheet.cpp)
kavrin_target(kavrin-text-sheet)
target_link_libraries(kavrin-text-sheet PRIVATE kavrin_platform_ui PkgConfig::STB)
