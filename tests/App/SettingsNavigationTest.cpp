#include "App/MainWindow/SettingsNavigation.h"

#include <gtest/gtest.h>

using namespace ondravell;
using Section = SettingsNavigation::Section;

TEST(SettingsNavigation, SidebarHasTheSixPagesInOrder) {
    std::vector<std::string_view> titles;
    for (auto section : SettingsNavigation::allSections)
        titles.push_back(SettingsNavigation::title(section));
    EXPECT_EQ(titles, (std::vector<std::string_view>{"通用", "Finder 右键", "新建文件模板", "划词",
                                                     "操作历史", "关于"}));
}

TEST(SettingsNavigation, NewWindowShowsFinderPageWithoutHistory) {
    SettingsNavigation navigation;
    EXPECT_EQ(navigation.current(), Section::finder);
    EXPECT_FALSE(navigation.canGoBack());
    EXPECT_FALSE(navigation.canGoForward());
}

TEST(SettingsNavigation, BackAndForwardRetraceSelections) {
    SettingsNavigation navigation;
    navigation.select(Section::general);
    navigation.select(Section::history);
    navigation.goBack();
    EXPECT_EQ(navigation.current(), Section::general);
    navigation.goBack();
    EXPECT_EQ(navigation.current(), Section::finder);
    navigation.goForward();
    EXPECT_EQ(navigation.current(), Section::general);
    navigation.select(Section::about); // a new selection drops the forward history
    EXPECT_FALSE(navigation.canGoForward());
}

TEST(SettingsNavigation, SelectingTheShownPageRecordsNothing) {
    SettingsNavigation navigation;
    navigation.select(Section::finder);
    EXPECT_FALSE(navigation.canGoBack());
}
