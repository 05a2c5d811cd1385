#include "App/MainWindow/SettingsNavigation.h"

#include <gtest/gtest.h>

using namespace ondravell;
using Section = SettingsNavigation::Section;

TEST(SettingsNavigation, SidebarHasTheSixPagesInOrderAndTitlesNameThem) {
    std::vector<std::string_view> titles;
    for (auto section : SettingsNavigation::allSections) {
        titles.push_back(SettingsNavigation::title(section));
        EXPECT_EQ(SettingsNavigation::sectionNamed(titles.back()), section);
    }
    EXPECT_EQ(titles, (std::vector<std::string_view>{"通用", "文件管理器右键", "新建文件模板", "划词",
                                                     "操作历史", "关于"}));
    EXPECT_EQ(SettingsNavigation::sectionNamed("finder"), std::nullopt);
    EXPECT_EQ(SettingsNavigation::sectionNamed("通用 "), std::nullopt);
}

TEST(SettingsNavigation, FreshStateShowsFinderWithoutHistory) {
    SettingsNavigation navigation;
    EXPECT_EQ(navigation.selection(), Section::finder);
    EXPECT_EQ(navigation.history(), std::vector<Section>{Section::finder});
    EXPECT_FALSE(navigation.canGoBack());
    EXPECT_FALSE(navigation.canGoForward());
    EXPECT_EQ(navigation.currentTitle(), "文件管理器右键");
}

TEST(SettingsNavigation, BackTwiceThenANewPageDropsTheForwardHistory) {
    SettingsNavigation navigation;
    int announcements = 0;
    navigation.addObserver([&] { ++announcements; });
    navigation.setSelection(Section::general);
    navigation.setSelection(Section::templates);
    navigation.goBack();
    navigation.goBack();
    EXPECT_EQ(navigation.selection(), Section::finder);
    EXPECT_FALSE(navigation.canGoBack());
    EXPECT_TRUE(navigation.canGoForward());
    EXPECT_EQ(navigation.history().size(), 3u); // stepping adds nothing

    navigation.goBack(); // nothing to go back to
    EXPECT_EQ(announcements, 4);
    navigation.setSelection(Section::about);
    EXPECT_EQ(navigation.history(), (std::vector<Section>{Section::finder, Section::about}));
    EXPECT_TRUE(navigation.canGoBack());
    EXPECT_FALSE(navigation.canGoForward());
    navigation.goForward();
    EXPECT_EQ(navigation.selection(), Section::about);
}

TEST(SettingsNavigation, EveryPageCanBeReachedBackAndForward) {
    SettingsNavigation navigation;
    for (Section section : SettingsNavigation::allSections)
        navigation.setSelection(section);
    std::vector<Section> back;
    while (navigation.canGoBack()) {
        navigation.goBack();
        back.push_back(navigation.selection());
    }
    // Finder was left for General and then chosen again.
    EXPECT_EQ(back, (std::vector<Section>{Section::history, Section::selection, Section::templates,
                                          Section::finder, Section::general, Section::finder}));
    while (navigation.canGoForward())
        navigation.goForward();
    EXPECT_EQ(navigation.selection(), Section::about);
}

TEST(SettingsNavigation, TheShownPageRecordsNothingAndAlternatingGrowsTheHistory) {
    SettingsNavigation navigation;
    int announcements = 0;
    navigation.addObserver([&] { ++announcements; });
    navigation.setSelection(Section::finder);
    EXPECT_EQ(announcements, 0);
    EXPECT_EQ(navigation.history().size(), 1u);
    for (int i = 0; i < 50; ++i)
        navigation.setSelection(i % 2 ? Section::finder : Section::general);
    EXPECT_EQ(navigation.history().size(), 51u);
    EXPECT_EQ(navigation.index(), 50u);
}
