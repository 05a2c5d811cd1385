#include "App/Services/ICloudSync.h"

#include "App/Services/SyncPayload.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryFolderWatcher.h"
#include "platform/memory/MemoryUserDefaults.h"
#include "tests/App/Services/SharedHotKeys.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace ondravell;
using namespace std::chrono_literals;
using ondravell::testing::readText;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;
namespace fs = std::filesystem;

namespace {

// One machine: its own container, defaults, clock and watches, sharing the cloud folder.
struct Machine {
    fs::path container;
    platform::MemoryUserDefaults defaults;
    platform::ManualOneShotTimers timers;
    platform::MemoryFolderWatcher watcher;
    std::vector<std::string> toasts;
    ICloudSync sync;

    Machine(const fs::path& root, const char* name, const fs::path& cloud)
        : container(root / name),
          sync({&defaults, &timers, &watcher,
                [this] { return 1'800'000'000.0 + timers.now().count() / 1000.0; },
                [this](const std::string& message, const std::string&) { toasts.push_back(message); },
                container, cloud}) {
        defaults.setBool(ICloudSync::enabledKey, true);
    }

    fs::path supportFolder() const { return container / "Library/Application Support"; }
    ConfigBundleStore store() const { return ConfigBundleStore(container); }
    // An edit as the settings page makes it, with the event the folder watch would give.
    void setMaxCopySize(std::int64_t megabytes) {
        ConfigBundle bundle = store().current();
        bundle.settings.maxCopyFileSizeMB = megabytes;
        store().apply(bundle);
        watcher.changed(supportFolder());
    }
};

class ICloudSyncTest : public ::testing::Test {
protected:
    TemporaryFolder root;
    fs::path cloud = root / "cloud";
    Machine a{root.path, "a", cloud};
    Machine b{root.path, "b", cloud};
    fs::path syncFile = cloud / "Ondravell/Ondravell-sync.json";

    void SetUp() override { fs::create_directories(cloud); }
};

} // namespace

TEST_F(ICloudSyncTest, DoesNothingWhenSwitchedOffOrWithoutTheCloudFolder) {
    a.defaults.setBool(ICloudSync::enabledKey, false);
    a.sync.start();
    a.sync.push();
    EXPECT_FALSE(fs::exists(cloud / "Ondravell"));

    Machine elsewhere(root.path, "c", root / "no-cloud");
    elsewhere.sync.start();
    EXPECT_TRUE(elsewhere.watcher.watchedPaths().empty());
    EXPECT_FALSE(elsewhere.defaults.doubleForKey(ICloudSync::lastAtKey));
}

TEST_F(ICloudSyncTest, FirstStartWritesTheFileAndWatchesWhereTheConfigurationLives) {
    a.sync.start();
    auto payload = SyncPayload::decode(readText(syncFile));
    ASSERT_TRUE(payload);
    EXPECT_EQ(payload->bundle, a.store().current());
    EXPECT_EQ(payload->updatedAt, 1'800'000'000.0 - 978'307'200.0);
    EXPECT_EQ(a.defaults.doubleForKey(ICloudSync::lastAtKey), 1'800'000'000.0);
    EXPECT_TRUE(a.toasts.empty());
    auto watched = a.watcher.watchedPaths();
    for (const fs::path& path :
         {a.supportFolder(), a.supportFolder() / "template-icons", cloud / "Ondravell", syncFile})
        EXPECT_NE(std::find(watched.begin(), watched.end(), path), watched.end()) << path;
}

TEST_F(ICloudSyncTest, ABurstOfChangesPushesOnceTwoSecondsAfterTheLastAndStopCancelsIt) {
    a.sync.start();
    for (int i = 0; i < 3; ++i) {
        a.setMaxCopySize(20 + i);
        a.timers.advance(500ms);
    }
    EXPECT_NE(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 22);
    a.timers.advance(1499ms);
    EXPECT_TRUE(a.sync.isPushPending());
    a.timers.advance(1ms);
    EXPECT_EQ(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 22);

    a.setMaxCopySize(30);
    a.timers.advance(1s);
    a.sync.stop();
    a.timers.advance(5s);
    EXPECT_EQ(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 22);

    // Started again, a change still waiting at quit is written then.
    a.sync.start();
    a.setMaxCopySize(31);
    a.sync.pushPendingChange();
    EXPECT_EQ(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 31);
}

TEST_F(ICloudSyncTest, AnEditOnOneMachineIsAppliedOnTheOtherAndNeitherPushesAgain) {
    test::SharedHotKeys::setUp([this] { return b.store().current().settings; });
    ASSERT_TRUE(test::SharedHotKeys::keys().registeredIDs().empty());
    a.sync.start();
    b.sync.start();
    ConfigBundle withHotKey = a.store().current();
    withHotKey.settings = test::SharedHotKeys::withCopyPathHotKey(withHotKey.settings);
    a.store().apply(withHotKey);
    a.setMaxCopySize(42);
    a.timers.advance(2s);
    const std::string written = readText(syncFile);

    b.watcher.changed(cloud / "Ondravell");
    EXPECT_EQ(b.store().current().settings.maxCopyFileSizeMB, 42);
    EXPECT_EQ(b.toasts, std::vector<std::string>{"已从 iCloud 同步配置"});
    EXPECT_EQ(test::SharedHotKeys::keys().registeredIDs().size(), 1u);

    // The pull's own writes, and A hearing about its own push, change nothing.
    b.watcher.changed(b.supportFolder());
    b.timers.advance(3s);
    a.watcher.changed(cloud / "Ondravell");
    EXPECT_EQ(readText(syncFile), written);
    EXPECT_TRUE(a.toasts.empty());
    test::SharedHotKeys::settings() = nullptr;
}

TEST_F(ICloudSyncTest, IgnoresAFileCutShortOrWithoutItsDateUntilItIsWhole) {
    b.setMaxCopySize(7);
    std::string whole = *SyncPayload{1, b.store().current()}.encode();
    b.setMaxCopySize(8);
    fs::create_directories(syncFile.parent_path());
    writeText(syncFile, whole.substr(0, whole.size() / 2));
    a.sync.pullIfNewer();
    writeText(syncFile, R"({"bundle":)" + *b.store().current().encode() + "}");
    a.sync.pullIfNewer();
    EXPECT_TRUE(a.toasts.empty());
    writeText(syncFile, whole);
    a.sync.pullIfNewer();
    EXPECT_EQ(a.store().current().settings.maxCopyFileSizeMB, 7);
}

TEST_F(ICloudSyncTest, AFailedWriteIsNotCountedAsSynced) {
    fs::create_directories(syncFile / "in-the-way");
    a.sync.push();
    EXPECT_FALSE(a.defaults.doubleForKey(ICloudSync::lastAtKey));
    fs::remove_all(syncFile);
    a.sync.push();
    EXPECT_TRUE(SyncPayload::decode(readText(syncFile)));
    EXPECT_TRUE(a.defaults.doubleForKey(ICloudSync::lastAtKey));
}
