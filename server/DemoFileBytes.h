#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The content of a download that the server makes up instead of reading it from disk. Byte i of
// the file called name depends on name and i alone, so any range is made without the bytes
// before it, and a test can check a downloaded file without keeping a copy.
void FillDemoFileBytes(std::string_view name, uint64_t offset, char* out, size_t length);

// The same bytes as a string, for tests and tools.
std::string DemoFileBytes(std::string_view name, uint64_t offset, size_t length);
