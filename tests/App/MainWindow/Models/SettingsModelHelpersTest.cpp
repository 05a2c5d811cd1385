#include "App/MainWindow/Models/ApplicationChoices.h"
#include "App/MainWindow/Models/CollectionMove.h"
#include "App/MainWindow/Models/SettingsWindowSizing.h"
#include "App/MainWindow/Models/SpaceTrim.h"

#include <gtest/gtest.h>

using namespace ondravell;
using Size = SettingsWindowSizing::Size;

TEST(CollectionMove, MovesLikeAListDropAndStepsInsideTheList) {
    struct Case {
        std::set<std::size_t> sources;
        std::size_t destination;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{{{0}, 3, "bcad"},
                                           {{3}, 0, "dabc"},
                                           {{1}, 1, "abcd"},
                                           {{1}, 2, "abcd"},
                                           {{0, 2}, 4, "bdac"},
                                           {{2}, 99, "abdc"},
                                           {{7}, 0, "abcd"}}) {
        std::vector<char> list{'a', 'b', 'c', 'd'};
        moveElements(list, c.sources, c.destination);
        EXPECT_EQ(std::string(list.begin(), list.end()), c.expected) << c.destination;
    }
    std::vector<char> list{'a', 'b', 'c'};
    EXPECT_TRUE(moveElement(list, 0, 1));
    EXPECT_EQ(std::string(list.begin(), list.end()), "bac");
    EXPECT_TRUE(moveElement(list, 2, -1));
    EXPECT_EQ(std::string(list.begin(), list.end()), "bca");
    EXPECT_FALSE(moveElement(list, 0, -1));
    EXPECT_FALSE(moveElement(list, 2, 1));
    EXPECT_EQ(std::string(list.begin(), list.end()), "bca");
}

TEST(ApplicationChoiceFilter, KeepsTheApplicationsWhoseNameOrIdentifierHoldsTheText) {
    ApplicationChoiceFilter filter(
        {{"org.gnome.Terminal", "终端", ""}, {"kitty", "Kitty", ""}, {"gedit", "文本编辑器", ""}});
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"", {"org.gnome.Terminal", "kitty", "gedit"}},
        {" KIT\t", {"kitty"}},
        {"term", {"org.gnome.Terminal"}},
        {"编辑", {"gedit"}},
        {"none", {}},
    };
    for (const auto& [text, expected] : cases) {
        filter.setText(text);
        std::vector<std::string> shown;
        for (const auto& app : filter.shown())
            shown.push_back(app.identifier);
        EXPECT_EQ(shown, expected) << text;
    }
}

TEST(SpaceTrim, RemovesSpaceSeparatorsAndTabsButKeepsLineBreaks) {
    EXPECT_EQ(trimmingSpacesAndTabs("  工作 "), "工作");
    EXPECT_EQ(trimmingSpacesAndTabs("\t\u00a0\u3000名\u2003字\u202f"), "名\u2003字");
    EXPECT_EQ(trimmingSpacesAndTabs("\nname\n"), "\nname\n");
    EXPECT_EQ(trimmingSpacesAndTabs(" \r\n "), "\r\n");
    EXPECT_EQ(trimmingSpacesAndTabs("   "), "");
}

TEST(SettingsWindowSizing, PreferredSizeUsesTheSizeSavedOnAScreenOfTheSameSize) {
    struct Case {
        Size available;
        std::optional<std::string> size;
        std::optional<std::string> screen;
        std::optional<Size> current;
        Size expected;
    };
    const Size screen{1440, 900};
    for (const Case& c : std::vector<Case>{
             {{1440, 875}, std::nullopt, std::nullopt, screen, {760, 520}},
             {{1000, 500}, std::nullopt, std::nullopt, screen, {760, 460}},
             {{1440, 875}, "1200,900", "1440,900", screen, {1200, 835}},
             {{1440, 875}, "300,200", "1440,900", screen, {480, 420}},
             {{1440, 875}, "1200,900", "1920,1080", screen, {760, 520}},
             {{1440, 875}, "1200,900", "1440,900", std::nullopt, {760, 520}},
             {{1440, 875}, "abc,900,700", "1440.7,900.2", screen, {900, 700}},
             {{1440, 875}, "900;700", "1440,900", screen, {760, 520}},
             {{1440, 875}, "900", "1440,900", screen, {760, 520}},
             {{1440, 875}, ",,900,,+700,", "1440,900", screen, {900, 700}},
             {{1440, 875}, "nan,700", "1440,900", screen, {760, 520}},
             {{1440, 875}, "inf,700", "1440,900", screen, {1400, 700}},
             {{1440, 875}, "900,700", "1e300,900", screen, {760, 520}},
             {{1440, 875}, "900,700", "inf,900", screen, {760, 520}},
             {{300, 200}, std::nullopt, std::nullopt, std::nullopt, {480, 420}},
         }) {
        EXPECT_EQ(SettingsWindowSizing::preferredContentSize(c.available, c.size, c.screen, c.current),
                  c.expected)
            << c.size.value_or("-") << " on " << c.screen.value_or("-");
    }
}

TEST(SettingsWindowSizing, StoredFormIsTruncatedIntegersAndReadsBack) {
    EXPECT_EQ(SettingsWindowSizing::stored({1200.9, 835.2}), "1200,835");
    EXPECT_EQ(SettingsWindowSizing::numbers("1200,835"), (std::vector<double>{1200, 835}));
    EXPECT_EQ(SettingsWindowSizing::numbers("1,5.5, 7"), (std::vector<double>{1, 5.5}));
    EXPECT_TRUE(SettingsWindowSizing::fits({760, 520}, {760, 520}));
    EXPECT_FALSE(SettingsWindowSizing::fits({760, 520}, {1000, 500}));
}
