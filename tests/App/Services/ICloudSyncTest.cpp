#include "App/Services/ICloudSync.h"

#include "App/Services/SyncPayload.h"
#include "core/Support/AtomicFile.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryFolderWatcher.h"
#include "platform/memory/MemoryUserDefaults.h"
#include "tests/App/Services/SharedHotKeys.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <algorithm>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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
    fs::path cloud;
    std::unique_ptr<ICloudSync> sync;
    // Runs once right after this machine's next write of the sync file landed.
    std::function<void()> afterNextWrite;

    Machine(const fs::path& root, const char* name, const fs::path& cloudFolder)
        : container(root / name), cloud(cloudFolder) {
        restart();
        defaults.setBool(ICloudSync::enabledKey, true);
    }

    // The program quit (without a pending push) and started again: only the defaults and files remain.
    void restart() {
        sync.reset();
        sync = std::make_unique<ICloudSync>(ICloudSync::Services{
            &defaults, &timers, &watcher, [this] { return now(); },
            [this](const std::string& message, const std::string&) { toasts.push_back(message); }, container,
            cloud,
            [this](const fs::path& file, std::string_view bytes, FileIdentity* written) {
                const bool ok = writeFileAtomically(file, bytes, true, written);
                if (auto after = std::exchange(afterNextWrite, nullptr))
                    after();
                return ok;
            }});
    }
    double now() const { return 1'800'000'000.0 + timers.now().count() / 1000.0; }

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
    a.sync->start();
    a.sync->push();
    EXPECT_FALSE(fs::exists(cloud / "Ondravell"));

    Machine elsewhere(root.path, "c", root / "no-cloud");
    elsewhere.sync->start();
    EXPECT_TRUE(elsewhere.watcher.watchedPaths().empty());
    EXPECT_FALSE(elsewhere.defaults.doubleForKey(ICloudSync::lastAtKey));
}

TEST_F(ICloudSyncTest, FirstStartWritesTheFileAndWatchesWhereTheConfigurationLives) {
    a.sync->start();
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
    a.sync->start();
    for (int i = 0; i < 3; ++i) {
        a.setMaxCopySize(20 + i);
        a.timers.advance(500ms);
    }
    EXPECT_NE(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 22);
    a.timers.advance(1499ms);
    EXPECT_TRUE(a.sync->isPushPending());
    a.timers.advance(1ms);
    EXPECT_EQ(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 22);

    a.setMaxCopySize(30);
    a.timers.advance(1s);
    a.sync->stop();
    a.timers.advance(5s);
    EXPECT_EQ(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 22);

    // Started again, a change still waiting at quit is written then.
    a.sync->start();
    a.setMaxCopySize(31);
    a.sync->pushPendingChange();
    EXPECT_EQ(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 31);
    // So is an edit whose watch event has not come yet.
    ConfigBundle unseen = a.store().current();
    unseen.settings.maxCopyFileSizeMB = 32;
    a.store().apply(unseen);
    a.sync->pushPendingChange();
    EXPECT_EQ(SyncPayload::decode(readText(syncFile))->bundle.settings.maxCopyFileSizeMB, 32);
}

TEST_F(ICloudSyncTest, AnEditOnOneMachineIsAppliedOnTheOtherAndNeitherPushesAgain) {
    test::SharedHotKeys::setUp([this] { return b.store().current().settings; });
    ASSERT_TRUE(test::SharedHotKeys::keys().registeredIDs().empty());
    a.sync->start();
    b.sync->start();
    ConfigBundle withHotKey = a.store().current();
    withHotKey.settings = test::SharedHotKeys::withCopyPathHotKey(withHotKey.settings);
    a.store().apply(withHotKey);
    a.setMaxCopySize(42);
    a.timers.advance(2s);
    const std::string written = readText(syncFile);

    b.watcher.changed(cloud / "Ondravell");
    EXPECT_EQ(b.store().current().settings.maxCopyFileSizeMB, 42);
    EXPECT_EQ(b.toasts, std::vector<std::string>{"已从云盘同步配置"});
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
    a.sync->pullIfNewer();
    writeText(syncFile, R"({"bundle":)" + *b.store().current().encode() + "}");
    a.sync->pullIfNewer();
    EXPECT_TRUE(a.toasts.empty());
    writeText(syncFile, whole);
    a.sync->pullIfNewer();
    EXPECT_EQ(a.store().current().settings.maxCopyFileSizeMB, 7);
}

TEST_F(ICloudSyncTest, AFailedWriteIsNotCountedAsSynced) {
    fs::create_directories(syncFile / "in-the-way");
    a.sync->push();
    EXPECT_FALSE(a.defaults.doubleForKey(ICloudSync::lastAtKey));
    fs::remove_all(syncFile);
    a.sync->push();
    EXPECT_TRUE(SyncPayload::decode(readText(syncFile)));
    EXPECT_TRUE(a.defaults.doubleForKey(ICloudSync::lastAtKey));
}

namespace {

std::int64_t cloudSize(const fs::path& syncFile) {
    auto payload = SyncPayload::decode(readText(syncFile));
    return payload ? payload->bundle.settings.maxCopyFileSizeMB : -1;
}

void blockWrites(const fs::path& file) {
    fs::remove_all(file);
    fs::create_directories(file / "in-the-way");
}

void setModified(const fs::path& file, double secondsSince1970) {
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(secondsSince1970);
    times[0].tv_nsec = times[1].tv_nsec = 0;
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

} // namespace

TEST_F(ICloudSyncTest, AChangeWhosePushFailedIsKeptAcrossARestartAndPushedWhenTheFolderTakesIt) {
    a.sync->start();
    const std::string older = readText(syncFile);
    blockWrites(syncFile);
    a.timers.advance(1s);
    a.setMaxCopySize(601);
    a.timers.advance(2s);
    EXPECT_TRUE(a.sync->failed());

    // Restarted with the older file back in place: the change is pushed, not replaced by the file.
    a.restart();
    fs::remove_all(syncFile);
    writeText(syncFile, older);
    a.sync->start();
    EXPECT_EQ(a.store().current().settings.maxCopyFileSizeMB, 601);
    EXPECT_EQ(cloudSize(syncFile), 601);
    EXPECT_FALSE(a.sync->failed());
    EXPECT_TRUE(a.toasts.empty());
}

namespace {

// Counts the temporaries that writes of the sync file make in its folder.
class TemporariesMade {
public:
    explicit TemporariesMade(const fs::path& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE);
    }
    ~TemporariesMade() { ::close(fd_); }
    int count() {
        alignas(inotify_event) char buffer[4096];
        ssize_t got;
        while ((got = ::read(fd_, buffer, sizeof buffer)) > 0)
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                count_ += event->len && std::string_view(event->name).starts_with(".Ondravell-sync.json.");
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        return count_;
    }

private:
    int fd_;
    int count_ = 0;
};

// While it lives, a write past the first bytes of a file fails as on a full disk.
class FullDisk {
public:
    FullDisk() {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &before_);
        rlimit tiny{16, before_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FullDisk() { ::setrlimit(RLIMIT_FSIZE, &before_); }

private:
    rlimit before_{};
};

} // namespace

TEST_F(ICloudSyncTest, AFailedPushIsTriedAgainOnItsTimerNotByTheEventsOfItsOwnAttempt) {
    a.sync->start();
    const fs::path folder = cloud / "Ondravell";
    for (bool fullDisk : {true, false}) {
        const std::int64_t size = fullDisk ? 602 : 603;
        TemporariesMade temporaries(folder);
        a.setMaxCopySize(size);
        {
            std::optional<FullDisk> full;
            if (fullDisk)
                full.emplace();
            else
                blockWrites(syncFile);
            a.timers.advance(2s);
            // What the folder watch reports for the temporaries made and removed.
            for (int i = 0; i < 10; ++i)
                a.watcher.changed(folder);
        }
        EXPECT_LE(temporaries.count(), 1) << fullDisk;
        EXPECT_TRUE(a.sync->failed()) << fullDisk;
        // With room again, the change goes at the retry.
        if (!fullDisk)
            fs::remove_all(syncFile);
        a.watcher.changed(folder);
        EXPECT_NE(cloudSize(syncFile), size) << fullDisk;
        a.timers.advance(ICloudSync::retryDelay);
        EXPECT_EQ(cloudSize(syncFile), size) << fullDisk;
        EXPECT_FALSE(a.sync->failed()) << fullDisk;
    }
}

TEST_F(ICloudSyncTest, AFileThatStaysUnreadablePastARetryIsReportedAndNeverWrittenOver) {
    a.sync->start();
    const std::string whole = readText(syncFile);
    auto atItsPlace = [&] {
        return fs::is_directory(syncFile) ? std::string("a folder") : readText(syncFile);
    };
    struct Case {
        const char* what;
        std::function<void()> spoil;
    } cases[] = {
        {"cut mid-write", [&] { writeText(syncFile, whole.substr(0, whole.size() / 2)); }},
        {"a folder in its place", [&] { blockWrites(syncFile); }},
    };
    std::int64_t size = 800;
    for (const Case& c : cases) {
        c.spoil();
        const std::string spoiled = atItsPlace();
        a.watcher.changed(cloud / "Ondravell");
        // Seen once, it can be a write still going on.
        EXPECT_TRUE(a.sync->failed()) << c.what;
        EXPECT_FALSE(a.sync->syncFileUnreadable()) << c.what;
        a.setMaxCopySize(++size);
        a.timers.advance(ICloudSync::retryDelay + 2s);
        EXPECT_TRUE(a.sync->syncFileUnreadable()) << c.what;
        EXPECT_EQ(atItsPlace(), spoiled) << c.what;

        // Once it is removed, sync goes on.
        fs::remove_all(syncFile);
        a.timers.advance(ICloudSync::retryDelay);
        EXPECT_FALSE(a.sync->failed()) << c.what;
        EXPECT_FALSE(a.sync->syncFileUnreadable()) << c.what;
        EXPECT_EQ(cloudSize(syncFile), size) << c.what;
    }
}

TEST_F(ICloudSyncTest, TurningSyncOnKeepsWhicheverOfTheFileAndTheLocalConfigurationIsNewer) {
    ConfigBundle cloudBundle = a.store().current();
    cloudBundle.settings.maxCopyFileSizeMB = 42;
    // After the files' own times, which are the real clock's.
    const double pushedAt = static_cast<double>(std::time(nullptr)) + 86'400;
    struct Case {
        const char* name;
        double localChangeAt;
        std::int64_t expected;
    } cases[] = {{"older", pushedAt - 60, 42}, {"newer", pushedAt + 60, 7}};
    for (const Case& c : cases) {
        fs::create_directories(syncFile.parent_path());
        writeText(syncFile, *SyncPayload{pushedAt - SyncPayload::referenceDateOffset, cloudBundle}.encode());
        Machine second(root.path, c.name, cloud);
        ConfigBundle own = second.store().current();
        own.settings.maxCopyFileSizeMB = 7;
        second.store().apply(own);
        setModified(second.supportFolder() / "settings.v1.json", c.localChangeAt);
        second.sync->start();
        EXPECT_EQ(second.store().current().settings.maxCopyFileSizeMB, c.expected) << c.name;
        EXPECT_EQ(cloudSize(syncFile), c.expected) << c.name;
    }
}

TEST_F(ICloudSyncTest, AMachineThatCannotApplyTheFileNeverWritesOverIt) {
    const fs::path bTemplates = b.supportFolder() / "custom-templates.json";
    struct Case {
        const char* what;
        std::function<void()> arrange;
    } cases[] = {
        {"a file of another format",
         [&] { writeText(syncFile, R"({"updatedAt":1,"bundle":{"version":"2"}})"); }},
        {"a configuration that cannot be written here",
         [&] {
             a.timers.advance(10s);
             a.setMaxCopySize(42);
             a.sync->push();
             blockWrites(bTemplates);
         }},
    };
    fs::create_directories(syncFile.parent_path());
    for (const Case& c : cases) {
        c.arrange();
        const std::string before = readText(syncFile);
        b.sync->start();
        b.setMaxCopySize(9);
        b.timers.advance(2s);
        EXPECT_EQ(readText(syncFile), before) << c.what;
        EXPECT_TRUE(b.sync->failed()) << c.what;
        EXPECT_NE(b.store().current().settings.maxCopyFileSizeMB, 42) << c.what;
    }
    // Once it can be written here, the file is applied.
    fs::remove_all(bTemplates);
    b.timers.advance(ICloudSync::retryDelay);
    EXPECT_EQ(b.store().current().settings.maxCopyFileSizeMB, 42);
}

TEST_F(ICloudSyncTest, AnIconTheOtherMachineWouldRefuseIsLeftOutAndTheRestArrives) {
    FileTemplate withIcon{"t", "我的", "txt", "", false, "doc", false, "pic.gif"};
    fs::create_directories(a.supportFolder() / "template-icons");
    writeText(a.supportFolder() / "template-icons/pic.gif", "GIF89a not a PNG");
    ConfigBundle bundle = a.store().current();
    bundle.customTemplates = {withIcon};
    bundle.settings.maxCopyFileSizeMB = 42;
    a.store().apply(bundle);
    a.sync->start();
    b.sync->start();
    EXPECT_EQ(b.store().current().customTemplates, std::vector<FileTemplate>{withIcon});
    EXPECT_EQ(b.store().current().settings.maxCopyFileSizeMB, 42);
    EXPECT_EQ(cloudSize(syncFile), 42);
}

TEST_F(ICloudSyncTest, TheSyncFileIsWatchedAgainWhenItComesBackAfterBeingRemovedOrReplaced) {
    a.sync->start();
    auto fileWatches = [&] {
        auto paths = a.watcher.watchedPaths();
        return std::count(paths.begin(), paths.end(), syncFile);
    };
    fs::remove(syncFile);
    fs::create_directories(syncFile);
    a.watcher.changed(cloud / "Ondravell");
    EXPECT_EQ(fileWatches(), 0);

    ConfigBundle other = a.store().current();
    for (std::int64_t size : {9, 10}) {
        other.settings.maxCopyFileSizeMB = size;
        fs::remove_all(syncFile);
        writeText(syncFile, *SyncPayload{a.now() - SyncPayload::referenceDateOffset + 1, other}.encode());
        // Back under its name, then rewritten in place.
        a.watcher.changed(size == 9 ? cloud / "Ondravell" : syncFile);
        EXPECT_EQ(fileWatches(), 1);
        EXPECT_EQ(a.store().current().settings.maxCopyFileSizeMB, size);
    }
}

TEST_F(ICloudSyncTest, AFileRenamedOverOursRightAfterOurPushIsAppliedEvenWhenItsEventIsMissed) {
    a.sync->start();
    b.sync->start();
    for (int round = 0; round < 30; ++round) {
        const std::int64_t ours = 1000 + 2 * round, theirs = ours + 1;
        // B's edit lands in the cloud folder just after A's push renamed A's file in.
        b.setMaxCopySize(theirs);
        a.afterNextWrite = [&] { b.sync->pushPendingChange(); };
        a.setMaxCopySize(ours);
        a.timers.advance(ICloudSync::pushDelay);
        ASSERT_EQ(cloudSize(syncFile), theirs) << round;
        // A hears of it through the folder watch, or, when that event was lost, at its next look.
        if (round % 2 == 0)
            a.watcher.changed(cloud / "Ondravell");
        else
            a.timers.advance(ICloudSync::retryDelay);
        b.watcher.changed(cloud / "Ondravell");
        EXPECT_EQ(a.store().current().settings.maxCopyFileSizeMB, theirs) << round;
        EXPECT_EQ(b.store().current().settings.maxCopyFileSizeMB, theirs) << round;
        EXPECT_EQ(cloudSize(syncFile), theirs) << round;
    }
}

TEST_F(ICloudSyncTest, SyncGoesOnAtTheFolderEventOnceAnUnreadableFileIsMendedOrRemoved) {
    std::string whole;
    struct Case {
        const char* what;
        std::function<void()> repair;
        fs::path event;
    } cases[] = {
        {"removed", [&] { fs::remove(syncFile); }, cloud / "Ondravell"},
        {"mended in place", [&] { writeText(syncFile, whole); }, syncFile},
    };
    for (const Case& c : cases) {
        Machine m(root.path, c.what, cloud);
        m.sync->start();
        whole = readText(syncFile);
        writeText(syncFile, whole.substr(0, whole.size() / 2));
        m.watcher.changed(cloud / "Ondravell");
        m.timers.advance(ICloudSync::retryDelay);
        ASSERT_TRUE(m.sync->syncFileUnreadable()) << c.what;
        m.setMaxCopySize(901);
        m.timers.advance(ICloudSync::pushDelay);
        c.repair();
        m.watcher.changed(c.event);
        EXPECT_FALSE(m.sync->failed()) << c.what;
        EXPECT_EQ(cloudSize(syncFile), 901) << c.what;
    }
}
