#include "App/HotKeys/HotKeyManager.h"

#include "core/FileOps/PathFormatter.h"
#include "core/SharedConfig/HotKeySpec.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/AccessibilityTrust.h"
#include "platform/Pasteboard.h"

#include <algorithm>
#include <system_error>

namespace ondravell {

namespace {

constexpr std::string_view copySymbol = "doc.on.doc";

// Kept for the life of the process and never destroyed: at exit the platform services it uses are
// gone before static destructors run.
HotKeyManager*& sharedInstance() {
    static HotKeyManager* instance = nullptr;
    return instance;
}

bool isSupported(std::string_view actionID) {
    return std::find(HotKeyManager::supportedActionIDs.begin(), HotKeyManager::supportedActionIDs.end(),
                     actionID) != HotKeyManager::supportedActionIDs.end();
}

} // namespace

HotKeyManager::HotKeyManager(Services services) : services_(std::move(services)) {}

void HotKeyManager::setUpShared(Services services) {
    if (!sharedInstance())
        sharedInstance() = new HotKeyManager(std::move(services));
}

HotKeyManager& HotKeyManager::shared() {
    // Without set-up (a tool or test that never started the application) there is nothing to register.
    if (!sharedInstance())
        sharedInstance() = new HotKeyManager(Services{});
    return *sharedInstance();
}

void HotKeyManager::reload() {
    unregisterAll();
    refused_.clear();
    if (!services_.loadSettings || recordingPauses_ > 0)
        return;
    const OndravellSettings settings = services_.loadSettings();
    installHandlerIfNeeded();
    for (const auto& [actionID, hotKey] : settings.globalHotKeys)
        if (isSupported(actionID))
            registerHotKey(hotKey, actionID);
    if (settings.selectionEnabled && services_.trust && services_.trust->isProcessTrusted() &&
        settings.selectionHotKey)
        registerHotKey(*settings.selectionHotKey, std::string(selectionActionID));
}

void HotKeyManager::unregisterAll() {
    if (services_.hotKeys)
        for (const auto& [id, registration] : registered_)
            services_.hotKeys->unregisterHotKey(registration.reference);
    registered_.clear();
}

void HotKeyManager::registerHotKey(const HotKeySpec& hotKey, const std::string& actionID) {
    if (!services_.hotKeys)
        return;
    std::optional<platform::GlobalHotKeys::Reference> reference =
        services_.hotKeys->registerHotKey(hotKey.keyCode, hotKey.carbonModifiers, nextID_);
    if (!reference) {
        const bool ours = std::any_of(registered_.begin(), registered_.end(), [&](const auto& entry) {
            return entry.second.keyCode == hotKey.keyCode &&
                   entry.second.carbonModifiers == hotKey.carbonModifiers;
        });
        if (!ours)
            refused_.emplace_back(hotKey.keyCode, hotKey.carbonModifiers);
        return;
    }
    registered_[nextID_] = {*reference, actionID, hotKey.keyCode, hotKey.carbonModifiers};
    ++nextID_;
}

void HotKeyManager::pauseForRecording() {
    if (recordingPauses_++ == 0)
        reload();
}

void HotKeyManager::resumeAfterRecording() {
    if (recordingPauses_ == 0)
        return;
    if (--recordingPauses_ == 0)
        reload();
}

bool HotKeyManager::heldElsewhere(const HotKeySpec& hotKey) const {
    return std::find(refused_.begin(), refused_.end(), std::pair(hotKey.keyCode, hotKey.carbonModifiers)) !=
           refused_.end();
}

void HotKeyManager::installHandlerIfNeeded() {
    if (handlerInstalled_ || !services_.hotKeys)
        return;
    services_.hotKeys->setHandler([this](std::uint32_t id) { handle(id); });
    handlerInstalled_ = true;
}

std::map<std::uint32_t, std::string> HotKeyManager::registeredActions() const {
    std::map<std::uint32_t, std::string> actions;
    for (const auto& [id, registration] : registered_)
        actions[id] = registration.actionID;
    return actions;
}

void HotKeyManager::handle(std::uint32_t id) {
    auto it = registered_.find(id);
    if (it == registered_.end())
        return;
    const std::string actionID = it->second.actionID;
    if (actionID == selectionActionID) {
        if (services_.triggerSelectionToolbar)
            services_.triggerSelectionToolbar();
        return;
    }
    if (!services_.fileManagerSelection)
        return;
    // The manager lives as long as the process, so the handler may hold it.
    services_.fileManagerSelection([this, actionID](std::vector<std::filesystem::path> urls) {
        if (actionID == "copy.path")
            copyPaths(urls);
        else if (actionID == "copy.file")
            copyFiles(urls);
        else if (actionID == "new.file")
            openNewFileWindow(urls);
    });
}

void HotKeyManager::copyPaths(const std::vector<std::filesystem::path>& urls) {
    if (urls.empty() || !services_.pasteboard)
        return;
    services_.pasteboard->writeString(PathFormatter::formatMultiple(urls, PathFormat::posix));
    toast(urls.size() == 1 ? ODLocalized("已复制路径") : ODLocalized("已复制 %lld 个路径", urls.size()));
}

void HotKeyManager::copyFiles(const std::vector<std::filesystem::path>& urls) {
    if (urls.empty() || !services_.pasteboard)
        return;
    services_.pasteboard->writeFiles(urls, false, std::nullopt);
    toast(ODLocalized("已复制 %lld 个文件", urls.size()));
}

void HotKeyManager::openNewFileWindow(const std::vector<std::filesystem::path>& urls) {
    if (!services_.showNewFileWindow)
        return;
    if (!urls.empty()) {
        std::error_code error;
        const bool isDirectory = std::filesystem::is_directory(urls.front(), error);
        services_.showNewFileWindow(isDirectory ? urls.front() : urls.front().parent_path());
        return;
    }
    if (!services_.fileManagerFolder)
        return;
    services_.fileManagerFolder([this](std::optional<std::filesystem::path> folder) {
        if (folder && services_.showNewFileWindow)
            services_.showNewFileWindow(*folder);
    });
}

void HotKeyManager::toast(const std::string& message) {
    if (services_.showToast)
        services_.showToast(message, std::string(copySymbol));
}

} // namespace ondravell
