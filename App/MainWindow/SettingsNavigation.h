#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ondravell {

// The pages of the settings window in sidebar order, the page shown and the back and forward history
// of the window's navigation. The window, its sidebar, its toolbar and every caller that opens the
// window on a page share one instance, so a page chosen anywhere shows everywhere. Main thread only.
class SettingsNavigation {
public:
    enum class Section { general, finder, templates, selection, history, about };

    static constexpr std::array<Section, 6> allSections{Section::general,   Section::finder,
                                                        Section::templates, Section::selection,
                                                        Section::history,   Section::about};
    // The page's place in `allSections`, which is also its row in the sidebar and the detail pane.
    static constexpr std::size_t indexOf(Section section) {
        for (std::size_t i = 0; i < allSections.size(); ++i)
            if (allSections[i] == section)
                return i;
        return 0;
    }
    // The page's title, also its identity and its localisation key.
    static std::string_view title(Section section);
    // The page with exactly this title.
    static std::optional<Section> sectionNamed(std::string_view title);
    // The symbol shown beside the page's title in the sidebar.
    static std::string_view symbol(Section section);

    // A fresh state shows the Finder page with a history of that one page.
    Section selection() const { return history_[index_]; }
    // Shows `section`; a change is recorded so that back returns to the page shown before, and the
    // forward history is dropped. Choosing the page already shown records nothing.
    void setSelection(Section section);
    bool canGoBack() const { return canGoBack_; }
    bool canGoForward() const { return canGoForward_; }
    void goBack();
    void goForward();

    const std::vector<Section>& history() const { return history_; }
    std::size_t index() const { return index_; }
    // The shown page's title in the user's language.
    std::string currentTitle() const;

    // Called after every change of the page or of the flags, until removed with the returned token.
    std::size_t addObserver(std::function<void()> observer);
    void removeObserver(std::size_t token);

private:
    void step(std::ptrdiff_t distance);
    void updateFlags();
    void announce() const;

    std::vector<Section> history_{Section::finder};
    std::size_t index_ = 0;
    bool canGoBack_ = false;
    bool canGoForward_ = false;
    std::vector<std::pair<std::size_t, std::function<void()>>> observers_;
    std::size_t nextToken_ = 0;
};

} // namespace ondravell
