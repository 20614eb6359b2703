#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "context/AppContext.h"
#include "context/EmbeddedKeys.h"
#include "context/PostToMainWindow.h"
#include "platform/WindowPost.h"

namespace {

TEST(AppContext, ProgramPathsSitBesideTheExecutable) {
    AppContext context;
    ComposeProgramPaths(context, u"/opt/kavrin/kavrin");
    EXPECT_TRUE(context.pathsFit);
    EXPECT_EQ(context.programDir, u"/opt/kavrin/");
    EXPECT_EQ(context.settingsPath, u"/opt/kavrin/kavrin.ini");
    EXPECT_EQ(context.updaterPath, u"/opt/kavrin/AutoUpdater");
    EXPECT_EQ(context.recordPath, u"/opt/kavrin/gameList.dat");
    EXPECT_EQ(context.reporterPath, u"/opt/kavrin/ErrorReporter");
}

TEST(AppContext, AFolderTooLongForItsFilesIsRefused) {
    AppContext context;
    ComposeProgramPaths(context, u"/" + std::u16string(250, u'a') + u"/kavrin");
    EXPECT_FALSE(context.pathsFit);
    EXPECT_TRUE(context.settingsPath.empty());
    EXPECT_TRUE(context.recordPath.empty());
    ComposeProgramPaths(context, u"/" + std::u16string(200, u'a') + u"/kavrin");
    EXPECT_TRUE(context.pathsFit);
    EXPECT_LT(context.recordPath.size(), kPathCapacity);
    EXPECT_LT(context.reporterPath.size(), kPathCapacity);
    // Room for the record's name but not for the crash-report program's.
    ComposeProgramPaths(context, u"/" + std::u16string(241, u'a') + u"/kavrin");
    EXPECT_FALSE(context.pathsFit);
    EXPECT_TRUE(context.reporterPath.empty());
}

TEST(AppContext, TheEmbeddedKeyBecomesAnRsa1024PublicKeyPem) {
    EXPECT_EQ(std::strlen(kScrambledPublicKeyBase64), 364u);
    const std::string& pem = ProcessContext().publicKeyPem;
    EXPECT_EQ(pem.size(), 271u);
    EXPECT_EQ(pem.rfind("-----BEGIN PUBLIC KEY-----\n", 0), 0u);
    BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    EVP_PKEY* key = PEM_read_bio_PUBKEY(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(EVP_PKEY_get_bits(key), 1024);
    EVP_PKEY_free(key);
    EXPECT_EQ(ProcessContext().programDir.back(), u'/');
}

TEST(PostToMainWindow, WaitsForTheMainWindowAndThenPostsOnce) {
    AppContext context;
    std::atomic<int> received{0};
    platform::PostedMessage last;
    platform::RegisterMessageSink(77, [&](const platform::PostedMessage& m) {
        last = m;
        ++received;
    });
    std::thread worker([&] { PostToMainWindow(1144, 1, 0, context); });
    // Longer than the worker's half-second look at the context: it has looked and found no
    // window at least once, and must not have posted anywhere.
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_EQ(received.load(), 0);
    const auto published = std::chrono::steady_clock::now();
    context.mainWindow = 77;
    worker.join();
    const auto waited = std::chrono::steady_clock::now() - published;
    EXPECT_EQ(received.load(), 1);
    EXPECT_EQ(last.message, 1144u);
    EXPECT_EQ(last.wParam, 1u);
    EXPECT_LT(waited, std::chrono::milliseconds(1500));
    platform::UnregisterMessageSink(77);
}

}  // namespace
