#include "core/SharedConfig/SettingsService.h"

#include "core/SharedConfig/AppGroupSettingsStore.h"
#include "core/SharedConfig/InMemorySettingsStore.h"
#include "core/Support/AtomicFile.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {
fs::path settingsFile(const test::TempContainer& container) {
    return container.path / "Library/Application Support/settings.v1.json";
}

// Saves as a user who cannot read a file of mode 000: this process, or, when it runs as root (whom no
// mode keeps out), a child that gives the container to "nobody" and becomes that user.
void saveWithoutReadPermission(const test::TempContainer& container, const OndravellSettings& settings) {
    ::chmod(settingsFile(container).c_str(), 0);
    if (::geteuid() != 0) {
        SettingsService().save(settings);
        return;
    }
    constexpr uid_t nobody = 65534;
    for (const auto& entry : fs::recursive_directory_iterator(container.root))
        ASSERT_EQ(::lchown(entry.path().c_str(), nobody, nobody), 0);
    ASSERT_EQ(::chown(container.root.c_str(), nobody, nobody), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        bool dropped = ::setgid(nobody) == 0 && ::setuid(nobody) == 0;
        if (dropped)
            SettingsService().save(settings);
        ::_exit(dropped ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
} // namespace

TEST(SettingsServiceLoad, AMissingFileGivesTheDefaultRecordAndAnEmptyObjectShowsNoActions) {
    test::TempContainer container;
    SettingsService service;
    EXPECT_EQ(service.load(), OndravellSettings::defaultSettings());
    ASSERT_TRUE(writeFileAtomically(settingsFile(container), "{}"));
    EXPECT_TRUE(service.load().enabledActionIDs.empty());
}

TEST(SettingsServiceLoad, AnUndecodableFileGivesTheDefaultRecord) {
    test::TempContainer container;
    SettingsService service;
    ASSERT_TRUE(
        writeFileAtomically(settingsFile(container),
                            R"({"nestUnderOndravell":true,"actionRules":{"hash":{"containerScope":"x"}}})"));
    EXPECT_EQ(service.load(), OndravellSettings::defaultSettings());
}

TEST(SettingsServiceSave, WritesTheContainerFileThatEveryNewServiceReads) {
    test::TempContainer container;
    auto settings = OndravellSettings::defaultSettings();
    settings.favoriteTargets = {"/srv"};
    SettingsService().save(settings);
    EXPECT_EQ(SettingsService().load(), settings);
    EXPECT_EQ(SettingsService::settingsFileURL(), settingsFile(container));
    auto bytes = readRegularFile(settingsFile(container));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->find("preferredEditorBundleID"), std::string::npos);
    EXPECT_EQ(bytes->find('\n'), std::string::npos);
}

TEST(SettingsServiceSave, KeepsAnUndecodableFileBesideTheNewOne) {
    test::TempContainer container;
    SettingsService service;
    const std::string lost = R"({"favoriteTargets":["/home/u/项目"],"maxCopyFileSizeMB":"lots"})";
    ASSERT_TRUE(writeFileAtomically(settingsFile(container), lost));
    auto settings = service.load();
    settings.selectionEnabled = true;
    service.save(settings);
    EXPECT_EQ(service.load(), settings);
    fs::path copy = settingsFile(container);
    copy += ".corrupt";
    EXPECT_EQ(readRegularFile(copy), lost);

    // A readable file is replaced without a copy; the earlier copy stays as it was.
    settings.selectionEnabled = false;
    service.save(settings);
    EXPECT_EQ(readRegularFile(copy), lost);

    // A later unreadable file is the more recent loss and takes the copy's place.
    ASSERT_TRUE(writeFileAtomically(settingsFile(container), "{\"later\":"));
    service.save(settings);
    EXPECT_EQ(readRegularFile(copy), "{\"later\":");
}

TEST(SettingsServiceSave, CopiesNoBlankFileAndDropsTheSaveWhenTheCopyCannotBeKept) {
    test::TempContainer container;
    fs::path copy = settingsFile(container);
    copy += ".corrupt";
    SettingsService service;
    ASSERT_TRUE(writeFileAtomically(settingsFile(container), " \n"));
    service.save(OndravellSettings::defaultSettings());
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(service.load(), OndravellSettings::defaultSettings());

    ASSERT_TRUE(writeFileAtomically(settingsFile(container), "garbage"));
    fs::create_directories(copy / "blocks-the-copy");
    service.save(OndravellSettings{});
    EXPECT_EQ(readRegularFile(settingsFile(container)), "garbage");
}

TEST(SettingsServiceSave, KeepsAFileItCannotReadOrThatIsTooLarge) {
    test::TempContainer container;
    const fs::path copy = fs::path(settingsFile(container)) += ".corrupt";
    fs::create_directories(settingsFile(container).parent_path());
    OndravellSettings changed;
    changed.selectionEnabled = true;

    std::string large = R"({"favoriteTargets":["/srv"]})";
    large.resize(AppGroupSettingsStore::maxFileBytes + 1, ' ');
    ASSERT_TRUE(writeFileAtomically(settingsFile(container), large));
    SettingsService().save(changed);
    EXPECT_EQ(readRegularFile(copy), large);
    EXPECT_EQ(SettingsService().load(), changed);

    const std::string locked = R"({"favoriteTargets":["/home/u/项目"]})";
    ASSERT_TRUE(writeFileAtomically(settingsFile(container), locked));
    saveWithoutReadPermission(container, OndravellSettings::defaultSettings());
    // The copy is the file as it was, its mode included.
    fs::permissions(copy, fs::perms::owner_read);
    EXPECT_EQ(readRegularFile(copy), locked);
    EXPECT_EQ(SettingsService().load(), OndravellSettings::defaultSettings());
}

TEST(SettingsServiceStores, WithoutAContainerEachServiceHasAStoreOfItsOwn) {
    test::TempContainer container;
    container.makeUnavailable();
    EXPECT_EQ(SettingsService::settingsFileURL(), std::nullopt);
    SettingsService first;
    OndravellSettings changed;
    first.save(changed);
    EXPECT_EQ(first.load(), changed);
    EXPECT_EQ(SettingsService().load(), OndravellSettings::defaultSettings());
}

TEST(SettingsServiceStores, TheInMemoryStoreIsSafeToShareBetweenThreads) {
    auto store = std::make_shared<InMemorySettingsStore>();
    SettingsService service(store);
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&service, i] {
            OndravellSettings s;
            s.maxCopyFileSizeMB = i;
            for (int n = 0; n < 200; ++n) {
                service.save(s);
                EXPECT_LT(service.load().maxCopyFileSizeMB, 4);
            }
        });
    for (auto& thread : threads)
        thread.join();
}
