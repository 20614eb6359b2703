#include "engine/ConnectionRamp.h"

#include <algorithm>

namespace dlengine {

namespace {

// When each connection moves less than this, the path limits them one by one (a throttle per
// connection, a long distance) and the task opens all it may.
constexpr int64_t kFastConnection = 48 * 1024 * 1024;
constexpr auto kRampWindow = std::chrono::milliseconds(200);
// Extra connections beyond each task's first stop at this many for the whole engine.
constexpr int kSharedTransferCap = 64;

void RestartWindow(ConnectionRamp& ramp, Clock::time_point now, int64_t fetched) {
    ramp.windowStart = now;
    ramp.fetchedAtWindowStart = fetched;
}

}  // namespace

int AdvanceRamp(ConnectionRamp& ramp, Clock::time_point now, int64_t fetched,
                size_t openConnections) {
    if (ramp.allowed >= kMostTaskConnections) {
        return ramp.allowed;
    }
    if (ramp.windowStart == Clock::time_point{}) {
        RestartWindow(ramp, now, fetched);
        return ramp.allowed;
    }
    // With nothing open there is no speed per connection to judge: the window runs on.
    const auto elapsed = now - ramp.windowStart;
    if (elapsed < kRampWindow || openConnections == 0) {
        return ramp.allowed;
    }
    const double seconds = std::chrono::duration<double>(elapsed).count();
    const double perConnection = static_cast<double>(fetched - ramp.fetchedAtWindowStart) /
                                 seconds / static_cast<double>(openConnections);
    if (perConnection < static_cast<double>(kFastConnection)) {
        ramp.allowed = kMostTaskConnections;
    }
    RestartWindow(ramp, now, fetched);
    return ramp.allowed;
}

// Every request to a server that fails, drops or ignores ranges at random risks the bytes in
// flight; fewer, longer requests risk fewer of them.
int ConnectionLimit(int configured, int ramped, bool serverMisbehaved) {
    const int limit = std::min(std::clamp(configured, 1, kMostTaskConnections), ramped);
    return serverMisbehaved ? std::min(limit, kMisbehavingServerConnections) : limit;
}

// A task's first connection never waits for others, so no task starves behind busy ones.
bool EngineAllowsAnother(int taskOpen, int engineOpen) {
    return taskOpen == 0 || engineOpen < kSharedTransferCap;
}

OpeningMode ChooseOpening(const OpeningFacts& facts) {
    if (!facts.sizeKnown) {
        return facts.anyOpen ? OpeningMode::kNothing : OpeningMode::kProbe;
    }
    // Until a range answer arrives, or when the server sends the whole file to every request,
    // a second connection would fetch the same bytes again.
    if (facts.anyOpen && (!facts.rangesConfirmed || facts.singleStream)) {
        return OpeningMode::kNothing;
    }
    return facts.rangesConfirmed ? OpeningMode::kSegments : OpeningMode::kOneSegment;
}

}  // namespace dlengine
