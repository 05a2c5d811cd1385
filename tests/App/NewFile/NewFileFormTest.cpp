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
    std::vector<std::string> toasts, hints;
    NewFileForm::Services services{OperationHistory(folder / "history.json"),
                                   [&](const std::string& message, const std::string& symbol) {
                                       EXPECT_EQ(symbol, "doc.badge.plus");
                                       toasts.push_back(message);
                                   },
                                   [&](const std::string& message) { hints.push_back(message); }};
    const auto now = std::chrono::system_clock::now();
    EXPECT_EQ(NewFileForm::create(folder.path, "未命名", "", now, services), folder / "未命名");
    EXPECT_EQ(NewFileForm::create(folder.path, " 未命名 ", "", now, services), folder / "未命名 2");
    EXPECT_EQ(NewFileForm::create(folder.path, "notes", ". MD", now, services), folder / "notes.md");
    EXPECT_FALSE(NewFileForm::create(folder / "missing", "a", "", now, services));
    EXPECT_FALSE(NewFileForm::create(folder.path, "../escape", "", now, services));

    EXPECT_EQ(toasts, (std::vector<std::string>{"已新建 未命名", "已新建 未命名 2", "已新建 notes.md"}));
    EXPECT_EQ(hints, std::vector<std::string>{"无法新建文件：文件夹不存在"});
    EXPECT_FALSE(fs::exists(folder.path.parent_path() / "escape"));
    auto history = services.history.loadAscending();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[2].kind, FileOperation::Kind::newFile);
    EXPECT_EQ(history[2].items,
              (std::vector<FileOperationItem>{{std::nullopt, (folder / "notes.md").string()}}));
}

TEST(NewFileForm, SaysWhyNoFileCouldBeMadeAndNamesTheFolder) {
    using std::errc;
    for (auto [error, message] : {std::pair{errc::no_such_file_or_directory, "无法新建文件：文件夹不存在"},
                                  {errc::not_a_directory, "无法新建文件：文件夹不存在"},
                                  {errc::permission_denied, "无法新建文件：没有写入此文件夹的权限"},
                                  {errc::read_only_file_system, "无法新建文件：没有写入此文件夹的权限"},
                                  {errc::no_space_on_device, "无法新建文件：磁盘空间不足"},
                                  {errc::io_error, "无法新建文件"}})
        EXPECT_EQ(NewFileForm::failureMessage(std::make_error_code(error)), message);
    EXPECT_EQ(NewFileForm::title("/"), "在「/」新建文件");
    EXPECT_EQ(NewFileForm::title("/home/me/Docs/"), "在「Docs」新建文件");
    EXPECT_EQ(NewFileForm::title("/home/<h1>大标题"), "在「<h1>大标题」新建文件");
}
