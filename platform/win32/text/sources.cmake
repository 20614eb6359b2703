# The Win32 text engine behind platform/TextShaper.h, paths relative to platform/. Links gdi32.
set(KAVRIN_WIN32_TEXT_SOURCES
    win32/text/GdiCoverage.cpp
    win32/text/GdiFontHandles.cpp
    win32/text/GdiTextShaper.cpp)
