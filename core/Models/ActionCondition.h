#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace ondravell {

class MenuContext;

// When a file-manager action makes sense for a menu context. Conditions nest (all, any, negation) and
// are built in code only; they are never stored.
class ActionCondition {
public:
    enum class Kind {
        anyExtensionIn,  // some item has one of the extensions
        allExtensionsIn, // every extension found among the items is one of them
        minSelection,    // at least `count` items
        maxSelection,    // at most `count` items
        all,             // every listed condition holds (an empty list holds)
        any,             // some listed condition holds (an empty list does not)
        negation,        // the one listed condition does not hold
        always,
        onlyDirectories, // items are selected and every one is a folder
        onlyFiles,       // items are selected and none is a folder
        onlyOnContainer, // the menu is for the folder clicked into, with nothing selected
    };

    // Extension sets are compared with the lower-cased extensions of the items, so they are expected in
    // lower case and without the leading point.
    static ActionCondition anyExtensionIn(std::set<std::string> extensions);
    static ActionCondition allExtensionsIn(std::set<std::string> extensions);
    static ActionCondition minSelection(std::int64_t count);
    static ActionCondition maxSelection(std::int64_t count);
    static ActionCondition all(std::vector<ActionCondition> conditions);
    static ActionCondition any(std::vector<ActionCondition> conditions);
    static ActionCondition negation(ActionCondition condition);
    static ActionCondition always() { return ActionCondition(Kind::always); }
    static ActionCondition onlyDirectories() { return ActionCondition(Kind::onlyDirectories); }
    static ActionCondition onlyFiles() { return ActionCondition(Kind::onlyFiles); }
    static ActionCondition onlyOnContainer() { return ActionCondition(Kind::onlyOnContainer); }

    bool evaluate(const MenuContext& context) const;

    Kind kind() const { return kind_; }
    const std::set<std::string>& extensions() const { return extensions_; }
    std::int64_t count() const { return count_; }
    const std::vector<ActionCondition>& conditions() const { return conditions_; }

    bool operator==(const ActionCondition&) const = default;

private:
    explicit ActionCondition(Kind kind) : kind_(kind) {}

    Kind kind_;
    std::set<std::string> extensions_;
    std::int64_t count_ = 0;
    std::vector<ActionCondition> conditions_;
};

} // namespace ondravell
