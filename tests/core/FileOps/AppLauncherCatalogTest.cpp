#include "core/FileOps/AppLauncherCatalog.h"

#include <gtest/gtest.h>
#include <set>

using namespace ondravell;

TEST(AppLauncherCatalog, ListsTerminalsAndEditorsInPreferenceOrderWithUniqueIdentifiers) {
    ASSERT_EQ(AppLauncherCatalog::terminals().size(), 9u);
    ASSERT_EQ(AppLauncherCatalog::editors().size(), 13u);
    EXPECT_EQ(AppLauncherCatalog::terminals().front(),
              (LaunchableApp{"com.apple.Terminal", "终端 (Terminal)"}));
    EXPECT_EQ(AppLauncherCatalog::editors().front().bundleID, "com.microsoft.VSCode");
    EXPECT_EQ(AppLauncherCatalog::editors().back(),
              (LaunchableApp{"com.apple.TextEdit", "文本编辑 (TextEdit)"}));
    std::set<std::string> ids;
    for (const auto* list : {&AppLauncherCatalog::terminals(), &AppLauncherCatalog::editors()})
        for (const LaunchableApp& app : *list)
            EXPECT_TRUE(ids.insert(app.id()).second) << app.bundleID;
}
