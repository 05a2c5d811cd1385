#pragma once

#include "core/Models/ActionCondition.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// A built-in file-manager action as the menu and the settings pages show it. Two actions are the same
// action when their ids are equal.
struct OndravellAction {
    enum class Category { file, text, custom };
    static constexpr std::array<Category, 3> allCategories{Category::file, Category::text, Category::custom};

    std::string id;       // "copy.path", ...
    std::string titleKey; // the Chinese menu title, also its localisation key
    Category category = Category::file;
    std::string systemImage;
    ActionCondition condition = ActionCondition::always();
    bool isEnabledByDefault = false;
    bool isImplemented = true;
    bool isDangerous = false;       // destroys data: the settings page asks before enabling it
    bool isContainerAction = false; // works on the folder clicked into rather than on the selection

    bool operator==(const OndravellAction& other) const { return id == other.id; }

    // The menu title in the user's language; the Chinese key when there is no translation.
    std::string localizedTitle() const;

    // The 18 built-in actions in the default menu order, built once on first use.
    static const std::vector<OndravellAction>& builtins();

    static std::string_view rawValue(Category category);
    static std::optional<Category> categoryNamed(std::string_view raw);
};

} // namespace ondravell
