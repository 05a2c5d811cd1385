#include "core/FileOps/TemplateStore.h"

#include "tests/core/FileOps/TemporaryFolder.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <gtest/gtest.h>

using namespace ondravell;
using ondravell::test::TempContainer;
using ondravell::testing::readText;
using ondravell::testing::writeText;
namespace fs = std::filesystem;

namespace {

FileTemplate custom(std::string id) {
    return FileTemplate{id, "名字 " + id, "ext", "{name}", false, "doc", false, std::nullopt};
}

std::vector<std::string> idsOf(const std::vector<FileTemplate>& templates) {
    std::vector<std::string> ids;
    for (const FileTemplate& fileTemplate : templates)
        ids.push_back(fileTemplate.id);
    return ids;
}

} // namespace

TEST(TemplateStoreFile, LivesInTheContainersApplicationSupportFolder) {
    TempContainer container;
    TemplateStore store(TemplateStore::appGroupID);
    EXPECT_EQ(store.fileURL(), container.path / "Library/Application Support/custom-templates.json");
    EXPECT_FALSE(fs::exists(*store.fileURL()));
}

TEST(TemplateStoreFile, SavesAndLoadsTheUsersListInOrder) {
    TempContainer container;
    TemplateStore store(TemplateStore::appGroupID);
    std::vector<FileTemplate> templates = {custom("b"), custom("a")};
    templates[1].customIconFilename = "A.png";
    store.saveCustom(templates);
    EXPECT_EQ(store.loadCustom(), templates);
    const std::string text = readText(*store.fileURL());
    EXPECT_TRUE(text.starts_with("[{")) << text;
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST(TemplateStoreFile, ReadsAsEmptyWhenOneEntryDoesNotDecode) {
    TempContainer container;
    TemplateStore store(TemplateStore::appGroupID);
    store.saveCustom({custom("a")});
    writeText(*store.fileURL(), R"([{"id":"a","displayNameKey":"A","fileExtension":"a","content":""},)"
                                R"({"id":"b","displayNameKey":"B","fileExtension":"b"}])");
    EXPECT_TRUE(store.loadCustom().empty());
    EXPECT_EQ(store.allTemplates(), FileTemplate::builtins());
    writeText(*store.fileURL(), "{}");
    EXPECT_TRUE(store.loadCustom().empty());
}

TEST(TemplateStoreFile, PutsTheUsersTemplatesAfterTheBuiltinsWithoutMerging) {
    TempContainer container;
    TemplateStore store(TemplateStore::appGroupID);
    EXPECT_EQ(store.allTemplates().size(), 19u);
    store.saveCustom({custom("md")});
    auto all = store.allTemplates();
    ASSERT_EQ(all.size(), 20u);
    EXPECT_EQ(all.back(), custom("md"));
}

TEST(TemplateStoreFile, DoesNothingWithoutAContainer) {
    TempContainer container;
    container.makeUnavailable();
    TemplateStore store(TemplateStore::appGroupID);
    EXPECT_FALSE(store.fileURL());
    store.saveCustom({custom("a")});
    EXPECT_TRUE(store.loadCustom().empty());
}

TEST(OrderedTemplates, RanksByFirstPositionAndKeepsUnlistedInInputOrder) {
    std::vector<FileTemplate> templates = {custom("a"), custom("b"), custom("c"), custom("d")};
    EXPECT_EQ(idsOf(orderedTemplates(templates, {"c", "x", "a"})),
              (std::vector<std::string>{"c", "a", "b", "d"}));
    EXPECT_EQ(idsOf(orderedTemplates(templates, {"d", "b", "d"})),
              (std::vector<std::string>{"d", "b", "a", "c"}));
    EXPECT_EQ(orderedTemplates(templates, {}), templates);
}

TEST(OrderedTemplates, KeepsDuplicateIdentifiersInInputOrder) {
    std::vector<FileTemplate> templates = {custom("a"), custom("b"), custom("a")};
    templates[2].displayNameKey = "second";
    auto ordered = orderedTemplates(templates, {"b", "a"});
    EXPECT_EQ(idsOf(ordered), (std::vector<std::string>{"b", "a", "a"}));
    EXPECT_EQ(ordered[2].displayNameKey, "second");
}
