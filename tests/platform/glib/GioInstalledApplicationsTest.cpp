// The applications a chooser offers, from desktop files made for the test in folders of their own (set
// before anything reads the desktop's application index, which GIO reads once per process).
#include "platform/glib/GioInstalledApplications.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace ondravell::platform {
namespace {

void writeDesktopFile(const std::filesystem::path& file, const std::string& lines) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "[Desktop Entry]\nType=Application\nExec=true\n" << lines;
}

TEST(GioInstalledApplications, ListsTheLauncherApplicationsByTheIdentifiersTheSettingsStore) {
    std::string pattern = (std::filesystem::temp_directory_path() / "ondravell-apps-XXXXXX").string();
    const std::filesystem::path root = ::mkdtemp(pattern.data());
    const std::filesystem::path user = root / "home" / "applications";
    const std::filesystem::path systemApps = root / "system" / "applications";
    writeDesktopFile(user / "org.example.Term.desktop", "Name=Term\nIcon=utilities-terminal\n");
    writeDesktopFile(systemApps / "tools" / "edit.desktop",
                     "Name=Edit\nIcon=" + (root / "edit.png").string() + "\n");
    writeDesktopFile(systemApps / "plain.desktop", "Name=Plain\n");
    writeDesktopFile(systemApps / "hidden.desktop", "Name=Hidden\nNoDisplay=true\n");
    ::setenv("XDG_DATA_HOME", (root / "home").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (root / "system").c_str(), 1);

    GioInstalledApplications installed;
    std::vector<InstalledApplication> listed = installed.applications();
    std::sort(listed.begin(), listed.end(),
              [](const auto& a, const auto& b) { return a.identifier < b.identifier; });
    EXPECT_EQ(listed,
              (std::vector<InstalledApplication>{{"org.example.Term", "Term", "utilities-terminal"},
                                                 {"plain", "Plain", ""},
                                                 {"tools-edit", "Edit", (root / "edit.png").string()}}));
    // What is stored for a listed application names it again.
    for (const InstalledApplication& app : listed)
        EXPECT_EQ(installed.displayName(app.identifier), app.displayName) << app.identifier;
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace ondravell::platform
