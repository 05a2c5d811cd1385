#include "App/Services/ConfigBackup.h"
#include "App/Services/ConfigBundleStore.h"
#include "core/Support/Base64.h"
#include "tests/App/Services/SharedHotKeys.h"
#include "tests/core/FileOps/TemporaryFolder.h"
#include "tests/core/SharedConfig/TempContainer.h"

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

TEST(ConfigBundleDecoding, AcceptsOnlyWholeBundlesOfTheRightTypes) {
    const std::string emptyBundle = R"({"version":1,"settings":{},"customTemplates":[],"icons":{}})";
    struct Case {
        const char* what;
        std::string text;
        bool accepted;
    } cases[] = {
        {"a plain bundle", emptyBundle, true},
        {"any integer version", R"({"version":7,"settings":{},"customTemplates":[],"icons":{},"x":0})", true},
        {"no icons key", R"({"version":1,"settings":{},"customTemplates":[]})", false},
        {"no version", R"({"settings":{},"customTemplates":[],"icons":{}})", false},
        {"null settings", R"({"version":1,"settings":null,"customTemplates":[],"icons":{}})", false},
        {"no templates", R"({"version":1,"settings":{},"icons":{}})", false},
        {"fractional version", R"({"version":1.5,"settings":{},"customTemplates":[],"icons":{}})", false},
        {"settings of wrong types",
         R"({"version":1,"settings":{"maxCopyFileSizeMB":"ten"},"customTemplates":[],"icons":{}})", false},
        {"templates as an object", R"({"version":1,"settings":{},"customTemplates":{},"icons":{}})", false},
        {"a template without id", R"({"version":1,"settings":{},"customTemplates":[{}],"icons":{}})", false},
        {"an icon that is a number", R"({"version":1,"settings":{},"customTemplates":[],"icons":{"a":1}})",
         false},
        {"empty text", "", false},
        {"truncated", emptyBundle.substr(0, emptyBundle.size() - 3), false},
        {"not UTF-8",
         R"({"version":1,"settings":{"favoriteTargets":[")" + std::string("\xff\xfe") +
             R"("]},"customTemplates":[],"icons":{}})",
         false},
        {"an icon that is not a PNG", iconsWith(Base64::encode("GIF89a not an icon at all")), false},
        {"a huge image", iconsWith(Base64::encode(png(100000, 100000))), false},
        {"a small PNG icon", iconsWith(Base64::encode(png(64, 64))), true},
        // Skipped when applied, as an icon that is not Base64 is.
        {"an icon that is not Base64", iconsWith("not base64!"), true},
        {"too large a file", std::string(ConfigBundle::maxFileBytes + 1, ' ') + emptyBundle, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConfigBundle::decode(c.text).has_value(), c.accepted) << c.what;
}

TEST(ConfigBundleDecoding, EmptySettingsTakeTheirDefaultsAndTheHashIgnoresKeyOrder) {
    auto first = ConfigBundle::decode(R"({"icons":{},"customTemplates":[],"settings":{},"version":1})");
    auto second = ConfigBundle::decode(R"({"version":1,"settings":{},"customTemplates":[],"icons":{}})");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->settings, OndravellSettings{});
    EXPECT_EQ(first->hash(), second->hash());
    EXPECT_EQ(first->hash()->size(), 64u);
}

TEST(ConfigBundleExport, HoldsTheFourKeysAndOnlyTheIconsThatCanBeRead) {
    TempContainer container;
    auto plain = ConfigBundle::decode(*ConfigBackup::exportBytes());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->toJSON().size(), 4u);
    EXPECT_EQ(plain->version, 1);
    EXPECT_TRUE(plain->customTemplates.empty() && plain->icons.empty());

    ConfigBundle bundle;
    bundle.customTemplates = {customTemplate("a", "A.png"), customTemplate("b", "gone.png"),
                              customTemplate("c", std::nullopt)};
    bundle.icons = {{"A.png", Base64::encode(png(16, 16))}};
    ASSERT_TRUE(ConfigBundleStore().apply(bundle).complete);
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

    // The templates file's place is taken by a folder: the list cannot be written.
    fs::remove(support / "custom-templates.json");
    fs::create_directories(support / "custom-templates.json/blocked");
    bundle.settings.maxCopyFileSizeMB = 4;
    EXPECT_EQ(ConfigBackup::applyImport(bundle),
              (ConfigBackup::Message{"导入失败", "exclamationmark.triangle.fill"}));
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
