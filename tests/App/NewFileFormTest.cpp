#include "App/NewFile/NewFileForm.h"

#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace ondravell;
namespace fs = std::filesystem;

TEST(NewFileForm, CreateIsEnabledOnlyForANameThatStaysInTheFolder) {
    struct Case {
        std::string_view name, extension;
        bool enabled;
    };
    for (const Case& c :
         {Case{"未命名", "", true}, Case{" a b\t", "md", true}, Case{"a/b", "", false},
          Case{"../x", "", false}, Case{"..", "", false}, Case{" . ", "", false}, Case{" ", "", false},
          Case{"", "txt", false}, Case{std::string_view("a\0b", 3), "", false}, Case{"a", "x/y", false}})
        EXPECT_EQ(NewFileForm::canCreate(c.name, c.extension), c.enabled) << c.name << "." << c.extension;
    EXPECT_EQ(NewFileForm::normalizedExtension(" .MD "), "md");
    EXPECT_EQ(NewFileForm::normalizedExtension(".Tar.GZ."), "tar.gz");
}

TEST(NewFileForm, CreatesUnderAFreeNameRecordsAndConfirms) {
    ondravell::testing::TemporaryFolder folder;
    std::vector<std::string> toasts;
    int hints = 0;
    NewFileForm::Services services{OperationHistory(folder / "history.json"),
                                   [&](const std::string& message, const std::string& symbol) {
                                       EXPECT_EQ(symbol, "doc.badge.plus");
                                       toasts.push_back(message);
                                   },
                                   [&] { ++hints; }};
    const auto now = std::chrono::system_clock::now();
    EXPECT_EQ(NewFileForm::create(folder.path, "未命名", "", now, services), folder / "未命名");
    EXPECT_EQ(NewFileForm::create(folder.path, " 未命名 ", "", now, services), folder / "未命名 2");
    EXPECT_EQ(NewFileForm::create(folder.path, "notes", ". MD", now, services), folder / "notes.md");
    EXPECT_FALSE(NewFileForm::create(folder / "missing", "a", "", now, services));
    EXPECT_FALSE(NewFileForm::create(folder.path, "../escape", "", now, services));

    EXPECT_EQ(toasts, (std::vector<std::string>{"已新建 未命名", "已新建 未命名 2", "已新建 notes.md"}));
    EXPECT_EQ(hints, 1);
    EXPECT_FALSE(fs::exists(folder.path.parent_path() / "escape"));
    auto history = services.history.loadAscending();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[2].kind, FileOperation::Kind::newFile);
    EXPECT_EQ(history[2].items,
              (std::vector<FileOperationItem>{{std::nullopt, (folder / "notes.md").string()}}));
}
