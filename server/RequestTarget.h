#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reading the parts of a request target: its path and its query parameters.
namespace RequestTarget {

using Params = std::vector<std::pair<std::string, std::string>>;

// The client's base URL ends with "/" and some of its paths begin with one, so it asks for
// "//client/..."; a run of leading slashes counts as one.
std::string CollapseLeadingSlashes(std::string_view path);

// Undoes %XX escapes. "+" stays "+": Base64 uses it, and the client escapes its own anyway.
// A "%" not followed by two hex digits is kept as it is.
std::string PercentDecode(std::string_view text);

// Splits "a=b&c=d" into decoded pairs, in order; a piece without "=" has an empty value.
Params ParseQuery(std::string_view query);

// The first value of name, if any.
std::optional<std::string> Find(const Params& params, std::string_view name);

// The query part of a raw request target ("/path?query"), empty when there is none.
std::string_view QueryOf(std::string_view target);

}  // namespace RequestTarget
