#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace ondravell {

// The pages of the settings window, their sidebar order and the back and forward history of the
// window's navigation.
class SettingsNavigation {
public:
    enum class Section { general, finder, templates, selection, history, about };

    static constexpr std::array<Section, 6> allSections{Section::general,   Section::finder,
                                                        Section::templates, Section::selection,
                                                        Section::history,   Section::about};
    // The sidebar title of a page.
    static std::string_view title(Section section);

    // A new window shows the Finder page.
    Section current() const { return current_; }
    // Selects a page; a change is recorded so that back returns to the previous page, and the forward
    // history is dropped. Selecting the current page records nothing.
    void select(Section section);
    bool canGoBack() const { return !back_.empty(); }
    bool canGoForward() const { return !forward_.empty(); }
    void goBack();
    void goForward();

private:
    Section current_ = Section::finder;
    std::vector<Section> back_;
    std::vector<Section> forward_;
};

} // namespace ondravell
