#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

// How fast one download answer may go, and what tells it the server is stopping.
struct TransferPace {
    uint64_t bytesPerSecond = 0;  // 0: as fast as the connection takes it
    const std::atomic<bool>* stopping = nullptr;
};

// Holds one transfer to its pace by waiting, before each piece, until the bytes already sent are
// due. The clock starts at the first piece, so time spent setting up the answer is not counted.
// Waits go in short steps: a slow transfer must not keep a stopping server from ending.
class TransferPacer {
  public:
    explicit TransferPacer(TransferPace pace) : pace_(pace) {}

    // How much to send at a time: at low rates a full piece would make the transfer a series of
    // long pauses and bursts.
    size_t PieceSize() const;

    // Waits until sent bytes are due. False, at once, when the server is stopping.
    bool WaitUntilDue(uint64_t sent);

  private:
    bool Stopping() const;

    TransferPace pace_;
    std::optional<std::chrono::steady_clock::time_point> start_;
};
