#include "App/Services/ICloudSync.h"

#include "App/HotKeys/HotKeyManager.h"
#include "App/Services/SyncPayload.h"
#include "core/Support/AtomicFile.h"
#include "platform/UserDefaults.h"

#include <cstdlib>

namespace ondravell {

namespace {

ICloudSync*& sharedInstance() {
    static ICloudSync* instance = nullptr;
    return instance;
}

bool isCloudFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::exists(folder, error);
}

ConfigBundleStore storeFor(const std::optional<std::filesystem::path>& container) {
    return container ? ConfigBundleStore(*container) : ConfigBundleStore();
}

} // namespace

ICloudSync::ICloudSync(Services services)
    : services_(std::move(services)), store_(storeFor(services_.container)), announced_(state()) {}

ICloudSync::~ICloudSync() {
    stop();
}

void ICloudSync::setUpShared(Services services) {
    if (!sharedInstance())
        sharedInstance() = new ICloudSync(std::move(services));
}

ICloudSync& ICloudSync::shared() {
    // Without set-up (a tool or test) there are no defaults: sync counts as switched off.
    if (!sharedInstance())
        sharedInstance() = new ICloudSync(Services{});
    return *sharedInstance();
}

std::filesystem::path ICloudSync::cloudDriveFolder() {
    if (const char* override = std::getenv("ONDRAVELL_CLOUD_DIR"); override && *override)
        return override;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / "Library/Mobile Documents/com~apple~CloudDocs";
}

bool ICloudSync::isAvailable() {
    return isCloudFolder(cloudDriveFolder());
}

bool ICloudSync::available() const {
    return isCloudFolder(cloudFolder());
}

std::filesystem::path ICloudSync::cloudFolder() const {
    return services_.cloudFolder.value_or(cloudDriveFolder());
}

std::filesystem::path ICloudSync::syncFileURL() const {
    return cloudFolder() / syncFolderName / syncFileName;
}

bool ICloudSync::enabled() const {
    return services_.defaults && services_.defaults->boolForKey(enabledKey).value_or(false);
}

void ICloudSync::start() {
    if (!enabled() || !available())
        return;
    AnnounceAtEnd announce{*this};
    started_ = true;
    // Watched before the first push writes the sync file: an edit made right after that write (which
    // saves the defaults too and can take a while) is seen.
    watchLocal();
    pullIfNewer();
    push();
    watchRemote();
    keepLooking();
}

void ICloudSync::stop() {
    AnnounceAtEnd announce{*this};
    if (services_.watcher) {
        for (auto token : localWatchers_)
            services_.watcher->unwatch(token);
        for (auto* token : {&remoteWatcher_, &syncFileWatcher_})
            if (*token)
                services_.watcher->unwatch(**token);
    }
    started_ = false;
    localWatchers_.clear();
    remoteWatcher_.reset();
    syncFileWatcher_.reset();
    for (auto* timer : {&pushDebounce_, &retry_}) {
        if (*timer && services_.timers)
            services_.timers->cancel(**timer);
        timer->reset();
    }
}

void ICloudSync::pushPendingChange() {
    // An edit whose watch event has not come yet when the quit begins has no push waiting, but it
    // differs from what was last written.
    if (!pushDebounce_ && !pushFailed_ && !(started_ && currentHash() != lastAppliedHash_))
        return;
    if (pushDebounce_ && services_.timers)
        services_.timers->cancel(*pushDebounce_);
    pushDebounce_.reset();
    push();
}

ICloudSync::State ICloudSync::state() const {
    return {failed(), syncFileUnreadable_,
            services_.defaults ? services_.defaults->doubleForKey(lastAtKey) : std::nullopt};
}

ICloudSync::ObserverToken ICloudSync::observe(std::function<void()> onChange) {
    observers_.emplace(nextObserver_, std::move(onChange));
    return nextObserver_++;
}

void ICloudSync::unobserve(ObserverToken token) {
    observers_.erase(token);
}

void ICloudSync::announceState() {
    State now = state();
    if (now == announced_)
        return;
    announced_ = now;
    // An observer may stop observing: look each one up again.
    std::vector<ObserverToken> tokens;
    for (const auto& entry : observers_)
        tokens.push_back(entry.first);
    for (ObserverToken token : tokens)
        if (auto it = observers_.find(token); it != observers_.end())
            it->second();
}

std::optional<std::string> ICloudSync::currentHash() const {
    return store_.current().hash();
}

std::optional<double> ICloudSync::unpushedChangeAt() const {
    if (!services_.defaults)
        return std::nullopt;
    if (auto at = services_.defaults->doubleForKey(unpushedAtKey); at && *at > 0)
        return at;
    // Changes made while nothing watched (sync switched off, or on a machine that never synced) show
    // only in the files' times.
    auto changed = store_.lastChange();
    auto synced = services_.defaults->doubleForKey(lastAtKey);
    if (changed && (!synced || *changed > *synced))
        return changed;
    return std::nullopt;
}

bool ICloudSync::hasUnpushedChange() const {
    auto at = services_.defaults ? services_.defaults->doubleForKey(unpushedAtKey) : std::nullopt;
    return at && *at > 0;
}

void ICloudSync::setSynced(double at) {
    services_.defaults->setDouble(lastAtKey, at);
    services_.defaults->setDouble(unpushedAtKey, 0);
}

void ICloudSync::retryLater() {
    if (!(retry_ && retryAfterFailure_))
        scheduleRetry(true);
}

void ICloudSync::keepLooking() {
    if (started_ && !retry_)
        scheduleRetry(false);
}

void ICloudSync::scheduleRetry(bool afterFailure) {
    if (!services_.timers)
        return;
    if (retry_)
        services_.timers->cancel(*retry_);
    retryAfterFailure_ = afterFailure;
    retry_ = services_.timers->schedule(retryDelay, [this] {
        retry_.reset();
        // A pull compares the file with what was last applied or written, and applies it when it
        // differs: what a missed folder event would have done.
        pullIfNewer();
        push();
        keepLooking();
    });
}

void ICloudSync::syncFileCannotBeRead() {
    remoteUnapplied_ = true;
    const double now = services_.now ? services_.now() : 0;
    if (!unreadableSince_)
        unreadableSince_ = now;
    else if (now - *unreadableSince_ >= std::chrono::duration<double>(retryDelay).count())
        syncFileUnreadable_ = true;
    retryLater();
}

void ICloudSync::pullIfNewer() {
    if (!enabled())
        return;
    AnnounceAtEnd announce{*this};
    FileIdentity identity;
    auto bytes = readRegularFile(syncFileURL(), ConfigBundle::maxFileBytes, &identity);
    seenSyncFile_ = bytes ? std::optional(identity) : FileIdentity::of(syncFileURL());
    // A file that another machine is still writing does not decode; its last write brings another event.
    // Until then, or when it is no file of ours at all (or cannot be read), it is not written over. One
    // that stays so past a retry is reported, and still looked at on every retry.
    auto payload = bytes ? SyncPayload::decode(*bytes) : std::nullopt;
    std::error_code error;
    if (!payload && (bytes || std::filesystem::exists(syncFileURL(), error) || error)) {
        syncFileCannotBeRead();
        return;
    }
    // Once what could not be read is removed, this configuration goes to the file again.
    if (unreadableSince_ && !bytes)
        lastAppliedHash_.reset();
    remoteUnapplied_ = syncFileUnreadable_ = false;
    unreadableSince_.reset();
    if (!payload)
        return;
    auto remoteHash = payload->bundle.hash();
    if (!remoteHash || remoteHash == lastRemoteHash_ || remoteHash == lastAppliedHash_)
        return;
    if (currentHash() == remoteHash) {
        lastAppliedHash_ = lastRemoteHash_ = remoteHash;
        return;
    }
    // The newer side wins: a local change the file does not hold yet and that came after it is pushed.
    auto localAt = unpushedChangeAt();
    if (localAt && *localAt > payload->updatedAt + SyncPayload::referenceDateOffset) {
        lastRemoteHash_ = remoteHash;
        return;
    }
    if (!store_.apply(payload->bundle).complete) {
        // Nothing was changed here; what stands here is not a change to push over the file.
        remoteUnapplied_ = true;
        lastAppliedHash_ = currentHash();
        retryLater();
        return;
    }
    lastRemoteHash_ = remoteHash;
    // The configuration as it now stands can differ from the file's (icons no template names are not
    // part of it): remember that, or the writes just made would be pushed back as a change of ours.
    lastAppliedHash_ = currentHash();
    setSynced(services_.now ? services_.now() : 0);
    HotKeyManager::shared().reload();
    if (services_.toast)
        services_.toast("已从云盘同步配置", "icloud.and.arrow.down");
}

void ICloudSync::push() {
    if (!enabled())
        return;
    AnnounceAtEnd announce{*this};
    ConfigBundle bundle = store_.current();
    auto hash = bundle.hash();
    if (!hash)
        return;
    if (hash == lastAppliedHash_) {
        // Changed and changed back: nothing is left to push.
        pushFailed_ = false;
        if (!remoteUnapplied_ && hasUnpushedChange())
            services_.defaults->setDouble(unpushedAtKey, 0);
        return;
    }
    double now = services_.now ? services_.now() : 0;
    // Until it is pushed, the change is remembered, so that neither a restart nor an older sync file
    // takes it away.
    if (!hasUnpushedChange())
        services_.defaults->setDouble(unpushedAtKey, unpushedChangeAt().value_or(now));
    if (remoteUnapplied_) {
        retryLater();
        return;
    }
    auto bytes = SyncPayload{now - SyncPayload::referenceDateOffset, std::move(bundle)}.encode();
    if (!bytes)
        return;
    std::error_code error;
    std::filesystem::create_directories(syncFileURL().parent_path(), error);
    // Only a write that happened counts as synced: a failed one is tried again.
    FileIdentity written;
    pushFailed_ = !(services_.writeSyncFile ? services_.writeSyncFile(syncFileURL(), *bytes, &written)
                                            : writeFileAtomically(syncFileURL(), *bytes, true, &written));
    if (pushFailed_) {
        retryLater();
        return;
    }
    // The file we wrote, not whatever has the name by now: another machine's file renamed over ours
    // a moment later must count as a change.
    seenSyncFile_ = written;
    lastAppliedHash_ = lastRemoteHash_ = hash;
    if (retry_ && retryAfterFailure_ && services_.timers) {
        services_.timers->cancel(*retry_);
        retry_.reset();
    }
    keepLooking();
    setSynced(now);
}

void ICloudSync::watchLocal() {
    if (!localWatchers_.empty() || !services_.watcher)
        return;
    // The settings, the template list and the icons are replaced by rename in these folders.
    for (const std::filesystem::path& folder : store_.watchedFolders()) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (auto token = services_.watcher->watch(folder, [this] { localChanged(); }))
            localWatchers_.push_back(*token);
    }
}

void ICloudSync::localChanged() {
    if (!services_.timers)
        return;
    // The moment of the change, kept until a push writes it: a quit or a failed write does not lose it.
    if (enabled() && services_.now && currentHash() != lastAppliedHash_)
        services_.defaults->setDouble(unpushedAtKey, services_.now());
    if (pushDebounce_)
        services_.timers->cancel(*pushDebounce_);
    pushDebounce_ = services_.timers->schedule(pushDelay, [this] {
        pushDebounce_.reset();
        push();
    });
}

void ICloudSync::watchRemote() {
    if (remoteWatcher_ || !services_.watcher)
        return;
    std::error_code error;
    std::filesystem::create_directories(syncFileURL().parent_path(), error);
    remoteWatcher_ = services_.watcher->watch(syncFileURL().parent_path(), [this] { remoteChanged(); });
    watchSyncFile();
}

// A cloud client may rewrite the file in place, which changes no entry of the folder. The system ends
// a file's watch when the file is removed or replaced, so the watch is made again at every change of
// the folder, on whatever file then has the name.
void ICloudSync::watchSyncFile() {
    if (!remoteWatcher_)
        return;
    if (syncFileWatcher_)
        services_.watcher->unwatch(*syncFileWatcher_);
    syncFileWatcher_.reset();
    std::error_code error;
    if (std::filesystem::is_regular_file(syncFileURL(), error))
        syncFileWatcher_ = services_.watcher->watch(syncFileURL(), [this] { remoteChanged(); });
}

void ICloudSync::remoteChanged() {
    // Our own writes, failed or not, make and remove temporaries in the folder: the sync file is then
    // as it was, and nothing changed on the other side. Something at its place that could not be read
    // is looked at again at every event: a folder there has no identity, and its removal none either.
    if (FileIdentity::of(syncFileURL()) == seenSyncFile_ && !unreadableSince_)
        return;
    watchSyncFile();
    pullIfNewer();
    // What the file could not take goes now: a change newer than the file, or the whole configuration
    // once a file that could not be read is mended or removed. Not while its delay still runs, and not
    // after a push that failed, which waits for its retry: a push answered by the events of its own
    // attempt would spin.
    if (!pushDebounce_ && !pushFailed_)
        push();
}

} // namespace ondravell
