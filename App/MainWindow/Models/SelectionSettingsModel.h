#pragma once

#include "App/MainWindow/Models/SettingsPageModel.h"
#include "core/Models/SelectionAction.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

namespace platform {
class AccessibilityTrust;
}

// The selection toolbar's switch, trigger, hot key, button style and actions. Each control writes its
// one settings field and nothing else, so a change made elsewhere to another field meanwhile survives.
// Switching the toolbar and changing the trigger re-arm its mouse watching from the file just written;
// switching it and changing its hot key register the global hot keys again. Everything else the toolbar
// reads from the file at its next use.
class SelectionSettingsModel final : public SettingsPageModel {
public:
    struct Services {
        // Whether the process may watch global input; without it nothing is trusted.
        platform::AccessibilityTrust* trust = nullptr;
        // Stops the automatic trigger and starts it again as the settings file now says.
        std::function<void()> rearmTrigger = nullptr;
        std::function<void()> reloadHotKeys = nullptr;
    };

    explicit SelectionSettingsModel(Services services, SettingsService service = SettingsService());

    bool enabled() const { return enabled_; }
    bool triggerAuto() const { return triggerAuto_; }
    // Read when the model is made, at each load and when the toolbar is switched.
    bool trusted() const { return trusted_; }
    // What the session lacks of the global services, in one line; read with `trusted`.
    const std::optional<std::string>& missingServices() const { return missingServices_; }
    const std::optional<HotKeySpec>& hotKey() const { return hotKey_; }
    // The stored raw value, unchanged (the bar shows an unknown one with glyphs and titles).
    const std::string& barStyle() const { return barStyle_; }
    const std::vector<std::string>& actionIDs() const { return actionIDs_; }

    void setEnabled(bool on);
    void setTriggerAuto(bool automatic);
    // None clears the hot key.
    void setHotKey(const std::optional<HotKeySpec>& hotKey);
    void setBarStyle(std::string raw);

    // Every built-in action once: those the saved list names in its order, then the rest in table
    // order. While the list is empty, the table order.
    std::vector<SelectionAction> orderedActions() const;
    bool isActionEnabled(std::string_view id) const;
    // On appends the action after the enabled ones; off removes it, keeping the others' order.
    void setActionEnabled(const std::string& id, bool on);
    // A drag: the rows at `sources` go before the row at `destination`. Only the enabled actions' new
    // order is saved, so a move never switches an action on or off.
    void moveActions(const std::set<std::size_t>& sources, std::size_t destination);
    // "上移" (-1) and "下移" (1); a move out of the list does nothing and saves nothing.
    void moveAction(std::size_t index, int distance);

private:
    enum class Field { enabled, triggerAuto, hotKey, barStyle, actionIDs };

    void read(const OndravellSettings& settings) override;
    void write(OndravellSettings& settings) const override;
    void save(Field field);
    bool readTrust();
    // The enabled actions in order: the saved list, or the defaults while it is empty.
    std::vector<std::string> currentIDs() const;
    void saveMoved(const std::vector<SelectionAction>& ordered);

    Services services_;
    bool enabled_ = false;
    bool triggerAuto_ = true;
    bool trusted_ = false;
    std::optional<std::string> missingServices_;
    std::optional<HotKeySpec> hotKey_;
    std::string barStyle_{OndravellSettings::barStyleIconText};
    std::vector<std::string> actionIDs_;
    // The field the write under way replaces.
    Field saving_ = Field::enabled;
};

} // namespace ondravell
