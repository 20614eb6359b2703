#include <gtest/gtest.h>

#include "tests/engine/EngineHarness.h"
#include "tests/support/TestServer.h"

namespace {

constexpr const char* kFile = "ra2-republic.zip";

std::string ServedFile() {
    return ReadWholeFile(std::string(KAVRIN_SERVER_DATA_DIR) + "/files/" + kFile);
}

class HttpsDownloadTest : public EngineTest {
  protected:
    TestServer server_;
};

TEST_F(HttpsDownloadTest, VerifiesTheServerAgainstTheGivenAuthority) {
    const std::u16string ca = AnsiToUtf16(std::string(KAVRIN_DEVKEY_DIR) + "/ca.pem");
    ASSERT_EQ(DL_SetCaFile(ca.c_str()), 1);
    const DL_TaskHandle task = StartTask(server_.baseUrl() + "files/" + kFile, kFile);
    const EngineTaskReport report = WaitFor(task, Settled);
    ASSERT_EQ(report.state, DL_STATE_COMPLETE) << "error " << report.errorCode;
    EXPECT_EQ(Sha256(Saved(kFile)), Sha256(ServedFile()));
}

TEST_F(HttpsDownloadTest, RefusesAServerItCannotVerify) {
    const DL_TaskHandle task = StartTask(server_.baseUrl() + "files/" + kFile, kFile);
    const EngineTaskReport report = WaitFor(task, Settled);
    EXPECT_EQ(report.state, DL_STATE_ERROR);
    EXPECT_EQ(report.errorCode, DL_ERROR_TLS);
}

}  // namespace
