#pragma once

#include "App/MainWindow/Models/ApplicationChoices.h"
#include "App/MainWindow/Models/SettingsPageModel.h"
#include "core/FileOps/LaunchableApp.h"
#include "core/Models/ActionRule.h"
#include "core/Models/OndravellAction.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ondravell {

// The Finder actions page: which file-manager actions are on, their order, rules and groups, the menu
// nesting, the terminal and editor of the open-with actions and the copy size limit. The page owns
// nine settings fields and writes them at every change; the file-manager module reads the file at
// its next menu, so each change shows at the next right-click.
class FinderActionsModel final : public SettingsPageModel {
public:
    struct Services {
        platform::InstalledApplications& applications;
        ApplicationChooser chooseApplication;
    };

    static constexpr std::int64_t minCopyMB = 1;
    static constexpr std::int64_t maxCopyMBLimit = 500;

    explicit FinderActionsModel(Services services, SettingsService service = SettingsService());

    // The built-in file actions in displayed order: the enabled ones in their saved order, then the
    // others in table order.
    const std::vector<OndravellAction>& actions() const { return actions_; }
    bool isEnabled(const std::string& id) const { return enabledIDs_.contains(id); }
    // The empty rule for an action without one.
    ActionRule rule(const std::string& id) const;
    std::optional<std::string> group(const std::string& id) const;
    // The group names in use, each once, in the order of the first action using it.
    std::vector<std::string> existingGroups() const;
    bool nestUnder() const { return nestUnder_; }

    void setNestUnder(bool nest);
    // Switching a dangerous action on waits for `confirmDangerous()`; everything else saves at once.
    void toggle(const OndravellAction& action, bool isOn);
    // The dangerous action waiting for the user's confirmation.
    const std::optional<std::string>& pendingDangerousID() const { return pendingDangerousID_; }
    void confirmDangerous();
    void cancelDangerous();
    // An empty rule, or an absent or empty group name, removes the action's entry.
    void setRule(const ActionRule& rule, const std::string& id);
    void setGroup(const std::optional<std::string>& name, const std::string& id);
    // "上移" and "下移": a move out of the list does nothing and saves nothing.
    void moveRow(std::size_t index, int distance);
    // A drag: the rows at `sources` go before the row at `destination`.
    void moveRows(const std::set<std::size_t>& sources, std::size_t destination);

    // The open-with choices: absent is the system's default.
    const std::optional<std::string>& preferredTerminal() const { return preferredTerminal_; }
    const std::optional<std::string>& preferredEditor() const { return preferredEditor_; }
    void setPreferredTerminal(const std::optional<std::string>& bundleID);
    void setPreferredEditor(const std::optional<std::string>& bundleID);
    // The catalogue's installed applications, then the user's own, installed ones only.
    const std::vector<LaunchableApp>& installedTerminals() const { return installedTerminals_; }
    const std::vector<LaunchableApp>& installedEditors() const { return installedEditors_; }
    // Lets the user choose one of the installed applications and makes it the terminal or the editor.
    void addCustomApp(bool isTerminal);

    std::int64_t maxCopyMB() const { return maxCopyMB_; }
    // Kept within 1 to 500.
    void setMaxCopyMB(std::int64_t megabytes);

private:
    void read(const OndravellSettings& settings) override;
    void write(OndravellSettings& settings) const override;
    void rebuildInstalledLists();
    std::vector<LaunchableApp> installed(const std::vector<LaunchableApp>& catalogue,
                                         const std::vector<std::string>& customIDs,
                                         const std::set<std::string>& known) const;

    Services services_;
    std::vector<OndravellAction> actions_;
    std::set<std::string> enabledIDs_;
    std::map<std::string, ActionRule> rules_;
    std::optional<std::string> preferredTerminal_;
    std::optional<std::string> preferredEditor_;
    std::vector<std::string> customTerminalIDs_;
    std::vector<std::string> customEditorIDs_;
    std::vector<LaunchableApp> installedTerminals_;
    std::vector<LaunchableApp> installedEditors_;
    std::int64_t maxCopyMB_ = OndravellSettings::defaultMaxCopyFileSizeMB;
    bool nestUnder_ = false;
    std::map<std::string, std::string> groupAssignment_;
    std::optional<std::string> pendingDangerousID_;
};

} // namespace ondravell
