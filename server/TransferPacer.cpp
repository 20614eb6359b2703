#include "server/TransferPacer.h"

#include <algorithm>
#include <thread>

namespace {

constexpr size_t kLargestPiece = 64 * 1024;
// Pieces per second at low rates: often enough that the pace looks even to a progress display.
constexpr uint64_t kPiecesPerSecond = 16;
constexpr auto kLongestWait = std::chrono::milliseconds(50);

}  // namespace

size_t TransferPacer::PieceSize() const {
    if (pace_.bytesPerSecond == 0) {
        return kLargestPiece;
    }
    return static_cast<size_t>(
        std::clamp<uint64_t>(pace_.bytesPerSecond / kPiecesPerSecond, 1, kLargestPiece));
}

bool TransferPacer::WaitUntilDue(uint64_t sent) {
    using Clock = std::chrono::steady_clock;
    if (!start_) {
        start_ = Clock::now();
    }
    if (pace_.bytesPerSecond == 0) {
        return !Stopping();
    }
    const auto due =
        *start_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                      static_cast<double>(sent) / static_cast<double>(pace_.bytesPerSecond)));
    for (auto now = Clock::now(); now < due; now = Clock::now()) {
        if (Stopping()) {
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(due - now, kLongestWait));
    }
    return !Stopping();
}

bool TransferPacer::Stopping() const {
    return pace_.stopping != nullptr && pace_.stopping->load();
}
