#pragma once

#include "App/MainWindow/Models/ApplicationChoices.h"
#include "App/MainWindow/Models/SettingsPageModel.h"
#include "core/Models/SearchEngine.h"

#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The toolbar's search engine, its AI target with the user's own engines and targets, and the
// applications in which the toolbar never shows. Five settings fields, written at every change; the
// toolbar reads them afresh at each use.
class SelectionEnginesModel final : public SettingsPageModel {
public:
    struct Services {
        platform::InstalledApplications& applications;
        ApplicationChooser chooseApplication;
    };

    // One of the two engine lists: the chosen id, the user's entries and the add row's texts.
    enum class List { search, ai };

    explicit SelectionEnginesModel(Services services, SettingsService service = SettingsService());

    // The picker's options: the built-ins, then the user's own.
    std::vector<SearchEngine> options(List list) const;
    // The option's text: the name, with " ⚡" for an AI target that sends the query at once.
    static std::string optionTitle(List list, const SearchEngine& engine);
    const std::string& chosenID(List list) const { return list == List::search ? engineID_ : aiEngineID_; }
    const std::vector<SearchEngine>& custom(List list) const {
        return list == List::search ? customEngines_ : customAIEngines_;
    }
    void choose(List list, const std::string& id);
    // Removes the entry by id (a copy: callers pass an entry of the list); when it was chosen, the first
    // built-in is chosen instead.
    void remove(List list, std::string id);

    // The add row. Its texts live only as long as the model and are never saved.
    const std::string& newName(List list) const { return list == List::search ? newEngineName_ : newAIName_; }
    const std::string& newTemplate(List list) const {
        return list == List::search ? newEngineTemplate_ : newAITemplate_;
    }
    void setNewName(List list, std::string text);
    void setNewTemplate(List list, std::string text);
    // Whether the typed template is one the toolbar may open (see `isOpenableTemplate`).
    bool newTemplateIsOpenable(List list) const;
    bool canAdd(List list) const;
    // Appends the typed entry (not chosen) and saves; the add row is cleared once the save held, and keeps
    // what was typed when it failed. Nothing when `canAdd` is false.
    void add(List list);

    // A template holds "{q}" and names a scheme that is http, https, or one an installed application
    // handles; "file:" and "javascript:" never, as opening them would read local files or run script.
    static bool isOpenableTemplate(std::string_view urlTemplate,
                                   const platform::InstalledApplications& applications);

    const std::vector<std::string>& blacklist() const { return blacklist_; }
    // The application's name, or the identifier when it is not installed.
    std::string appName(const std::string& bundleID) const;
    // Lets the user choose one of the installed applications and excludes it, once.
    void addBlacklistApp();
    // Removes every entry equal to the identifier.
    void removeBlacklist(const std::string& bundleID);

private:
    void read(const OndravellSettings& settings) override;
    void write(OndravellSettings& settings) const override;

    Services services_;
    std::string engineID_{OndravellSettings::defaultSearchEngineID};
    std::string aiEngineID_{OndravellSettings::defaultAIEngineID};
    std::vector<SearchEngine> customEngines_;
    std::vector<SearchEngine> customAIEngines_;
    std::vector<std::string> blacklist_;
    std::string newEngineName_, newEngineTemplate_, newAIName_, newAITemplate_;
};

} // namespace ondravell
