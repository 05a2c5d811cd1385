// Result views laid out in the result panel on Qt's offscreen platform (the application object comes
// from the runner's suite in the same program).
#include "App/Selection/RowsView.h"
#include "App/Selection/SelectionResultWindow.h"
#include "App/Selection/TranslateView.h"

#include <QLabel>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using namespace ondravell;

TEST(ResultContentViewsLayout, ShortValuesAndMessagesStayOnOneLineInThePanel) {
    const std::function<QWidget*()> views[] = {
        [] {
            return new RowsView({{"本地时间", "2023-11-14 22:13:20"}, {"UTC", "2023-11-14 22:13:20 (UTC)"}},
                                true, std::nullopt, {});
        },
        [] { return new TranslateView("hello world", "翻译需要安装 translate-shell（trans 命令）"); },
    };
    SelectionResultWindow& window = SelectionResultWindow::shared();
    for (const auto& make : views) {
        QWidget* view = make();
        window.show(view, QPointF(400, 300), QStringLiteral("title"));
        for (const QLabel* label : view->findChildren<QLabel*>()) {
            if (!label->wordWrap() || label->text().isEmpty())
                continue;
            EXPECT_LT(label->heightForWidth(label->width()), 2 * label->fontMetrics().lineSpacing())
                << label->text().toStdString() << " wraps in " << label->width() << " px";
        }
        window.close();
    }
}

TEST(ResultContentViewsLayout, LongValuesBreakAnywhereWithinThreeLinesAndEndInAnEllipsis) {
    const std::string base64(600, 'Q'), encoded = "https%3A%2F%2Fexample.org%2F" + std::string(200, 'x');
    const std::string fiveLines = "one\ntwo\nthree\nfour\nfive";
    std::unique_ptr<QWidget> view(
        new RowsView({{"Base64", base64}, {"URL", encoded}, {"lines", fiveLines}}, true, std::nullopt, {}));
    std::map<QString, QStringList> shown;
    for (const QLabel* label : view->findChildren<QLabel*>()) {
        if (QStringList{"Base64", "URL", "lines"}.contains(label->text()))
            continue;
        QStringList lines = label->text().split(QLatin1Char('\n'));
        shown[lines.front().left(4)] = lines;
        for (const QString& line : lines)
            EXPECT_LE(label->fontMetrics().horizontalAdvance(line), 300) << line.toStdString();
    }
    for (const char* start : {"QQQQ", "http"}) {
        ASSERT_EQ(shown[QString::fromLatin1(start)].size(), 3) << start;
        EXPECT_TRUE(shown[QString::fromLatin1(start)].back().endsWith(QChar(0x2026))) << start;
    }
    EXPECT_EQ(shown[QStringLiteral("one")], (QStringList{"one", "two", "three…"}));
}
