#include "App/Host/QtTranslations.h"

#include "tests/App/OffscreenApplication.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace ondravell;

namespace {
QString qtText(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}
} // namespace

TEST(QtTranslations, ChineseWhileInstalledAndEnglishWithoutTheCatalog) {
    ensureOffscreenApplication();
    {
        // A machine without the catalog starts as before, in English throughout.
        QtTranslations missing(QStringLiteral("/nonexistent/translations"));
        EXPECT_FALSE(missing.catalogLoaded());
        EXPECT_EQ(qtText("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
        EXPECT_EQ(qtText("QAbstractFileIconProvider", "Folder"), QStringLiteral("Folder"));
    }
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(folder + QStringLiteral("/qtbase_zh_CN.qm")))
        GTEST_SKIP() << "Qt's Chinese catalog is not installed";
    {
        QtTranslations installed;
        ASSERT_TRUE(installed.catalogLoaded());
        EXPECT_EQ(qtText("QFileDialog", "Look in:"), QStringLiteral("查找范围："));
        EXPECT_EQ(qtText("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        EXPECT_EQ(qtText("QAbstractFileIconProvider", "Folder"), QStringLiteral("文件夹"));
    }
    EXPECT_EQ(qtText("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}
