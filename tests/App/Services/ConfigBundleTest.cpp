#include "App/Services/ConfigBackup.h"
#include "App/Services/ConfigBundleStore.h"
#include "core/Support/Base64.h"
#include "tests/App/Services/SharedHotKeys.h"
#include "tests/core/FileOps/TemporaryFolder.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace ondravell;
using ondravell::test::TempContainer;
using ondravell::testing::readText;
using ondravell::testing::writeText;
namespace fs = std::filesystem;

namespace {

std::string png(std::uint32_t width, std::uint32_t height) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    auto put32 = [&bytes](std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<char>((value >> shift) & 0xff));
    };
    put32(13);
    bytes += "IHDR";
    put32(width);
    put32(height);
    bytes += std::string("\x08\x06\x00\x00\x00", 5) + "crc!";
    return bytes;
}

std::string iconsWith(const std::string& value) {
    return R"({"version":1,"settings":{},"customTemplates":[],"icons":{"a.png":")" + value + R"("}})";
}

FileTemplate customTemplate(std::string id, std::optional<std::string> icon) {
    return FileTemplate{std::move(id), "我的", "txt", "", false, "doc", false, std::move(icon)};
}

} // namespace

TEST(ConfigBundleDecoding, AcceptsOnlyWholeBundlesOfTheRightTypesAndLeavesOutIconsThatAreNoImages) {
    const std::string emptyBundle = R"({"version":1,"settings":{},"customTemplates":[],"icons":{}})";
    struct Case {
        const char* what;
        std::string text;
        // Icons kept; -1: the bundle is refused.
        int icons;
    } cases[] = {
        {"a plain bundle", emptyBundle, 0},
        {"any integer version", R"({"version":7,"settings":{},"customTemplates":[],"icons":{},"x":0})", 0},
        {"no icons key", R"({"version":1,"settings":{},"customTemplates":[]})", -1},
        {"no version", R"({"settings":{},"customTemplates":[],"icons":{}})", -1},
        {"null settings", R"({"version":1,"settings":null,"customTemplates":[],"icons":{}})", -1},
        {"no templates", R"({"version":1,"settings":{},"icons":{}})", -1},
        {"fractional version", R"({"version":1.5,"settings":{},"customTemplates":[],"icons":{}})", -1},
        {"settings of wrong types",
         R"({"version":1,"settings":{"maxCopyFileSizeMB":"ten"},"customTemplates":[],"icons":{}})", -1},
        {"templates as an object", R"({"version":1,"settings":{},"customTemplates":{},"icons":{}})", -1},
        {"a template without id", R"({"version":1,"settings":{},"customTemplates":[{}],"icons":{}})", -1},
        {"an icon that is a number", R"({"version":1,"settings":{},"customTemplates":[],"icons":{"a":1}})",
         -1},
        {"empty text", "", -1},
        {"truncated", emptyBundle.substr(0, emptyBundle.size() - 3), -1},
        {"not UTF-8",
         R"({"version":1,"settings":{"favoriteTargets":[")" + std::string("\xff\xfe") +
             R"("]},"customTemplates":[],"icons":{}})",
         -1},
        {"an icon that is not a PNG", iconsWith(Base64::encode("GIF89a not an icon at all")), 0},
        {"a huge image", iconsWith(Base64::encode(png(100000, 100000))), 0},
        {"a small PNG icon", iconsWith(Base64::encode(png(64, 64))), 1},
        // Skipped when applied, as an icon that is not Base64 is.
        {"an icon that is not Base64", iconsWith("not base64!"), 1},
        {"too large a file", std::string(ConfigBundle::maxFileBytes + 1, ' ') + emptyBundle, -1},
    };
    for (const Case& c : cases) {
        auto bundle = ConfigBundle::decode(c.text);
        EXPECT_EQ(bundle ? static_cast<int>(bundle->icons.size()) : -1, c.icons) << c.what;
    }
}

TEST(ConfigBundleDecoding, EmptySettingsTakeTheirDefaultsAndTheHashIgnoresKeyOrder) {
    auto first = ConfigBundle::decode(R"({"icons":{},"customTemplates":[],"settings":{},"version":1})");
    auto second = ConfigBundle::decode(R"({"version":1,"settings":{},"customTemplates":[],"icons":{}})");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->settings, OndravellSettings{});
    EXPECT_EQ(first->hash(), second->hash());
    EXPECT_EQ(first->hash()->size(), 64u);
}

TEST(ConfigBundleExport, HoldsTheFourKeysAndOnlyTheIconsThatCanBeReadBack) {
    TempContainer container;
    auto plain = ConfigBundle::decode(*ConfigBackup::exportBytes());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->toJSON().size(), 4u);
    EXPECT_EQ(plain->version, 1);
    EXPECT_TRUE(plain->customTemplates.empty() && plain->icons.empty());

    ConfigBundle bundle;
    bundle.customTemplates = {customTemplate("a", "A.png"), customTemplate("b", "gone.png"),
                              customTemplate("c", std::nullopt), customTemplate("d", "D.gif"),
                              customTemplate("e", "E.png")};
    bundle.icons = {{"A.png", Base64::encode(png(16, 16))}};
    ASSERT_TRUE(ConfigBundleStore().apply(bundle).complete);
    // Icons a reader would refuse are left out.
    const fs::path icons = container.path / "Library/Application Support/template-icons";
    writeText(icons / "D.gif", "GIF89a");
    writeText(icons / "E.png", png(5000, 16));
    EXPECT_EQ(ConfigBundleStore().current(), bundle);
}

TEST(ConfigBundleImport, WritesOnlyBareIconNamesAndReportsFailedWrites) {
    TempContainer container;
    test::SharedHotKeys::setUp([] { return SettingsService().load(); });
    ASSERT_TRUE(test::SharedHotKeys::keys().registeredIDs().empty());

    ConfigBundle bundle;
    bundle.settings = test::SharedHotKeys::withCopyPathHotKey({});
    bundle.settings.maxCopyFileSizeMB = 3;
    bundle.customTemplates = {customTemplate("a", "A.png")};
    bundle.icons = {{"A.png", Base64::encode(png(16, 16))},
                    {"../../escaped.png", Base64::encode(png(16, 16))},
                    {"..", Base64::encode(png(16, 16))},
                    {"B.png", "%%%%"}};
    EXPECT_EQ(ConfigBackup::applyImport(bundle),
              (ConfigBackup::Message{"配置已导入", "square.and.arrow.down"}));
    // The imported hot key is registered at once.
    EXPECT_EQ(test::SharedHotKeys::keys().registeredIDs().size(), 1u);
    const fs::path support = container.path / "Library/Application Support";
    EXPECT_EQ(readText(support / "template-icons/A.png"), png(16, 16));
    EXPECT_FALSE(fs::exists(support / "template-icons/B.png"));
    EXPECT_FALSE(fs::exists(container.path / "escaped.png"));
    EXPECT_EQ(SettingsService().load().maxCopyFileSizeMB, 3);

    // Nothing is replaced unless everything can be: the templates file's place taken by a folder, or
    // the icon folder's by a file.
    const auto listing = [&] {
        std::vector<fs::path> paths;
        for (const auto& entry : fs::recursive_directory_iterator(support))
            paths.push_back(entry.path());
        std::sort(paths.begin(), paths.end());
        return paths;
    };
    bundle.settings.maxCopyFileSizeMB = 4;
    bundle.icons = {{"A.png", Base64::encode(png(32, 32))}};
    for (const fs::path& blocked : {support / "custom-templates.json", support / "template-icons/A.png"}) {
        fs::remove(blocked);
        fs::create_directories(blocked / "in-the-way");
        const auto before = listing();
        EXPECT_EQ(ConfigBackup::applyImport(bundle),
                  (ConfigBackup::Message{"导入失败", "exclamationmark.triangle.fill"}));
        EXPECT_EQ(SettingsService().load().maxCopyFileSizeMB, 3) << blocked;
        EXPECT_EQ(listing(), before) << "every file written is removed again";
        fs::remove_all(blocked);
    }
    test::SharedHotKeys::settings() = nullptr;
}

TEST(ConfigBundleImport, ReadsAnExportedFileBackUnchanged) {
    TempContainer container;
    ConfigBundle bundle;
    bundle.settings.favoriteTargets = {"/tmp"};
    bundle.customTemplates = {customTemplate("a", "A.png")};
    bundle.icons = {{"A.png", Base64::encode(png(8, 8))}};
    ConfigBundleStore().apply(bundle);

    const fs::path file = container.root / "Ondravell-config.json";
    EXPECT_EQ(ConfigBackup::writeExport(file, *ConfigBackup::exportBytes()).text, "配置已导出");
    auto read = ConfigBackup::readImport(file);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, bundle);
    EXPECT_EQ(ConfigBackup::writeExport(container.root / "missing/x.json", "{}").text, "导出失败");
    writeText(container.root / "empty.json", "");
    EXPECT_FALSE(ConfigBackup::readImport(container.root / "empty.json"));
}
