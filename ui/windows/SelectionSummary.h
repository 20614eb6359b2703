#pragma once

#include <cstdint>
#include <string>

// The line under the selection window's file list: how many files are ticked and how large they
// are together. Up to 1024 MB the size is whole megabytes, above it gigabytes with two decimals.
std::u16string SummaryText(int count, int64_t totalMB);
