#include "App/MainWindow/Models/SettingsPageModel.h"

#include "tests/App/MainWindow/SettingsFileFixture.h"

using namespace ondravell;
using namespace ondravell::test;

namespace {

// A page that owns one field.
class SizeLimitPage final : public SettingsPageModel {
public:
    std::int64_t limit = 0;
    void setLimit(std::int64_t value) {
        limit = value;
        persist();
    }

private:
    void read(const OndravellSettings& settings) override { limit = settings.maxCopyFileSizeMB; }
    void write(OndravellSettings& settings) const override { settings.maxCopyFileSizeMB = limit; }
};

using SettingsPageModelTest = SettingsFileTest;

} // namespace

TEST_F(SettingsPageModelTest, LoadingWritesNothingWhateverTheFileHolds) {
    for (std::optional<std::string> bytes :
         {std::optional<std::string>(), std::optional<std::string>("{\"maxCopyFileSizeMB\": 20}  \n"),
          std::optional<std::string>("{not json")}) {
        std::filesystem::remove(settingsFile());
        if (bytes)
            writeSettings(*bytes);
        SizeLimitPage page;
        int redraws = 0;
        page.setObserver([&] { ++redraws; });
        page.load();
        page.load();
        EXPECT_EQ(redraws, 2);
        EXPECT_EQ(settingsBytes(), bytes);
    }
}

TEST_F(SettingsPageModelTest, AnEditRewritesOnlyThePagesFieldsOverWhatOthersSavedMeanwhile) {
    SizeLimitPage page;
    page.setLimit(30); // before the page showed the file: nothing is written
    EXPECT_EQ(settingsBytes(), std::nullopt);
    page.load();

    OndravellSettings other = stored();
    other.favoriteTargets = {"/srv/share"};
    other.maxCopyFileSizeMB = 99;
    SettingsService().save(other);

    page.setLimit(30);
    OndravellSettings after = stored();
    EXPECT_EQ(after.maxCopyFileSizeMB, 30);
    EXPECT_EQ(after.favoriteTargets, std::vector<std::string>{"/srv/share"});
}

TEST_F(SettingsPageModelTest, WidgetsSetWhileThePageRedrawsDoNotSave) {
    writeSettings("{\"maxCopyFileSizeMB\": 20}");
    SizeLimitPage page;
    // A view whose spin box reports every value set from code as an edit.
    page.setObserver([&] { page.setLimit(page.limit); });
    page.load();
    EXPECT_EQ(settingsBytes(), "{\"maxCopyFileSizeMB\": 20}");
}

TEST_F(SettingsPageModelTest, TheFirstEditOverAnUndecodableFileKeepsItAside) {
    writeSettings("{\"maxCopyFileSizeMB\": \"many\"}");
    SizeLimitPage page;
    page.load();
    EXPECT_EQ(page.limit, 10);
    page.setLimit(12);
    EXPECT_EQ(stored().maxCopyFileSizeMB, 12);
    std::ifstream corrupt(settingsFile().string() + ".corrupt");
    EXPECT_TRUE(corrupt.good());
}

TEST_F(SettingsPageModelTest, AFailedSaveIsReportedAndThePageShowsTheStoredValueAgain) {
    writeSettings("{\"maxCopyFileSizeMB\": 20}");
    SizeLimitPage page;
    std::vector<bool> saves;
    std::vector<std::int64_t> drawn;
    page.setSaveObserver([&](bool saved) { saves.push_back(saved); });
    page.setObserver([&] { drawn.push_back(page.limit); });
    page.load();
    {
        ReadOnlySettingsFolder readOnly(settingsFile().parent_path());
        page.setLimit(30);
    }
    EXPECT_EQ(settingsBytes(), "{\"maxCopyFileSizeMB\": 20}");
    page.setLimit(40);
    EXPECT_EQ(saves, (std::vector<bool>{false, true}));
    EXPECT_EQ(drawn, (std::vector<std::int64_t>{20, 20, 40}));
    EXPECT_EQ(stored().maxCopyFileSizeMB, 40);
}
