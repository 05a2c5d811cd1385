#include "App/MainWindow/Models/SelectionEnginesModel.h"

#include "App/MainWindow/Models/SpaceTrim.h"
#include "core/Support/Uuid.h"
#include "platform/InstalledApplications.h"

#include <algorithm>

namespace ondravell {

namespace {

// The scheme of an address (RFC 3986: a letter, then letters, digits, "+", "-" or "."), in lower
// case; empty when the text does not start with one followed by ":".
std::string schemeOf(std::string_view text) {
    auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return {};
    std::string scheme;
    for (std::size_t i = 0; i < colon; ++i) {
        char c = text[i];
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!letter && !(i > 0 && other))
            return {};
        scheme.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return scheme;
}

} // namespace

SelectionEnginesModel::SelectionEnginesModel(Services services, SettingsService service)
    : SettingsPageModel(std::move(service)), services_(std::move(services)) {}

std::vector<SearchEngine> SelectionEnginesModel::options(List list) const {
    std::vector<SearchEngine> all =
        list == List::search ? SearchEngine::builtins() : SearchEngine::aiBuiltins();
    const auto& own = custom(list);
    all.insert(all.end(), own.begin(), own.end());
    return all;
}

std::string SelectionEnginesModel::optionTitle(List list, const SearchEngine& engine) {
    return list == List::ai && engine.autoSubmits ? engine.name + " ⚡" : engine.name;
}

void SelectionEnginesModel::choose(List list, const std::string& id) {
    (list == List::search ? engineID_ : aiEngineID_) = id;
    persist();
}

void SelectionEnginesModel::remove(List list, std::string id) {
    auto& entries = list == List::search ? customEngines_ : customAIEngines_;
    std::erase_if(entries, [&](const SearchEngine& engine) { return engine.id == id; });
    std::string& chosen = list == List::search ? engineID_ : aiEngineID_;
    if (chosen == id)
        chosen = list == List::search ? OndravellSettings::defaultSearchEngineID
                                      : OndravellSettings::defaultAIEngineID;
    persist();
}

void SelectionEnginesModel::setNewName(List list, std::string text) {
    (list == List::search ? newEngineName_ : newAIName_) = std::move(text);
    changed();
}

void SelectionEnginesModel::setNewTemplate(List list, std::string text) {
    (list == List::search ? newEngineTemplate_ : newAITemplate_) = std::move(text);
    changed();
}

bool SelectionEnginesModel::isOpenableTemplate(std::string_view urlTemplate,
                                               const platform::InstalledApplications& applications) {
    if (urlTemplate.find(SearchEngine::queryPlaceholder) == std::string_view::npos)
        return false;
    std::string scheme = schemeOf(trimmingSpacesAndTabs(urlTemplate));
    if (scheme.empty() || scheme == "file" || scheme == "javascript")
        return false;
    return scheme == "http" || scheme == "https" || applications.handlesURLScheme(scheme);
}

bool SelectionEnginesModel::newTemplateIsOpenable(List list) const {
    return isOpenableTemplate(newTemplate(list), services_.applications);
}

bool SelectionEnginesModel::canAdd(List list) const {
    return !trimmingSpacesAndTabs(newName(list)).empty() && newTemplateIsOpenable(list);
}

void SelectionEnginesModel::add(List list) {
    if (!canAdd(list))
        return;
    SearchEngine engine{makeUUIDString(), trimmingSpacesAndTabs(newName(list)),
                        trimmingSpacesAndTabs(newTemplate(list)), false};
    (list == List::search ? customEngines_ : customAIEngines_).push_back(std::move(engine));
    persist([this, list] {
        (list == List::search ? newEngineName_ : newAIName_).clear();
        (list == List::search ? newEngineTemplate_ : newAITemplate_).clear();
    });
}

std::string SelectionEnginesModel::appName(const std::string& bundleID) const {
    return services_.applications.displayName(bundleID).value_or(bundleID);
}

void SelectionEnginesModel::addBlacklistApp() {
    std::optional<std::string> id = services_.chooseApplication(applicationChoices(services_.applications));
    if (!id || std::find(blacklist_.begin(), blacklist_.end(), *id) != blacklist_.end())
        return;
    blacklist_.push_back(std::move(*id));
    persist();
}

void SelectionEnginesModel::removeBlacklist(const std::string& bundleID) {
    std::erase(blacklist_, bundleID);
    persist();
}

void SelectionEnginesModel::read(const OndravellSettings& settings) {
    engineID_ = settings.selectionSearchEngineID;
    aiEngineID_ = settings.selectionAIEngineID;
    customEngines_ = settings.selectionCustomEngines;
    customAIEngines_ = settings.selectionCustomAIEngines;
    blacklist_ = settings.selectionAppBlacklist;
}

void SelectionEnginesModel::write(OndravellSettings& settings) const {
    settings.selectionSearchEngineID = engineID_;
    settings.selectionAIEngineID = aiEngineID_;
    settings.selectionCustomEngines = customEngines_;
    settings.selectionCustomAIEngines = customAIEngines_;
    settings.selectionAppBlacklist = blacklist_;
}

} // namespace ondravell
