#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "server/TransferPacer.h"

namespace {

using Clock = std::chrono::steady_clock;

TEST(ServerTransferPacerTest, HoldsBytesBackUntilTheyAreDue) {
    TransferPacer pacer({1024 * 1024, nullptr});
    EXPECT_TRUE(pacer.WaitUntilDue(0));
    const auto started = Clock::now();
    EXPECT_TRUE(pacer.WaitUntilDue(200 * 1024));
    // 200 KiB at 1 MiB/s are due about 195 ms after the first piece.
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(180));
    // Low rates go out in small pieces rather than one burst a second.
    EXPECT_LE(TransferPacer({1000, nullptr}).PieceSize(), 100u);
    EXPECT_GE(TransferPacer({1, nullptr}).PieceSize(), 1u);
    EXPECT_GE(TransferPacer({0, nullptr}).PieceSize(), 16u * 1024);
}

TEST(ServerTransferPacerTest, GivesUpWhenTheServerStops) {
    std::atomic<bool> stopping{false};
    TransferPacer pacer({1000, &stopping});
    EXPECT_TRUE(pacer.WaitUntilDue(0));
    stopping = true;
    // Due in a minute: a pacer that kept waiting would fail by answering true much later.
    EXPECT_FALSE(pacer.WaitUntilDue(60 * 1000));
    TransferPacer unpaced({0, &stopping});
    EXPECT_FALSE(unpaced.WaitUntilDue(0));
}

}  // namespace
