// Result views laid out in the result panel on Qt's offscreen platform (the application object comes
// from the runner's suite in the same program).
#include "App/Selection/ResultContentViews.h"

#include "App/Selection/SelectionResultWindow.h"

#include <QLabel>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace ondravell;

TEST(ResultContentViewsLayout, ShortValuesAndMessagesStayOnOneLineInThePanel) {
    const std::function<QWidget*()> views[] = {
        [] {
            return ResultContentViews::rows(
                {{"本地时间", "2023-11-14 22:13:20"}, {"UTC", "2023-11-14 22:13:20 (UTC)"}}, true,
                std::nullopt, {});
        },
        [] {
            return ResultContentViews::translation("hello world",
                                                   "翻译需要安装 translate-shell（trans 命令）", nullptr);
        },
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
