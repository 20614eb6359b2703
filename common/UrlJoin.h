#pragma once

#include <string>
#include <string_view>

// The address of a file that the version answer lists: its "baseurl" followed by the file's
// "url", with one slash between them when both bring one. The client and the reference server
// must agree on it, or the server would describe a file other than the one fetched.
std::string JoinDownloadAddress(std::string_view baseUrl, std::string_view url);
