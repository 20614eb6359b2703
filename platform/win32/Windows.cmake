# The platform libraries of the Windows build, with the same names and roles as on Linux. The
# Win32 parts list their own sources (win32/*/sources.cmake, paths relative to platform/).
include(${CMAKE_CURRENT_LIST_DIR}/services/sources.cmake)

add_library(kavrin_platform STATIC WindowPost.cpp ChildOutputLines.cpp RemoteChildProcess.cpp
    ${KAVRIN_WIN32_SERVICE_SOURCES})
kavrin_target(kavrin_platform)
target_link_libraries(kavrin_platform PUBLIC kavrin_common Threads::Threads
    kernel32 user32 shell32 ole32 advapi32 ws2_32 version)

# The text engine behind platform/TextShaper.h, which the control library draws with; on Linux
# that library brings Pango itself.
include(${CMAKE_CURRENT_LIST_DIR}/text/sources.cmake)
add_library(kavrin_platform_text STATIC ${KAVRIN_WIN32_TEXT_SOURCES})
kavrin_target(kavrin_platform_text)
target_link_libraries(kavrin_platform_text PUBLIC kavrin_platform PRIVATE gdi32)

# The window system.
include(${CMAKE_CURRENT_LIST_DIR}/window/sources.cmake)
add_library(kavrin_platform_ui STATIC
    ${KAVRIN_PORTABLE_WINDOW_SOURCES}
    ${KAVRIN_WIN32_WINDOW_SOURCES})
kavrin_target(kavrin_platform_ui)
target_link_libraries(kavrin_platform_ui PUBLIC kavrin_platform kavrin_platform_text
    PRIVATE gdi32 comctl32 comdlg32 msimg32 uuid)

# The skin archive as resource "ZIPRES" 131 of the programs that draw windows; windres reads
# the archive, so the resource is rebuilt when the archive changes.
set(KAVRIN_SKIN_RC ${CMAKE_CURRENT_BINARY_DIR}/EmbeddedSkin.rc)
file(WRITE ${KAVRIN_SKIN_RC}.in "131 ZIPRES \"@KAVRIN_SKIN_ZIP@\"\n")
configure_file(${KAVRIN_SKIN_RC}.in ${KAVRIN_SKIN_RC} @ONLY)
# Objects, not an archive: nothing calls into the resource, so the linker would leave it out of
# an archive and the program would find no skin.
add_library(kavrin_platform_resources OBJECT ${KAVRIN_WIN32_RESOURCE_SOURCES} ${KAVRIN_SKIN_RC})
kavrin_target(kavrin_platform_resources)
target_link_libraries(kavrin_platform_resources PUBLIC kavrin_platform)
set_source_files_properties(${KAVRIN_SKIN_RC} PROPERTIES OBJECT_DEPENDS ${KAVRIN_SKIN_ZIP})

# The download engine's file and disk calls, apart from the client's platform library as on Linux.
add_library(kavrin_engine_files STATIC ${KAVRIN_WIN32_ENGINE_FILE_SOURCES})
kavrin_target(kavrin_engine_files)
target_link_libraries(kavrin_engine_files PRIVATE kernel32 ws2_32)

# What the Windows tests ask of the system directly (platform/win32/testing/): injected input,
# the screen's pixels, the system's own facts, files held open, posts from another program.
add_library(kavrin_win32_testing STATIC
    win32/testing/Input.cpp
    win32/testing/ScreenPixels.cpp
    win32/testing/SystemFacts.cpp
    win32/testing/HeldFile.cpp
    win32/testing/WindowPosts.cpp)
kavrin_target(kavrin_win32_testing)
target_link_libraries(kavrin_win32_testing PUBLIC kavrin_platform PRIVATE user32 gdi32)
