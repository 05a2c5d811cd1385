#include "Extensions/FinderSync/HashActions.h"

#include "core/FileOps/FileHasher.h"
#include "tests/Extensions/FinderSync/TransferTestSupport.h"

namespace ondravell::test {
namespace {

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class Hashing : public TransferActionTest {
protected:
    void SetUp() override {
        TransferActionTest::SetUp();
        writeSettings(R"({"enabledActionIDs": ["hash"]})");
    }
    void choose(const std::string& algorithmName) {
        if (std::optional<MenuCommand> command = commandTitled(topLevelItem("计算哈希"), algorithmName))
            extension().perform(*command, extension().currentContext());
    }
    static std::string digest(std::string_view contents, HashAlgorithm algorithm) {
        return FileHasher::hash(contents, algorithm);
    }
};

TEST_F(Hashing, UpperCaseDigestWithATrailingLineFeedOnTheClipboardMatches) {
    select({makeFileWith("a.txt", "hello")});
    std::string expected = digest("hello", HashAlgorithm::sha256);
    pasteboard.placeFromOutside(upper(expected) + "\n");
    choose("SHA-256");
    ASSERT_EQ(toasts.size(), 1u);
    EXPECT_EQ(toasts[0], (ToastPayload{"哈希一致 ✓ (SHA-256)", "checkmark.seal.fill"}));
    EXPECT_EQ(pasteboard.string(), expected);
}

TEST_F(Hashing, DigestSplitIntoGroupsBySpacesStillMatches) {
    select({makeFileWith("a.txt", "hello")});
    std::string expected = digest("hello", HashAlgorithm::md5);
    pasteboard.placeFromOutside(expected.substr(0, 8) + " " + expected.substr(8, 8) + "\u3000" +
                                expected.substr(16));
    choose("MD5");
    EXPECT_EQ(toastMessages(), (std::vector<std::string>{"哈希一致 ✓ (MD5)"}));
}

TEST_F(Hashing, OtherDigestOfTheRightLengthIsAMismatchAndTheFilesDigestIsCopied) {
    select({makeFileWith("a.txt", "hello")});
    pasteboard.placeFromOutside(std::string(32, 'a'));
    choose("MD5");
    ASSERT_EQ(toasts.size(), 1u);
    EXPECT_EQ(toasts[0], (ToastPayload{"哈希不一致 ✗ (MD5)", "xmark.seal.fill"}));
    EXPECT_EQ(pasteboard.string(), digest("hello", HashAlgorithm::md5));
}

TEST_F(Hashing, ClipboardTextOfAnotherLengthOrWithOtherCharactersIsNotCompared) {
    select({makeFileWith("a.txt", "hello")});
    pasteboard.placeFromOutside(digest("hello", HashAlgorithm::sha256));
    choose("MD5");
    pasteboard.placeFromOutside("md5: " + digest("hello", HashAlgorithm::md5));
    choose("MD5");
    EXPECT_EQ(toastMessages(), (std::vector<std::string>{"已复制哈希 (MD5)", "已复制哈希 (MD5)"}));
    EXPECT_EQ(pasteboard.string(), digest("hello", HashAlgorithm::md5));
}

TEST_F(Hashing, TwoFilesSendProgressAndCopyNamedLinesWithoutComparing) {
    select({makeFileWith("a.txt", "one"), makeFileWith("b.txt", "two")});
    pasteboard.placeFromOutside(digest("one", HashAlgorithm::sha1));
    choose("SHA-1");
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_EQ(progress[0].completed, 0);
    EXPECT_EQ(progress[1].completed, 1);
    EXPECT_EQ(progress[2].completed, 2);
    EXPECT_TRUE(progress[2].done && !progress[1].done);
    EXPECT_EQ(progress[0].total, 2);
    EXPECT_EQ(progress[0].title, "正在计算哈希…");
    EXPECT_EQ(progress[0].id, progress[2].id);
    EXPECT_EQ(pasteboard.string(), "a.txt: " + digest("one", HashAlgorithm::sha1) +
                                       "\nb.txt: " + digest("two", HashAlgorithm::sha1));
    EXPECT_EQ(toasts.at(0), (ToastPayload{"已复制 2 个哈希 (SHA-1)", "checkmark.circle.fill"}));
}

TEST_F(Hashing, FoldersAreLeftOutOfTheRun) {
    // The menu offers hashing for files only, unless the user's rule lets folders in.
    select({makeFile("folder", true), makeFileWith("a.txt", "hello")});
    HashActions::hashSelected(extension(), HashAlgorithm::sha512, extension().currentContext());
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(pasteboard.string(), digest("hello", HashAlgorithm::sha512));
    EXPECT_EQ(toastMessages(), (std::vector<std::string>{"已复制哈希 (SHA-512)"}));
}

TEST_F(Hashing, OnlyFoldersSelectedDoesNothing) {
    select({makeFile("folder", true)});
    pasteboard.placeFromOutside("before");
    HashActions::hashSelected(extension(), HashAlgorithm::md5, extension().currentContext());
    EXPECT_TRUE(notificationCenter.postedNames().empty());
    EXPECT_EQ(pasteboard.string(), "before");
}

TEST_F(Hashing, UnreadableFileIsReportedAsAFailureAndTheOtherKeepsItsName) {
    std::filesystem::path missing = container.root / "missing.txt";
    select({missing, makeFileWith("b.txt", "two")});
    pasteboard.placeFromOutside(digest("two", HashAlgorithm::sha256));
    choose("SHA-256");
    EXPECT_EQ(pasteboard.string(), "b.txt: " + digest("two", HashAlgorithm::sha256));
    ASSERT_EQ(toasts.size(), 1u);
    EXPECT_EQ(toasts[0], (ToastPayload{"完成 1 个，1 个失败", "exclamationmark.triangle.fill"}));
}

TEST_F(Hashing, NoReadableFileLeavesTheClipboardAndReportsTheFailure) {
    select({container.root / "gone-a", container.root / "gone-b"});
    pasteboard.placeFromOutside("before");
    choose("MD5");
    EXPECT_EQ(pasteboard.string(), "before");
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_TRUE(progress.back().done);
    EXPECT_EQ(toastMessages(), (std::vector<std::string>{"完成 0 个，2 个失败"}));
}

TEST(HashActionsComparableDigest, NeedsExactlyTheAlgorithmsHexDigitsBesideWhiteSpace) {
    std::string digits(40, 'F');
    EXPECT_EQ(HashActions::comparableDigest("\t" + digits + " \r\n", HashAlgorithm::sha1),
              std::string(40, 'f'));
    EXPECT_FALSE(HashActions::comparableDigest(digits, HashAlgorithm::md5));
    EXPECT_FALSE(HashActions::comparableDigest(digits.substr(1) + "g", HashAlgorithm::sha1));
    EXPECT_FALSE(HashActions::comparableDigest(digits.substr(1) + "\xef\xbc\xa1", HashAlgorithm::sha1));
    EXPECT_FALSE(HashActions::comparableDigest("", HashAlgorithm::md5));
}

} // namespace
} // namespace ondravell::test
