#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "context/AppContext.h"
#include "context/EmbeddedKeys.h"
#include "context/PostToMainWindow.h"
#include "platform/Process.h"
#include "platform/WindowPost.h"

namespace {

// A folder in the system's own spelling, its separator last: "/opt/kavrin/" here and
// "C:\opt\kavrin\" on Windows.
std::u16string SystemFolder(std::initializer_list<std::u16string_view> names) {
    std::u16string folder = platform::kPathSeparator == u'/' ? u"/" : u"C:\\";
    for (std::u16string_view name : names) {
        folder += name;
        folder += platform::kPathSeparator;
    }
    return folder;
}

std::u16string Program(std::u16string_view name) {
    return std::u16string(name) + std::u16string(platform::kProgramSuffix);
}

TEST(AppContext, ProgramPathsSitBesideTheExecutable) {
    AppContext context;
    const std::u16string folder = SystemFolder({u"opt", u"kavrin"});
    ComposeProgramPaths(context, folder + Program(u"kavrin"));
    EXPECT_TRUE(context.pathsFit);
    EXPECT_EQ(context.programDir, folder);
    EXPECT_EQ(context.settingsPath, folder + u"kavrin.ini");
    EXPECT_EQ(context.updaterPath, folder + Program(u"AutoUpdater"));
    EXPECT_EQ(context.recordPath, folder + u"gameList.dat");
    EXPECT_EQ(context.reporterPath, folder + Program(u"ErrorReporter"));
}

TEST(AppContext, AFolderTooLongForItsFilesIsRefused) {
    // A folder of the given length, separators included.
    const auto folderOf = [](size_t size) {
        const std::u16string root = SystemFolder({});
        return SystemFolder({std::u16string(size - root.size() - 1, u'a')});
    };
    // The crash-report program's is the longest name put in the folder.
    const size_t full = kPathCapacity - Program(u"ErrorReporter").size();
    AppContext context;
    ComposeProgramPaths(context, folderOf(full + 9) + Program(u"kavrin"));
    EXPECT_FALSE(context.pathsFit);
    EXPECT_TRUE(context.settingsPath.empty());
    EXPECT_TRUE(context.recordPath.empty());
    ComposeProgramPaths(context, folderOf(full - 50) + Program(u"kavrin"));
    EXPECT_TRUE(context.pathsFit);
    EXPECT_LT(context.recordPath.size(), kPathCapacity);
    EXPECT_LT(context.reporterPath.size(), kPathCapacity);
    // Room for the record's name but not for the crash-report program's.
    ComposeProgramPaths(context, folderOf(full) + Program(u"kavrin"));
    EXPECT_FALSE(context.pathsFit);
    EXPECT_TRUE(context.reporterPath.empty());
    ComposeProgramPaths(context, folderOf(full - 1) + Program(u"kavrin"));
    EXPECT_TRUE(context.pathsFit);
    EXPECT_EQ(context.reporterPath.size(), kPathCapacity - 1);
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
    EXPECT_EQ(ProcessContext().programDir.back(), platform::kPathSeparator);
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
