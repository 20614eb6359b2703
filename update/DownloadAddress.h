#pragma once

#include <optional>
#include <string>
#include <string_view>

// The address a file of the version answer is fetched from: "baseurl" and the file's "url"
// joined as JoinDownloadAddress does. What it fetches replaces programs, so the answer may only
// name files on the base's own server: nothing for an empty base, a base that is no http or
// https address, a url that is an address of its own (a scheme, or "//" and a host), or a join
// that lands on another host, port or user than the base names ("@host" or ".other" tricks).
// A plain http address is only good for an entry whose bytes a SHA-256 proves
// (withDigest): a CRC-32 from the answer does not protect bytes that anyone on the way could
// have replaced.
std::optional<std::string> DownloadAddress(std::string_view baseUrl, std::string_view url,
                                           bool withDigest);
