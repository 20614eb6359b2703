#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/EngineClock.h"

namespace dlengine {

// No task holds more connections than this, whatever the settings ask for.
constexpr int kMostTaskConnections = 16;
// Connections start few: on a fast path more of them only compete for the processor and the
// disk.
constexpr int kFirstConnections = 1;

// How many connections a task may hold, and the window in which it measures their speed.
struct ConnectionRamp {
    int allowed = kFirstConnections;
    Clock::time_point windowStart{};
    int64_t fetchedAtWindowStart = 0;
};

// The connections the task may hold now. fetched counts every byte the task has received, and
// openConnections are the ones that moved them during the window.
int AdvanceRamp(ConnectionRamp& ramp, Clock::time_point now, int64_t fetched,
                size_t openConnections);
// Connections a task keeps once its server failed a request, dropped one or ignored a range.
constexpr int kMisbehavingServerConnections = 1;

// The configured number per task, held within what a task may have and what the ramp allows,
// and to one while the server misbehaves.
int ConnectionLimit(int configured, int ramped, bool serverMisbehaved);
// Whether the engine as a whole has room for one more connection of a task holding taskOpen.
bool EngineAllowsAnother(int taskOpen, int engineOpen);

// What a task may open on this tick, given what it knows of the file and the server.
enum class OpeningMode {
    kNothing,     // wait for the answer of what is open
    kProbe,       // one first piece, to learn the size and whether ranges work
    kOneSegment,  // ranges are not known to work yet: one connection at a time
    kSegments,    // as many as the limit allows
};

struct OpeningFacts {
    bool sizeKnown = false;
    bool rangesConfirmed = false;
    bool singleStream = false;  // the server ignores ranges and sends the whole file
    bool anyOpen = false;
};

OpeningMode ChooseOpening(const OpeningFacts& facts);

}  // namespace dlengine
