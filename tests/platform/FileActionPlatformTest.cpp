// The desktop services behind the file-manager actions: application ids, MIME types, pixel sizes and
// launching a terminal in a folder, against real files and a desktop file made for the test.
#include "platform/glib/DesktopAppIds.h"
#include "platform/glib/GioAppLauncher.h"
#include "platform/glib/GioContentTypeReader.h"
#include "platform/gtk/PixbufImageSizeReader.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace ondravell::platform {
namespace {

using Ids = std::vector<std::string>;

struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ondravell-platform-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
};

TEST(DesktopAppIds, CatalogueIdentifiersMapToTheirDesktopFiles) {
    EXPECT_EQ(DesktopAppIds::candidates("net.kovidgoyal.kitty"), (Ids{"kitty.desktop"}));
    EXPECT_EQ(DesktopAppIds::candidates("com.microsoft.VSCode"), (Ids{"code.desktop"}));
    EXPECT_FALSE(DesktopAppIds::candidates("com.apple.Terminal").empty());
}

TEST(DesktopAppIds, CatalogueApplicationWithoutLinuxBuildIsNeverInstalled) {
    EXPECT_TRUE(DesktopAppIds::candidates("com.googlecode.iterm2").empty());
    EXPECT_TRUE(DesktopAppIds::candidates("com.apple.dt.Xcode").empty());
}

TEST(DesktopAppIds, OtherIdentifiersAreDesktopIdsButNeverPaths) {
    EXPECT_EQ(DesktopAppIds::candidates("org.example.Term"), (Ids{"org.example.Term.desktop"}));
    EXPECT_EQ(DesktopAppIds::candidates("org.example.Term.desktop"), (Ids{"org.example.Term.desktop"}));
    EXPECT_TRUE(DesktopAppIds::candidates("../../bin/sh").empty());
    EXPECT_TRUE(DesktopAppIds::candidates("").empty());
}

TEST(GioContentTypeReader, TextFileFolderAndFIFOAreTypedWithoutWaiting) {
    TempFolder folder;
    std::ofstream(folder.path / "notes.txt") << "hello\n";
    ASSERT_EQ(::mkfifo((folder.path / "pipe").c_str(), 0600), 0);
    GioContentTypeReader reader;
    EXPECT_EQ(reader.contentType(folder.path / "notes.txt"), "text/plain");
    EXPECT_EQ(reader.contentType(folder.path), "inode/directory");
    EXPECT_EQ(reader.contentType(folder.path / "pipe"), "inode/fifo");
    EXPECT_FALSE(reader.contentType(folder.path / "missing").has_value());
}

TEST(GioContentTypeReader, PNGIsRecognisedByItsBytesWhateverItsName) {
    TempFolder folder;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 3, 2);
    ASSERT_TRUE(gdk_pixbuf_save(pixbuf, (folder.path / "image").c_str(), "png", nullptr, nullptr));
    g_object_unref(pixbuf);
    EXPECT_EQ(GioContentTypeReader().contentType(folder.path / "image"), "image/png");
}

TEST(PixbufImageSizeReader, PNGGivesItsPixelSizeAndOtherFilesNone) {
    TempFolder folder;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 7, 5);
    ASSERT_TRUE(gdk_pixbuf_save(pixbuf, (folder.path / "a.png").c_str(), "png", nullptr, nullptr));
    g_object_unref(pixbuf);
    std::ofstream(folder.path / "a.txt") << "not an image";
    ASSERT_EQ(::mkfifo((folder.path / "pipe").c_str(), 0600), 0);
    PixbufImageSizeReader reader;
    EXPECT_EQ(reader.pixelSize(folder.path / "a.png"), (PixelSize{7, 5}));
    EXPECT_FALSE(reader.pixelSize(folder.path / "a.txt").has_value());
    EXPECT_FALSE(reader.pixelSize(folder.path / "pipe").has_value());
    EXPECT_FALSE(reader.pixelSize(folder.path).has_value());
}

// A terminal whose desktop file asks for bus activation: it must still start as a process in the folder.
TEST(GioAppLauncher, TerminalStartsWithTheFolderAsWorkingDirectory) {
    TempFolder folder;
    std::filesystem::path applications = folder.path / "share" / "applications";
    std::filesystem::create_directories(applications);
    std::filesystem::path script = folder.path / "record-folder";
    std::filesystem::path record = folder.path / "record";
    std::ofstream(script) << "#!/bin/sh\npwd > '" << record.string() << ".tmp' && mv '" << record.string()
                          << ".tmp' '" << record.string() << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    std::ofstream(applications / "org.example.TestTerm.desktop")
        << "[Desktop Entry]\nType=Application\nName=Test Term\nExec=" << script.string()
        << "\nDBusActivatable=true\n";
    ::setenv("XDG_DATA_HOME", (folder.path / "share").c_str(), 1);
    std::filesystem::path target = folder.path / "a folder";
    std::filesystem::create_directory(target);

    GioAppLauncher launcher;
    ASSERT_TRUE(launcher.isInstalled("org.example.TestTerm"));
    EXPECT_FALSE(launcher.isInstalled("com.googlecode.iterm2"));
    ASSERT_TRUE(launcher.openTerminal("org.example.TestTerm", target));
    for (int i = 0; i < 1000 && !std::filesystem::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(record);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, target.string());
}

} // namespace
} // namespace ondravell::platform
