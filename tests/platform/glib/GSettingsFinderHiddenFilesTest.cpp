#include "platform/glib/GSettingsFinderHiddenFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>

using ondravell::platform::GSettingsFinderHiddenFiles;

// The memory backend keeps the test away from the user's real settings.
class GSettingsFinderHiddenFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::setenv("GSETTINGS_BACKEND", "memory", 1); }
};

TEST_F(GSettingsFinderHiddenFilesTest, EachToggleFlipsTheFileChooserKey) {
    GSettingsFinderHiddenFiles hiddenFiles;
    auto first = hiddenFiles.toggle();
    ASSERT_TRUE(first) << "the GTK 4 file-chooser schema should be installed (libgtk-4-common)";
    auto second = hiddenFiles.toggle();
    ASSERT_TRUE(second);
    EXPECT_NE(*first, *second);
}

TEST_F(GSettingsFinderHiddenFilesTest, MissingSchemaReportsFailureInsteadOfAborting) {
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // a fresh process, whose schema source is not read yet
    EXPECT_EXIT(
        {
            ::setenv("XDG_DATA_DIRS", "/nonexistent", 1);
            ::setenv("XDG_DATA_HOME", "/nonexistent", 1);
            ::unsetenv("GSETTINGS_SCHEMA_DIR");
            std::exit(GSettingsFinderHiddenFiles().toggle() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
