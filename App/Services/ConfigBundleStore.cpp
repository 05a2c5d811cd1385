#include "App/Services/ConfigBundleStore.h"

#include "core/FileOps/FileCreator.h"
#include "core/SharedConfig/AppGroupSettingsStore.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/Base64.h"

namespace ondravell {

ConfigBundleStore::ConfigBundleStore()
    : templates_(TemplateStore::appGroupID), icons_(TemplateStore::appGroupID) {}

ConfigBundleStore::ConfigBundleStore(const std::filesystem::path& container)
    : settings_(std::make_shared<AppGroupSettingsStore>(container / AppGroupSettingsStore::folderName /
                                                        AppGroupSettingsStore::fileName)),
      templates_(TemplateStore::inContainer(container)),
      icons_(TemplateStore::appGroupID) {
    icons_.directory = container / TemplateStore::supportFolder / TemplateIconStore::folderName;
}

ConfigBundle ConfigBundleStore::current() const {
    ConfigBundle bundle;
    bundle.settings = settings_.load();
    bundle.customTemplates = templates_.loadCustom();
    for (const FileTemplate& fileTemplate : bundle.customTemplates) {
        if (!fileTemplate.customIconFilename)
            continue;
        auto url = icons_.iconURL(*fileTemplate.customIconFilename);
        if (!url)
            continue;
        if (auto bytes = readRegularFile(*url, ConfigBundle::maxIconBytes);
            bytes && bytes->size() <= ConfigBundle::maxIconBytes)
            bundle.icons[*fileTemplate.customIconFilename] = Base64::encode(*bytes);
    }
    return bundle;
}

ConfigBundleStore::ApplyOutcome ConfigBundleStore::apply(const ConfigBundle& bundle) const {
    ApplyOutcome outcome;
    // The settings store writes into its folder but does not make it.
    if (templates_.fileURL()) {
        std::error_code error;
        std::filesystem::create_directories(templates_.fileURL()->parent_path(), error);
    }
    outcome.complete = settings_.save(bundle.settings);
    if (!templates_.saveCustom(bundle.customTemplates))
        outcome.complete = false;
    for (const auto& [name, base64] : bundle.icons) {
        auto bytes = Base64::decode(base64);
        // A name from another machine is only ever a file in the icon folder: "../x" stays out.
        if (!bytes || !FileCreator::isPlainFileName(name)) {
            outcome.skippedIcons.push_back(name);
            continue;
        }
        if (!icons_.save(*bytes, name))
            outcome.complete = false;
    }
    return outcome;
}

std::vector<std::filesystem::path> ConfigBundleStore::watchedFolders() const {
    std::vector<std::filesystem::path> folders;
    if (templates_.fileURL())
        folders.push_back(templates_.fileURL()->parent_path());
    if (icons_.directory)
        folders.push_back(*icons_.directory);
    return folders;
}

} // namespace ondravell
