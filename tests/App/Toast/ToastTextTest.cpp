#include "App/Toast/ToastText.h"

#include "tests/App/OffscreenApplication.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace ondravell;

TEST(ToastText, WrapsToAtMostThreeLinesAndElidesTheRest) {
    ensureOffscreenApplication();
    const QFont font;
    const QFontMetrics metrics(font);
    const int width = 300;
    struct Case {
        QString message;
        int lines;
        bool elided;
    };
    const Case cases[] = {
        {QStringLiteral("已复制 3 个文件"), 1, false},
        {QStringLiteral("第一行\n第二行"), 2, false},
        {QString(QStringLiteral("很长")).repeated(40), 3, true},
        {QStringLiteral("a\nb\nc\nd\ne"), 3, true},
        {QString(QStringLiteral("很长")).repeated(50000), 3, true},
        {QString(QStringLiteral("😀")).repeated(5000), 3, true},
    };
    for (const Case& c : cases) {
        ToastText fitted = ToastText::fitted(c.message, font, width, 3);
        const QStringList lines = fitted.text.split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), c.lines) << c.message.left(20).toStdString();
        EXPECT_EQ(lines.back().endsWith(QChar(0x2026)), c.elided) << c.message.left(20).toStdString();
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
        EXPECT_LE(fitted.size.width(), width);
        EXPECT_GE(fitted.size.height(), c.lines * metrics.height());
        EXPECT_LT(fitted.size.height(), (c.lines + 1) * metrics.lineSpacing() * 2);
    }
    // A short message keeps its own width.
    EXPECT_LT(ToastText::fitted(QStringLiteral("已复制"), font, width, 3).size.width(), width / 2);
}
