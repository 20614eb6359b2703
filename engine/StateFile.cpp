#include "engine/StateFile.h"

#include <sstream>

namespace dlengine {

namespace {

constexpr const char* kMagic = "kavrin-dlengine-state";
constexpr int kVersion = 1;
// Far more pieces than the planner ever leaves; a bound on what one read may allocate.
constexpr int64_t kMaxRanges = 1000000;

void EncodeRanges(std::ostringstream& out, const char* key, const RangeSet& ranges) {
    out << key << ' ' << ranges.spans().size();
    for (const auto& [first, end] : ranges.spans()) {
        out << ' ' << first << '-' << end;
    }
    out << '\n';
}

// Ranges are written merged and in order, so anything else was not written by us. The count is
// checked against what the file has room for before it drives the loop.
bool DecodeRanges(std::istringstream& in, const char* key, int64_t fileSize, RangeSet& ranges) {
    std::string word;
    int64_t count = 0;
    if (!(in >> word >> count) || word != key || count < 0 || count > kMaxRanges ||
        count > fileSize / 2 + 1) {
        return false;
    }
    int64_t previousEnd = -1;
    for (int64_t i = 0; i < count; ++i) {
        int64_t first = 0;
        int64_t end = 0;
        char dash = 0;
        if (!(in >> first >> dash >> end) || dash != '-' || first < 0 || first <= previousEnd ||
            end <= first || end > fileSize) {
            return false;
        }
        ranges.Add({first, end});
        previousEnd = end;
    }
    return true;
}

}  // namespace

std::string EncodeTaskState(const TaskState& state) {
    std::ostringstream out;
    out << kMagic << ' ' << kVersion << '\n';
    out << "size " << state.fileSize << '\n';
    out << "boot " << (state.bootId.empty() ? "-" : state.bootId) << '\n';
    EncodeRanges(out, "done", state.done);
    EncodeRanges(out, "synced", state.synced);
    out << "end\n";
    return out.str();
}

std::optional<TaskState> DecodeTaskState(const std::string& text) {
    std::istringstream in(text);
    std::string word;
    int version = 0;
    TaskState state;
    if (!(in >> word >> version) || word != kMagic || version != kVersion) {
        return std::nullopt;
    }
    if (!(in >> word >> state.fileSize) || word != "size" || state.fileSize <= 0 ||
        state.fileSize > kLargestFileSize) {
        return std::nullopt;
    }
    if (!(in >> word >> state.bootId) || word != "boot") {
        return std::nullopt;
    }
    if (state.bootId == "-") {
        state.bootId.clear();
    }
    if (!DecodeRanges(in, "done", state.fileSize, state.done) ||
        !DecodeRanges(in, "synced", state.fileSize, state.synced)) {
        return std::nullopt;
    }
    // The closing word proves the file was not cut short.
    if (!(in >> word) || word != "end") {
        return std::nullopt;
    }
    return state;
}

RangeSet TrustedRanges(const TaskState& state, const std::string& currentBootId) {
    const bool sameBoot = !state.bootId.empty() && state.bootId == currentBootId;
    return sameBoot ? state.done : state.synced;
}

}  // namespace dlengine
