#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "uikit/draw/Geometry.h"

// The small value languages of markup attributes. Controls, windows and the image descriptor all
// read their values through these, so that "10,10" or "#FF347AEA" mean the same everywhere.
namespace uikit {

// Decimal, leading whitespace allowed, stops at the first non-digit; no number gives 0.
int ParseInt(std::u16string_view text);

// Reads up to `count` numbers, each followed by exactly one separator character; missing
// components stay 0. Returns how many numbers were read.
int ParseIntList(std::u16string_view text, int* values, int count);

Rect ParseRect(std::u16string_view text);
Size ParseSize(std::u16string_view text);
Point ParsePoint(std::u16string_view text);

// Only the exact text "true" is true.
bool ParseBool(std::u16string_view text);

// 0xAARRGGBB in hexadecimal: one leading "#" is skipped and a "0x" prefix accepted. Reading stops
// at the first character that is not a hexadecimal digit; an empty value gives 0.
uint32_t ParseColor(std::u16string_view text);

using AttributeList = std::vector<std::pair<std::u16string, std::u16string>>;

// name="value" pairs separated by exactly one space; the list ends at the first pair not followed
// by a space or at a malformed pair, keeping the pairs read so far.
AttributeList ParseAttributeList(std::u16string_view text);

}  // namespace uikit
