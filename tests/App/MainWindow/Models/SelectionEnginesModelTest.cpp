#include "App/MainWindow/Models/SelectionEnginesModel.h"

#include "platform/memory/MemoryInstalledApplications.h"
#include "tests/App/MainWindow/QueuedApplicationChooser.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"

using namespace ondravell;
using namespace ondravell::test;
using List = SelectionEnginesModel::List;

namespace {

class SelectionEnginesModelTest : public SettingsFileTest {
protected:
    platform::MemoryInstalledApplications applications;
    QueuedApplicationChooser chooser;
    SelectionEnginesModel page{{applications, chooser.chooser()}};

    void type(List list, std::string name, std::string urlTemplate) {
        page.setNewName(list, std::move(name));
        page.setNewTemplate(list, std::move(urlTemplate));
    }
};

} // namespace

TEST_F(SelectionEnginesModelTest, WithoutAFileTheFirstBuiltinsAreChosenAndNothingIsWritten) {
    page.load();
    EXPECT_EQ(page.chosenID(List::search), "google");
    EXPECT_EQ(page.chosenID(List::ai), "claude");
    EXPECT_EQ(page.options(List::search).size(), 4u);
    EXPECT_EQ(page.options(List::ai).size(), 12u);
    type(List::search, "x", "https://x/?q={q}");
    EXPECT_EQ(settingsBytes(), std::nullopt);
}

TEST_F(SelectionEnginesModelTest, OnlyTemplatesThatOpenSomethingSafeAreAccepted) {
    applications.claimScheme("obsidian");
    struct Case {
        const char* name;
        const char* urlTemplate;
        bool accepted;
    };
    const Case cases[] = {
        {"Web", "https://example.org/s?q={q}", true},
        {"Plain", "HTTP://example.org/{q}", true},
        {"Padded", " \thttps://example.org/{q}\t", true},
        {"Handled", "obsidian://search?query={q}", true},
        {"Unclaimed", "nosuchapp://x?q={q}", false},
        {"Local file", "file:///etc/passwd?{q}", false},
        {"Script", "javascript:alert('{q}')", false},
        {"Script cased", "JavaScript:alert('{q}')", false},
        {"No scheme", "example.org/?q={q}", false},
        {"Upper placeholder", "https://example.org/?q={Q}", false},
        {"Spaced placeholder", "https://example.org/?q={ q }", false},
        {"   ", "https://example.org/?q={q}", false},
    };
    page.load();
    for (const Case& c : cases) {
        type(List::ai, c.name, c.urlTemplate);
        EXPECT_EQ(page.canAdd(List::ai), c.accepted) << c.name << " " << c.urlTemplate;
        page.add(List::ai); // refused ones add nothing
    }
    auto stored_ = stored().selectionCustomAIEngines;
    ASSERT_EQ(stored_.size(), 4u);
    EXPECT_EQ(stored_[2].name, "Padded");
    EXPECT_EQ(stored_[2].urlTemplate, "https://example.org/{q}");
    EXPECT_FALSE(stored_[2].autoSubmits);
    EXPECT_EQ(stored_[2].id.size(), 36u);
    EXPECT_EQ(stored().selectionAIEngineID, "claude");
}

TEST_F(SelectionEnginesModelTest, EachControlWritesOnlyItsFieldsAndRemovingTheChosenFallsBack) {
    writeSettings(R"({"selectionEnabled": true, "selectionBarStyle": "icon",
        "selectionAppBlacklist": ["a", "b", "a"]})");
    page.load();
    for (List list : {List::search, List::ai}) {
        type(list, "Twin", "https://one/{q}");
        page.add(list);
        type(list, "Twin", "https://two/{q}");
        page.add(list);
        EXPECT_TRUE(page.newName(list).empty());
        EXPECT_TRUE(page.newTemplate(list).empty());
        page.choose(list, page.custom(list)[0].id);
        page.remove(list, page.custom(list)[1].id); // not the chosen one
        EXPECT_EQ(page.chosenID(list), page.custom(list)[0].id);
        page.remove(list, page.custom(list)[0].id);
    }
    auto settings = stored();
    EXPECT_EQ(settings.selectionSearchEngineID, "google");
    EXPECT_EQ(settings.selectionAIEngineID, "claude");
    EXPECT_TRUE(settings.selectionCustomEngines.empty());
    EXPECT_TRUE(settings.selectionCustomAIEngines.empty());

    page.removeBlacklist("a"); // both copies go
    EXPECT_EQ(stored().selectionAppBlacklist, std::vector<std::string>{"b"});
    EXPECT_TRUE(stored().selectionEnabled);
    EXPECT_EQ(stored().selectionBarStyle, "icon");
}

TEST_F(SelectionEnginesModelTest, ExcludedApplicationsAreChosenOnceAndShownByName) {
    applications.install("org.gnome.Terminal", "终端", "org.gnome.Terminal");
    page.load();
    chooser.answers = {std::nullopt, "org.gnome.Terminal", "org.gnome.Terminal"};
    page.addBlacklistApp();
    EXPECT_EQ(settingsBytes(), std::nullopt);
    ASSERT_EQ(chooser.offered.size(), 1u);
    EXPECT_EQ(chooser.offered[0], (std::vector<platform::InstalledApplication>{
                                      {"org.gnome.Terminal", "终端", "org.gnome.Terminal"}}));
    page.addBlacklistApp();
    auto first = settingsBytes();
    page.addBlacklistApp();
    EXPECT_EQ(settingsBytes(), first);
    EXPECT_EQ(page.blacklist(), std::vector<std::string>{"org.gnome.Terminal"});
    EXPECT_EQ(page.appName("org.gnome.Terminal"), "终端");
    EXPECT_EQ(page.appName("gone.app"), "gone.app");
    EXPECT_EQ(SelectionEnginesModel::optionTitle(List::ai, SearchEngine{"x", "X", "https://x/{q}", true}),
              "X ⚡");
    EXPECT_EQ(SelectionEnginesModel::optionTitle(List::search, SearchEngine{"x", "X", "https://x/{q}", true}),
              "X");
}
