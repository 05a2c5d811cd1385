#include "App/Host/FinderExtensionGuide.h"

#include "platform/SystemSettingsOpener.h"

#include <gtest/gtest.h>
#include <vector>

using namespace ondravell;
using platform::SystemSettingsPane;

namespace {
struct RecordingOpener final : platform::SystemSettingsOpener {
    std::vector<SystemSettingsPane> opens;
    std::vector<SystemSettingsPane> available;
    bool open(SystemSettingsPane pane) override {
        opens.push_back(pane);
        return std::find(available.begin(), available.end(), pane) != available.end();
    }
};
} // namespace

TEST(FinderExtensionGuide, OpensOnlyTheExtensionsPaneWhenItOpens) {
    RecordingOpener opener;
    opener.available = {SystemSettingsPane::fileManagerExtensions, SystemSettingsPane::loginItemsExtensions};
    EXPECT_TRUE(FinderExtensionGuide::openSystemSettings(opener));
    EXPECT_EQ(opener.opens, std::vector{SystemSettingsPane::fileManagerExtensions});
}

TEST(FinderExtensionGuide, FallsBackToTheLoginItemsPane) {
    RecordingOpener opener;
    opener.available = {SystemSettingsPane::loginItemsExtensions};
    EXPECT_TRUE(FinderExtensionGuide::openSystemSettings(opener));
    EXPECT_EQ(opener.opens, (std::vector{SystemSettingsPane::fileManagerExtensions,
                                         SystemSettingsPane::loginItemsExtensions}));
}

TEST(FinderExtensionGuide, ReportsFailureWhenTheDesktopHasNeither) {
    RecordingOpener opener;
    EXPECT_FALSE(FinderExtensionGuide::openSystemSettings(opener));
}
