#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "server/DemoFileBytes.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/TestServer.h"

namespace {

constexpr const char* kFile = "ra2-republic.zip";
// Not a whole number of the engine's or the server's pieces, so the last one is short.
constexpr size_t kFileSize = 3 * 1024 * 1024 + 12345;

// A data folder of the test's own whose catalogue lists one file for the server to make up.
class ServedData {
  public:
    ServedData() {
        WriteWholeFile(dir_ / "catalog.json",
                       R"({"status":"SUCCESS","gameInfos":[{"packages":[{"url":"{BASE}files/)" +
                           std::string(kFile) + R"(","bytes":)" + std::to_string(kFileSize) +
                           "}]}]}");
    }
    std::vector<std::string> Options() const { return {"--data", dir_.path().string()}; }

  private:
    TempDir dir_;
};

class HttpsDownloadTest : public EngineTest {
  protected:
    ServedData data_;
    TestServer server_{data_.Options()};
};

TEST_F(HttpsDownloadTest, VerifiesTheServerAgainstTheGivenAuthority) {
    const std::u16string ca = AnsiToUtf16(std::string(KAVRIN_DEVKEY_DIR) + "/ca.pem");
    ASSERT_EQ(DL_SetCaFile(ca.c_str()), 1);
    const DL_TaskHandle task = StartTask(server_.baseUrl() + "files/" + kFile, kFile);
    const EngineTaskReport report = WaitFor(task, Settled);
    ASSERT_EQ(report.state, DL_STATE_COMPLETE) << "error " << report.errorCode;
    EXPECT_EQ(Sha256(Saved(kFile)), Sha256(DemoFileBytes(kFile, 0, kFileSize)));
}

TEST_F(HttpsDownloadTest, RefusesAServerItCannotVerify) {
    const DL_TaskHandle task = StartTask(server_.baseUrl() + "files/" + kFile, kFile);
    const EngineTaskReport report = WaitFor(task, Settled);
    EXPECT_EQ(report.state, DL_STATE_ERROR);
    EXPECT_EQ(report.errorCode, DL_ERROR_TLS);
}

}  // namespace
