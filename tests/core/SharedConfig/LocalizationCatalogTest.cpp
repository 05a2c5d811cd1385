#include "core/SharedConfig/LocalizationCatalog.h"

#include <gtest/gtest.h>
#include <map>

using namespace ondravell;

namespace {
constexpr LocalizationEntry kTable[] = {
    {"en", "复制路径", "Copy Path"},
    {"en", "已复制 %lld 个路径", "Copied %lld paths"},
    {"zh_TW", "复制路径", "複製路徑"},
};

std::vector<std::string> languagesOf(std::map<std::string, std::string> env) {
    return LocalizationCatalog::preferredLanguages([&](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
}
} // namespace

TEST(LocalizationCatalogChoice, TakesTheFirstPreferredLanguageThatHasTranslations) {
    LocalizationCatalog catalog(kTable, {"de_DE", "en_GB"});
    EXPECT_EQ(catalog.lookup("复制路径"), "Copy Path");
    EXPECT_EQ(catalog.lookup("新建文件"), std::nullopt);
}

TEST(LocalizationCatalogChoice, TreatsSimplifiedChineseAsTheKeysThemselves) {
    LocalizationCatalog catalog(kTable, {"zh_CN", "en"});
    EXPECT_EQ(catalog.lookup("复制路径"), std::nullopt);
    LocalizationCatalog traditional(kTable, {"zh_TW"});
    EXPECT_EQ(traditional.lookup("复制路径"), "複製路徑");
}

TEST(LocalizationCatalogChoice, HasNothingForAnEmptyTableOrNoLanguage) {
    EXPECT_EQ(LocalizationCatalog({}, {"en"}).lookup("复制路径"), std::nullopt);
    EXPECT_EQ(LocalizationCatalog(kTable, {}).lookup("复制路径"), std::nullopt);
}

TEST(LocalizationCatalogEnvironment, ReadsTheLanguageListUnlessTheLocaleIsPlain) {
    EXPECT_EQ(languagesOf({{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "de:en_US.UTF-8::de"}}),
              (std::vector<std::string>{"de", "en_US"}));
    EXPECT_EQ(languagesOf({{"LANG", "C.UTF-8"}, {"LANGUAGE", "de"}}), std::vector<std::string>{});
    EXPECT_EQ(languagesOf({{"LC_ALL", "en_GB.UTF-8@euro"}, {"LANG", "zh_CN.UTF-8"}}),
              std::vector<std::string>{"en_GB"});
    EXPECT_EQ(languagesOf({}), std::vector<std::string>{});
}
