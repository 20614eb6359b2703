#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The folder the server answers from: JSON answer files and the downloadable files under
// "files/", besides the downloads that the catalogue lists and the server makes up. Files are
// read for every request, so the data can be edited while the server runs.
class DataStore {
  public:
    DataStore(std::filesystem::path root, std::string baseUrl)
        : root_(std::move(root)), baseUrl_(std::move(baseUrl)) {}

    // The text of an answer file relative to the root, with {BASE} replaced by the base URL.
    // Nothing when the file is missing or unreadable.
    std::optional<std::string> LoadAnswer(std::string_view relativePath) const;

    // The orders answer of a client: its own file when the id is a safe name and the file
    // exists, else the shared default.
    std::string OrdersFileFor(std::string_view uuid) const;

    // The path of a downloadable file, or nothing for a name that could leave "files/" or that
    // names no regular file.
    std::optional<std::filesystem::path> DownloadPath(std::string_view name) const;

    // The size of a download the server makes up: one that catalog.json lists under this
    // server's "files/". Nothing for a name that DownloadPath would refuse as unsafe, or that the
    // catalogue does not list. Whether a file on disk comes first is the caller's choice.
    std::optional<uint64_t> GeneratedFileSize(std::string_view name) const;

    const std::string& BaseUrl() const { return baseUrl_; }

  private:
    std::filesystem::path root_;
    std::string baseUrl_;
};

// Answer files name download addresses relative to the server itself, whatever port it got.
std::string SubstituteBase(std::string_view text, std::string_view baseUrl);

// Only [A-Za-z0-9_-], non-empty: such a name cannot leave its folder or mean anything special.
bool IsSafeIdentifier(std::string_view name);

// A download name is safe when it is non-empty, has no path separator, no "..", and no control
// byte (a zero byte would cut the name short when it reaches the system).
bool IsSafeDownloadName(std::string_view name);
