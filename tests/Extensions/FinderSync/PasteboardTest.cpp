#include "platform/gtk/GtkPasteboard.h"
#include "platform/memory/MemoryPasteboard.h"

#include <gtest/gtest.h>

namespace ondravell::platform {
namespace {

TEST(MemoryPasteboard, CountsEveryChangeAndAnswersReadsAtOnce) {
    MemoryPasteboard pasteboard;
    pasteboard.writeString("a");
    pasteboard.writeFiles({"/x/a b"}, true, PasteboardToken{42});
    EXPECT_EQ(pasteboard.changeCount(), 2);
    std::optional<PasteboardFiles> files;
    pasteboard.readFiles([&](std::optional<PasteboardFiles> answer) { files = std::move(answer); });
    ASSERT_TRUE(files);
    EXPECT_EQ(*files, (PasteboardFiles{{"/x/a b"}, true, PasteboardToken{42}}));
    std::optional<std::string> text;
    pasteboard.readString([&](std::optional<std::string> answer) { text = std::move(answer); });
    EXPECT_EQ(text, "/x/a b");
}

TEST(GtkPasteboardFileLists, OfferFilesAsEscapedUrisWithCopyOrCut) {
    EXPECT_EQ(GtkPasteboard::uriList({"/tmp/a b", "/tmp/ü"}), "file:///tmp/a%20b\r\nfile:///tmp/%C3%BC\r\n");
    EXPECT_EQ(GtkPasteboard::gnomeCopiedFiles({"/tmp/a"}, true), "cut\nfile:///tmp/a");
    EXPECT_EQ(GtkPasteboard::gnomeCopiedFiles({"/tmp/a"}, false), "copy\nfile:///tmp/a");
}

TEST(GtkPasteboardFileLists, ReadBackLocalFilesAndSkipOthers) {
    auto cut = GtkPasteboard::parseFileList("cut\nfile:///tmp/a%20b\nsftp://host/x\n",
                                            "x-special/gnome-copied-files");
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->cut);
    EXPECT_EQ(cut->paths, (std::vector<std::filesystem::path>{"/tmp/a b"}));
    auto list = GtkPasteboard::parseFileList("# comment\r\nfile:///a\r\nfile:///b\r\n", "text/uri-list");
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->cut);
    EXPECT_EQ(list->paths.size(), 2u);
    EXPECT_FALSE(GtkPasteboard::parseFileList("copy\nhttp://x/", "x-special/gnome-copied-files"));
}

TEST(GtkPasteboardFileLists, FileUrisOfAnotherHostAreNotLocalFiles) {
    auto list = GtkPasteboard::parseFileList("file://elsewhere.example/etc/passwd\r\nfile://localhost/tmp/a\r\n",
                                             "text/uri-list");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->paths, (std::vector<std::filesystem::path>{"/tmp/a"}));
    EXPECT_FALSE(GtkPasteboard::parseFileList("cut\nfile://elsewhere.example/a", "x-special/gnome-copied-files"));
}

} // namespace
} // namespace ondravell::platform
