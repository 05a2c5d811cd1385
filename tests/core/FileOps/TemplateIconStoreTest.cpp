#include "core/FileOps/TemplateIconStore.h"

#include "core/FileOps/TemplateStore.h"
#include "tests/core/FileOps/TemporaryFolder.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <gtest/gtest.h>

using namespace ondravell;
using ondravell::test::TempContainer;
using ondravell::testing::readText;
using ondravell::testing::writeText;
namespace fs = std::filesystem;

TEST(TemplateIconStore, CreatesTheFolderOnFirstSaveAndReplacesIcons) {
    TempContainer container;
    TemplateIconStore icons(TemplateStore::appGroupID);
    ASSERT_EQ(icons.directory, container.path / "Library/Application Support/template-icons");
    EXPECT_FALSE(fs::exists(*icons.directory));
    icons.save("png-1", "A.png");
    icons.save("png-2", "A.png");
    EXPECT_EQ(readText(*icons.directory / "A.png"), "png-2");
    EXPECT_EQ(icons.iconURL("A.png"), *icons.directory / "A.png");
    icons.remove("A.png");
    EXPECT_FALSE(fs::exists(*icons.directory / "A.png"));
    icons.remove("A.png");
}

TEST(TemplateIconStore, GivesAURLForAMissingFileButNoneForAnEmptyName) {
    TempContainer container;
    TemplateIconStore icons(TemplateStore::appGroupID);
    EXPECT_TRUE(icons.iconURL("missing.png"));
    EXPECT_FALSE(icons.iconURL(""));
    icons.remove("");
    icons.save("x", "");
    EXPECT_FALSE(fs::exists(*icons.directory));
}

TEST(TemplateIconStore, NeverReachesOutsideItsFolder) {
    TempContainer container;
    TemplateIconStore icons(TemplateStore::appGroupID);
    const fs::path support = container.path / "Library/Application Support";
    fs::create_directories(*icons.directory);
    writeText(support / "custom-templates.json", "keep");
    for (const std::string& name : std::vector<std::string>{
             "../custom-templates.json", "a/b.png", "/etc/passwd", ".", "..", std::string("a\0.png", 6)}) {
        EXPECT_FALSE(icons.iconURL(name)) << name;
        icons.save("evil", name);
        icons.remove(name);
    }
    EXPECT_EQ(readText(support / "custom-templates.json"), "keep");
    EXPECT_TRUE(fs::is_empty(*icons.directory));
    EXPECT_TRUE(fs::exists(*icons.directory));
}

TEST(TemplateIconStore, HasNoFolderWithoutAContainer) {
    TempContainer container;
    container.makeUnavailable();
    TemplateIconStore icons(TemplateStore::appGroupID);
    EXPECT_FALSE(icons.directory);
    EXPECT_FALSE(icons.iconURL("A.png"));
    icons.save("x", "A.png");
}
