#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "context/DownloadRecord.h"

// "gameList.dat", the downloads list kept across runs: a JSON object whose "array" holds one
// object per row, in list order, with the record's fields as members. Text is narrow (UTF-8
// here) and written as it is, never as \u escapes.
namespace DownEngine {

// The records of a file's text, in order. Anything that cannot be read gives nothing: text
// that is not JSON, a top level that is not an object, an "array" that is missing or not an
// array. An element that is not an object is skipped; a member of another type than its field
// reads as empty (0 for numbers). A download that was running or paused when the file was
// written comes back as failed, so it offers to download again.
std::vector<std::unique_ptr<DownloadRecord>> ParseDownloadedGames(std::string_view text);

// The file's text for the records. A status of downloading or paused is written as failed: a
// later run has no task to continue them with.
std::string FormatDownloadedGames(const std::vector<const DownloadRecord*>& records);

// Reading and writing the file itself. A missing or unreadable file reads as no records.
// Saving replaces the file in one step (see platform::ReplaceFileContent); false when the file
// could not be written, with the old one left whole.
std::vector<std::unique_ptr<DownloadRecord>> LoadDownloadedGames(std::u16string_view path);
bool SaveDownloadedGames(std::u16string_view path,
                         const std::vector<const DownloadRecord*>& records);

}  // namespace DownEngine
