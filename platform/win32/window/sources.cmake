# The window system on Win32, paths relative to platform/. Links with user32, gdi32, shell32,
# ole32 and uuid.
set(KAVRIN_WIN32_WINDOW_SOURCES
    win32/window/Win32Windows.cpp
    win32/window/Win32Events.cpp
    win32/window/Win32Present.cpp
    win32/window/Win32Dialogs.cpp
    win32/window/Win32Shell.cpp
    win32/window/Win32SingleInstance.cpp)
