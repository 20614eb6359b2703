#pragma once

#include <string>
#include <string_view>

// Folder separators in paths. Paths are made with the system's own separator; on Windows a "/"
// separates folders as well, so a path typed or stored with either is read alike.

#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

template <typename Char>
constexpr bool IsFolderSeparator(Char c) {
    return c == static_cast<Char>(kFolderSeparator) || c == static_cast<Char>('/');
}

// The folder with a separator at its end, as a file name can follow it; empty stays empty.
template <typename Char>
std::basic_string<Char> WithFolderSeparator(std::basic_string<Char> folder) {
    if (!folder.empty() && !IsFolderSeparator(folder.back())) {
        folder += static_cast<Char>(kFolderSeparator);
    }
    return folder;
}

// Where the path's last separator is; npos when it has none.
template <typename Char>
size_t LastFolderSeparator(std::basic_string_view<Char> path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsFolderSeparator(path[i - 1])) {
            return i - 1;
        }
    }
    return std::basic_string_view<Char>::npos;
}
