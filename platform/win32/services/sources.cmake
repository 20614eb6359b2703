# The Win32 services that are not windows, paths relative to platform/. They take the place of
# posix/*.cpp, posix/crash/*, posix/EmbeddedSkin.S with posix/Resource.cpp, and of Profile.cpp
# (win32/services/Profile.cpp defines the same functions over the system's own). The programs
# link kernel32, user32, shell32, ole32, advapi32 and ws2_32; psapi's call is kernel32's here.
set(KAVRIN_WIN32_SERVICE_SOURCES
    win32/services/WideText.cpp
    win32/services/CommandLine.cpp
    win32/services/Clock.cpp
    win32/services/Process.cpp
    win32/services/ChildProcess.cpp
    win32/services/LoopbackStream.cpp
    win32/services/Termination.cpp
    win32/services/SharedLibrary.cpp
    win32/services/ProgramStart.cpp
    win32/services/UserFolders.cpp
    win32/services/LocalFileFolders.cpp
    win32/services/FileReplace.cpp
    win32/services/PrivateFile.cpp
    win32/services/Profile.cpp
    win32/services/CrashFilter.cpp)

# The skin's lookup: FindResourceW of type "ZIPRES", id 131, which the program's .rc file puts
# into the executable. Only the programs that draw windows carry it.
set(KAVRIN_WIN32_RESOURCE_SOURCES
    win32/services/Resource.cpp)

# The download engine's file, disk and socket calls, in place of engine/Files.cpp and
# engine/Sockets.cpp.
set(KAVRIN_WIN32_ENGINE_FILE_SOURCES
    engine/win32/Files.cpp
    engine/win32/BootId.cpp
    engine/win32/Sockets.cpp)
