#pragma once

#include "App/Services/ConfigBundleStore.h"
#include "core/Support/FileIdentity.h"
#include "platform/FolderWatcher.h"
#include "platform/OneShotTimers.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

namespace platform {
class UserDefaults;
}

// Keeps the whole configuration in one file of the user's cloud-drive folder, so that the user's
// machines share it: local changes are written there 2 s after the last one, and a changed file is
// applied at once. The cloud client moves the file between machines. Main thread only.
class ICloudSync {
public:
    static constexpr const char* enabledKey = "iCloudSyncEnabled";
    // Seconds since 1970 of the last push that wrote the file or pull that applied it.
    static constexpr const char* lastAtKey = "iCloudSyncLastAt";
    // Seconds since 1970 of the latest local change not yet written to the sync file; 0 (or absent)
    // when the file holds every change. Kept across runs, so a change whose push failed is not lost to the
    // next start's pull.
    static constexpr const char* unpushedAtKey = "iCloudSyncUnpushedAt";
    static constexpr const char* syncFolderName = "Ondravell";
    static constexpr const char* syncFileName = "Ondravell-sync.json";
    static constexpr std::chrono::milliseconds pushDelay{2000};
    // After a failed push (or a sync file this machine cannot read), how long until it is tried again.
    // A failed push is tried again by this timer only, never by the folder events its own attempt makes.
    // While sync runs without a failure the same timer looks at the sync file at this interval, so that a
    // change whose folder event was missed is still applied.
    static constexpr std::chrono::milliseconds retryDelay{30000};

    struct Services {
        platform::UserDefaults* defaults = nullptr;
        platform::OneShotTimers* timers = nullptr;
        platform::FolderWatcher* watcher = nullptr;
        // Seconds since 1970.
        std::function<double()> now;
        std::function<void(const std::string& message, const std::string& symbol)> toast;
        // Where the configuration lives; nullopt: the shared container.
        std::optional<std::filesystem::path> container;
        // The cloud-drive folder; nullopt: `cloudDriveFolder()`.
        std::optional<std::filesystem::path> cloudFolder;
        // Writes the sync file as `writeFileAtomically` does, which it is when empty; `written` receives
        // the identity of the file written. Lets a test put another machine's write right behind ours.
        std::function<bool(const std::filesystem::path& file, std::string_view bytes, FileIdentity* written)>
            writeSyncFile;
    };

    // What the settings page shows of the sync.
    struct State {
        bool failed = false;
        bool syncFileUnreadable = false;
        // "iCloudSyncLastAt".
        std::optional<double> lastAt;
        bool operator==(const State&) const = default;
    };
    using ObserverToken = std::uint64_t;

    explicit ICloudSync(Services services);
    ~ICloudSync();
    ICloudSync(const ICloudSync&) = delete;
    ICloudSync& operator=(const ICloudSync&) = delete;

    // The application's one instance. `setUpShared` runs once in the composition root, before `shared`.
    static void setUpShared(Services services);
    static ICloudSync& shared();

    // "$HOME/Library/Mobile Documents/com~apple~CloudDocs", where a user links the folder their cloud
    // client syncs; the environment variable ONDRAVELL_CLOUD_DIR names another.
    static std::filesystem::path cloudDriveFolder();
    // The cloud-drive folder exists (asked at every call).
    static bool isAvailable();
    // The cloud-drive folder this instance syncs through.
    std::filesystem::path cloudFolder() const;
    bool available() const;

    // With sync switched on and the cloud folder present: pull, push, then watch both sides.
    void start();
    // Stops watching and drops a pending push and retry.
    void stop();
    // At quit: a push still waiting for its delay (or its retry) runs now, as does one for a change not
    // seen yet, so the last change is not lost.
    void pushPendingChange();

    // Applies the sync file when its configuration differs from ours and is the newer one: a local
    // change not yet pushed that is newer than the file's `updatedAt` wins over it.
    void pullIfNewer();
    void push();

    std::filesystem::path syncFileURL() const;
    bool isPushPending() const { return pushDebounce_.has_value(); }
    // The last push could not write the sync file, or the file there could not be applied; a retry is
    // scheduled.
    bool failed() const { return pushFailed_ || remoteUnapplied_; }
    // Something is at the sync file's place that cannot be read as a sync file, and it was still so at a
    // look at least `retryDelay` after the first: not a write in progress, but a file that stays as it
    // is until someone mends or removes it. Nothing is written over it.
    bool syncFileUnreadable() const { return syncFileUnreadable_; }
    State state() const;

    // `onChange` runs (on the main thread) after every step that changed `state()`: a failure, a
    // recovery, a push that wrote or a pull that applied the file.
    ObserverToken observe(std::function<void()> onChange);
    void unobserve(ObserverToken token);

private:
    bool enabled() const;
    void watchLocal();
    void watchRemote();
    void watchSyncFile();
    void localChanged();
    void remoteChanged();
    // A failure: the next try comes `retryDelay` from now (one already due for a failure stays).
    void retryLater();
    // While started and nothing failed: the next look at the sync file, `retryDelay` from now.
    void keepLooking();
    void scheduleRetry(bool afterFailure);
    // Tells the observers when the state differs from what they were last told.
    void announceState();
    // Announces the state when the step that made it ends, whichever way it returns.
    struct AnnounceAtEnd {
        ICloudSync& sync;
        ~AnnounceAtEnd() { sync.announceState(); }
    };
    void syncFileCannotBeRead();
    std::optional<std::string> currentHash() const;
    // When the configuration last changed here without reaching the sync file; nullopt when it did.
    std::optional<double> unpushedChangeAt() const;
    bool hasUnpushedChange() const;
    void setSynced(double at);

    Services services_;
    ConfigBundleStore store_;
    std::vector<platform::FolderWatcher::Token> localWatchers_;
    std::optional<platform::FolderWatcher::Token> remoteWatcher_;
    std::optional<platform::FolderWatcher::Token> syncFileWatcher_;
    std::optional<platform::OneShotTimers::Token> pushDebounce_;
    std::optional<platform::OneShotTimers::Token> retry_;
    // `retry_` was scheduled by a failure (else it is the regular look at the sync file).
    bool retryAfterFailure_ = false;
    // Between `start` (with sync on and the folder there) and `stop`.
    bool started_ = false;
    bool pushFailed_ = false;
    // The sync file holds a configuration this machine could not apply, or cannot be read: it is never
    // written over.
    bool remoteUnapplied_ = false;
    // Since when (seconds since 1970) the sync file could not be read, while it cannot.
    std::optional<double> unreadableSince_;
    bool syncFileUnreadable_ = false;
    // The sync file as the last pull found it or the last push left it (nullopt: no regular file). A
    // folder event that finds it so is no change of the file: the temporaries of our own writes, say.
    std::optional<FileIdentity> seenSyncFile_;
    // The local configuration as last written to the sync file or as it stood after applying it; and
    // the sync file's bundle last written or applied. Neither is pushed or applied again.
    std::optional<std::string> lastAppliedHash_;
    std::optional<std::string> lastRemoteHash_;
    std::map<ObserverToken, std::function<void()>> observers_;
    ObserverToken nextObserver_ = 1;
    State announced_;
};

} // namespace ondravell
