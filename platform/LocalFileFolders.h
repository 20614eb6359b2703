#pragma once

#include <string>

// Where the client keeps the files it writes for the player: the settings file and the record
// of downloads. Paths are UTF-8 and end with "/".
namespace platform {

struct LocalFileFolders {
    std::string settings;       // holds "kavrin.ini"
    std::string data;           // holds "gameList.dat"
    bool besideProgram = true;  // false for the user's own XDG folders
};

// What the decision reads from the environment; empty members stand for unset variables.
struct UserFolderEnvironment {
    std::string home;
    std::string configHome;  // XDG_CONFIG_HOME
    std::string dataHome;    // XDG_DATA_HOME
};

// A copy unpacked into a folder its user may write keeps everything beside the program, as it
// always has. A system-wide install (a program folder the user may not write) keeps them in
// $XDG_CONFIG_HOME/kavrin/ and $XDG_DATA_HOME/kavrin/, which default to ~/.config and
// ~/.local/share; relative XDG values are ignored, as the XDG rules ask. Without a home folder
// the files stay beside the program. programDir ends with "/".
LocalFileFolders ChooseLocalFileFolders(const std::string& programDir, bool programDirWritable,
                                        const UserFolderEnvironment& environment);

// The same decision for this process: its environment, and whether this user may write the
// program's folder.
LocalFileFolders LocalFileFoldersOf(const std::string& programDir);

// Makes the folder and any missing parents, each new one readable by this user alone (0700):
// settings and the list of downloads are nobody else's business. True when it is a folder
// afterwards.
bool MakePrivateFolders(const std::string& folder);

}  // namespace platform
