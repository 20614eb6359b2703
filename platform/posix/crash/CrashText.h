#pragma once

#include <cstddef>
#include <cstdint>

// Text over fixed buffers, for the code that runs inside the crash filter: no allocation, no
// locale, nothing a signal handler may not call.
namespace platform::crash {

// Copies text into out with its terminator; false, leaving out empty, when it does not fit.
bool CopyText(const char* text, char* out, size_t capacity);

// Appends text to the terminated text in out; false, leaving out unchanged, when it does not fit.
bool AppendText(const char* text, char* out, size_t capacity);

// Reads an unsigned number in that base (10 or 16) from text up to end and moves text past it;
// false when text does not start with a digit.
bool ReadNumber(const char*& text, const char* end, unsigned base, uint64_t& value);

// Moves text past the spaces at it.
void SkipSpaces(const char*& text, const char* end);

bool SameText(const char* a, const char* b);

}  // namespace platform::crash
