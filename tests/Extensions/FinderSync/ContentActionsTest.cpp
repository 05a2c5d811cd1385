#include "Extensions/FinderSync/ContentActions.h"

#include "platform/memory/FixedContentTypeReader.h"
#include "platform/memory/FixedImageSizeReader.h"
#include "platform/memory/MemoryPasteboardImageReader.h"
#include "tests/Extensions/FinderSync/FileActionTestSupport.h"

#include <sys/stat.h>

namespace ondravell::test {
namespace {

constexpr std::size_t mebibyte = 1'048'576;

class Content : public FileActionTest {
protected:
    platform::FixedContentTypeReader contentTypes;
    platform::FixedImageSizeReader imageSizes;
    platform::MemoryPasteboardImageReader pasteboardImage;

    void SetUp() override {
        ContentActions::install(extension(), {contentTypes, imageSizes, pasteboardImage});
        pasteboard.placeFromOutside("before");
    }
    std::filesystem::path fileWith(const std::string& name, const std::string& bytes) {
        std::filesystem::path path = makeFile(name);
        writeFile(path, bytes);
        return path;
    }
};

TEST_F(Content, TextFileGoesOntoTheClipboard) {
    select({fileWith("a.txt", "你好\n")});
    run(ContentActions::copyContentActionID);
    EXPECT_EQ(pasteboard.string(), "你好\n");
    EXPECT_EQ(toastMessage(), "已复制文件内容");
}

TEST_F(Content, Base64OfTheBytesGoesOntoTheClipboard) {
    select({fileWith("a.bin", std::string("hel\xfflo", 6))});
    run(ContentActions::copyBase64ActionID);
    EXPECT_EQ(pasteboard.string(), "aGVs/2xv");
    EXPECT_EQ(toastMessage(), "已复制为 Base64");
}

TEST_F(Content, ZeroMegabyteLimitMeansOneMebibyteAndTheWarningShowsZero) {
    writeSettings(R"({"maxCopyFileSizeMB": 0})");
    select({fileWith("big.txt", std::string(2 * mebibyte, 'a'))});
    run(ContentActions::copyContentActionID);
    EXPECT_EQ(pasteboard.string(), "before");
    EXPECT_EQ(toastMessage(), "文件超过 0 MB，已跳过「复制内容」（可在设置调整上限）");
}

TEST_F(Content, FileOfExactlyTheLimitPassesAndOneByteMoreIsRefused) {
    writeSettings(R"({"maxCopyFileSizeMB": 1})");
    select({fileWith("fits.txt", std::string(mebibyte, 'a'))});
    run(ContentActions::copyBase64ActionID);
    EXPECT_EQ(pasteboard.string()->size(), 4 * ((mebibyte + 2) / 3));
    select({fileWith("over.txt", std::string(mebibyte + 1, 'a'))});
    run(ContentActions::copyBase64ActionID);
    EXPECT_EQ(toastMessage(), "文件超过 1 MB，已跳过「复制为 Base64」（可在设置调整上限）");
}

TEST_F(Content, FolderIsNotATextFile) {
    select({folder("dir")});
    run(ContentActions::copyContentActionID);
    EXPECT_EQ(pasteboard.string(), "before");
    EXPECT_EQ(toastMessage(), "不是文本文件，无法复制内容");
}

TEST_F(Content, FIFOIsRefusedWithoutWaitingForAWriter) {
    std::filesystem::path fifo = container.root / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    controller.setSelection({{fifo, false}}, container.root);
    run(ContentActions::copyContentActionID);
    run(ContentActions::copyBase64ActionID);
    EXPECT_EQ(pasteboard.string(), "before");
    EXPECT_EQ(toastMessage(), "不是文本文件，无法复制内容");
}

TEST_F(Content, BytesThatAreNotUTF8OrHoldANulAreNotCopiedAsText) {
    // A NUL is valid UTF-8, but the clipboard's text would end at it.
    for (const std::string& bytes : {std::string("\xc3\x28"), std::string("head\0tail", 9)}) {
        std::filesystem::remove(*OndravellIPC::pendingToastURL());
        select({fileWith("a.bin", bytes)});
        run(ContentActions::copyContentActionID);
        EXPECT_EQ(pasteboard.string(), "before");
        EXPECT_EQ(toastMessage(), "不是文本文件，无法复制内容");
    }
}

TEST_F(Content, EmptyFileChangesNothingAndShowsNothing) {
    select({fileWith("empty.txt", "")});
    run(ContentActions::copyContentActionID);
    run(ContentActions::copyBase64ActionID);
    EXPECT_EQ(pasteboard.string(), "before");
    EXPECT_TRUE(posted().empty());
}

TEST_F(Content, MetadataOfAnImageNamesItsTypeAndPixelSize) {
    std::filesystem::path image = fileWith("a.png", "12345");
    contentTypes.types[image] = "image/png";
    imageSizes.sizes[image] = {640, 480};
    select({image});
    run(ContentActions::copyMetadataActionID);
    std::string text = pasteboard.string().value_or("");
    EXPECT_EQ(text.rfind("名称: a.png\n类型: image/png\n大小: ", 0), 0u) << text;
    EXPECT_NE(text.find("尺寸: 640 × 480"), std::string::npos);
    EXPECT_EQ(toastMessage(), "已复制元数据");
}

TEST_F(Content, MetadataOfATextFileHasNoPixelSize) {
    std::filesystem::path file = fileWith("a.txt", "x");
    contentTypes.types[file] = "text/plain";
    select({file});
    run(ContentActions::copyMetadataActionID);
    EXPECT_EQ(pasteboard.string()->find("尺寸"), std::string::npos);
}

TEST_F(Content, ClipboardImageWinsOverTextAndIsRecorded) {
    std::filesystem::path target = folder("target");
    pasteboardImage.png = "\x89PNG-bytes";
    pasteboard.placeFromOutside("text too");
    clickInto(target);
    run(ContentActions::clipboardToFileActionID);
    EXPECT_EQ(readFile(target / "clipboard.png"), "\x89PNG-bytes");
    EXPECT_EQ(toastMessage(), "剪贴板图片已存为 clipboard.png");
    ASSERT_EQ(history().size(), 1u);
    EXPECT_EQ(history()[0].kind, FileOperation::Kind::clipboardToFile);
    EXPECT_EQ(history()[0].items,
              (std::vector<FileOperationItem>{{std::nullopt, (target / "clipboard.png").string()}}));
}

TEST_F(Content, SecondTextSaveTakesTheNextFreeName) {
    std::filesystem::path target = folder("target");
    pasteboard.placeFromOutside("hello");
    clickInto(target);
    run(ContentActions::clipboardToFileActionID);
    run(ContentActions::clipboardToFileActionID);
    EXPECT_EQ(readFile(target / "clipboard.txt"), "hello");
    EXPECT_EQ(readFile(target / "clipboard 2.txt"), "hello");
    EXPECT_EQ(toastMessage(), "剪贴板文本已存为 clipboard 2.txt");
}

TEST_F(Content, ClipboardFileNeverWritesThroughALinkHoldingTheName) {
    std::filesystem::path target = folder("target");
    std::filesystem::path victim = fileWith("victim.txt", "keep");
    std::filesystem::create_symlink(victim, target / "clipboard.txt");
    EXPECT_EQ(ContentActions::saveNewFile(target, "txt", "new"), target / "clipboard 2.txt");
    EXPECT_EQ(readFile(victim), "keep");
}

TEST_F(Content, SelectedFolderReceivesTheFileButASelectedFileNamesNoDestination) {
    std::filesystem::path file = makeFile("a.txt");
    std::filesystem::path dir = folder("dir");
    select({file, dir});
    EXPECT_EQ(ContentActions::clipboardDestination(extension().currentContext()), dir);
    select({file});
    pasteboard.placeFromOutside("hello");
    run(ContentActions::clipboardToFileActionID);
    EXPECT_TRUE(posted().empty());
}

TEST_F(Content, EmptyClipboardIsReportedAndNothingIsSaved) {
    std::filesystem::path target = folder("target");
    pasteboard.clear();
    clickInto(target);
    run(ContentActions::clipboardToFileActionID);
    EXPECT_TRUE(std::filesystem::is_empty(target));
    EXPECT_EQ(toastMessage(), "剪贴板没有可保存的图片或文本");
    EXPECT_TRUE(history().empty());
}

} // namespace
} // namespace ondravell::test
