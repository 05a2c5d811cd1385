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
    : services_(std::move(services)), store_(storeFor(services_.container)) {}

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
    pullIfNewer();
    push();
    watchLocal();
    watchRemote();
}

void ICloudSync::stop() {
    if (services_.watcher) {
        for (auto token : localWatchers_)
            services_.watcher->unwatch(token);
        for (auto* token : {&remoteWatcher_, &syncFileWatcher_})
            if (*token)
                services_.watcher->unwatch(**token);
    }
    localWatchers_.clear();
    remoteWatcher_.reset();
    syncFileWatcher_.reset();
    if (pushDebounce_ && services_.timers)
        services_.timers->cancel(*pushDebounce_);
    pushDebounce_.reset();
}

void ICloudSync::pushPendingChange() {
    if (!pushDebounce_)
        return;
    if (services_.timers)
        services_.timers->cancel(*pushDebounce_);
    pushDebounce_.reset();
    push();
}

std::optional<std::string> ICloudSync::currentHash() const {
    return store_.current().hash();
}

void ICloudSync::pullIfNewer() {
    if (!enabled())
        return;
    auto bytes = readRegularFile(syncFileURL(), ConfigBundle::maxFileBytes);
    if (!bytes)
        return;
    // A file that another machine is still writing does not decode; its last write brings another event.
    auto payload = SyncPayload::decode(*bytes);
    if (!payload)
        return;
    auto remoteHash = payload->bundle.hash();
    if (!remoteHash || remoteHash == lastRemoteHash_ || remoteHash == lastAppliedHash_)
        return;
    if (currentHash() == remoteHash) {
        lastAppliedHash_ = lastRemoteHash_ = remoteHash;
        return;
    }
    store_.apply(payload->bundle);
    lastRemoteHash_ = remoteHash;
    // The configuration as it now stands can differ from the file's (icons no template names are not
    // part of it): remember that, or the writes just made would be pushed back as a change of ours.
    lastAppliedHash_ = currentHash();
    if (services_.now)
        services_.defaults->setDouble(lastAtKey, services_.now());
    HotKeyManager::shared().reload();
    if (services_.toast)
        services_.toast("已从 iCloud 同步配置", "icloud.and.arrow.down");
}

void ICloudSync::push() {
    if (!enabled())
        return;
    ConfigBundle bundle = store_.current();
    auto hash = bundle.hash();
    if (!hash || hash == lastAppliedHash_)
        return;
    double now = services_.now ? services_.now() : 0;
    auto bytes = SyncPayload{now - SyncPayload::referenceDateOffset, std::move(bundle)}.encode();
    if (!bytes)
        return;
    std::error_code error;
    std::filesystem::create_directories(syncFileURL().parent_path(), error);
    // Only a write that happened counts as synced: a failed one is tried again at the next change.
    if (!writeFileAtomically(syncFileURL(), *bytes))
        return;
    lastAppliedHash_ = lastRemoteHash_ = hash;
    services_.defaults->setDouble(lastAtKey, now);
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

// A cloud client may rewrite the file in place, which changes no entry of the folder.
void ICloudSync::watchSyncFile() {
    if (!syncFileWatcher_ && remoteWatcher_)
        syncFileWatcher_ = services_.watcher->watch(syncFileURL(), [this] { remoteChanged(); });
}

void ICloudSync::remoteChanged() {
    watchSyncFile();
    pullIfNewer();
}

} // namespace ondravell
