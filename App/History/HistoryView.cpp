#include "App/History/HistoryView.h"

#include "App/History/HistoryActions.h"
#include "App/History/HistoryRow.h"
#include "App/Symbols/SymbolImage.h"
#include "App/Widgets/ElidedLabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <map>

namespace ondravell {

namespace {

constexpr int symbolColumnWidth = 20;
constexpr int symbolSize = 16;
constexpr int rowSpacing = 10;
constexpr int rowPadding = 2;

QColor colourOf(HistoryRow::Tint tint) {
    switch (tint) {
    case HistoryRow::Tint::orange:
        return QColor(0xff, 0x95, 0x00);
    case HistoryRow::Tint::blue:
        return QColor(0x00, 0x7a, 0xff);
    case HistoryRow::Tint::green:
        return QColor(0x28, 0xcd, 0x41);
    case HistoryRow::Tint::purple:
        return QColor(0xaf, 0x52, 0xde);
    case HistoryRow::Tint::red:
        return QColor(0xff, 0x3b, 0x30);
    case HistoryRow::Tint::teal:
        return QColor(0x30, 0xb0, 0xc7);
    }
    return {};
}

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// A font a step or two below the page's own, as captions are.
QFont smaller(QFont font, qreal by) {
    font.setPointSizeF(font.pointSizeF() - by);
    return font;
}

QLabel* secondary(QLabel* label) {
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

// A group of the form: a framed box on the page's background.
QFrame* group() {
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setBackgroundRole(QPalette::Base);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

HistoryView::HistoryView(const HistoryActions& actions, QWidget* parent)
    : QWidget(parent), actions_(actions), clear_(new QPushButton(QStringLiteral("清空历史"))) {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(8);

    auto* intro = group();
    auto* introLayout = new QVBoxLayout(intro);
    auto* introText = secondary(new QLabel(
        QStringLiteral("最近的文件操作；移动 / 复制 / 新建 / 剪贴板转文件可撤销，彻底删除不可恢复。")));
    introText->setWordWrap(true);
    introText->setFont(smaller(font(), 1.5));
    introLayout->addWidget(introText);
    column->addWidget(intro);
    column->addSpacing(10);

    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(QStringLiteral("操作历史")));
    header->addStretch(1);
    auto* refresh = new QPushButton(QStringLiteral("刷新"));
    header->addWidget(refresh);
    header->addWidget(clear_);
    column->addLayout(header);

    auto* listBox = group();
    list_ = new QVBoxLayout(listBox);
    column->addWidget(listBox);
    column->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(refresh, &QPushButton::clicked, this, [this] { reload(); });
    connect(clear_, &QPushButton::clicked, this, [this] {
        actions_.history().clear();
        reload();
    });
}

void HistoryView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reload();
}

void HistoryView::reload() {
    std::vector<FileOperation> ops = actions_.history().load();
    clear_->setEnabled(!ops.empty());

    // The rows live in one widget, replaced whole, so a reload never leaves stale lines behind.
    auto* rows = new QWidget;
    auto* layout = new QVBoxLayout(rows);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    if (ops.empty())
        layout->addWidget(secondary(new QLabel(QStringLiteral("暂无记录"))));

    const QFont titleFont = smaller(font(), 0.5);
    const QFont noteFont = smaller(font(), 2);
    const qreal ratio = devicePixelRatioF();
    // Six kinds, so each picture is drawn once per reload rather than once per row.
    std::map<std::string_view, QPixmap> pictures;
    for (const FileOperation& op : ops) {
        HistoryRow row = HistoryRow::make(op);
        auto* line = new QHBoxLayout;
        line->setSpacing(rowSpacing);
        line->setContentsMargins(0, rowPadding, 0, rowPadding);

        auto* symbol = new QLabel;
        symbol->setFixedWidth(symbolColumnWidth);
        symbol->setAlignment(Qt::AlignCenter);
        QPixmap& picture = pictures[row.symbol];
        if (picture.isNull())
            picture = SymbolImage::pixmap(QString::fromUtf8(row.symbol.data(), qsizetype(row.symbol.size())),
                                          symbolSize, colourOf(row.tint), ratio);
        symbol->setPixmap(picture);
        line->addWidget(symbol);

        auto* texts = new QVBoxLayout;
        texts->setSpacing(2);
        auto* title = new QLabel(text(row.title));
        title->setTextFormat(Qt::PlainText);
        title->setFont(titleFont);
        texts->addWidget(title);
        auto* detail = secondary(new ElidedLabel(text(row.detail)));
        detail->setFont(noteFont);
        texts->addWidget(detail);
        line->addLayout(texts, 1);

        switch (row.status) {
        case HistoryRow::Status::undone:
        case HistoryRow::Status::notUndoable: {
            auto* note =
                secondary(new QLabel(row.status == HistoryRow::Status::undone ? QStringLiteral("已撤销")
                                                                              : QStringLiteral("不可撤销")));
            note->setFont(noteFont);
            line->addWidget(note);
            break;
        }
        case HistoryRow::Status::undoButton: {
            auto* undo = new QPushButton(QStringLiteral("撤销"));
            undo->setFont(noteFont);
            connect(undo, &QPushButton::clicked, this, [this, op] {
                actions_.undo(op, [view = QPointer<HistoryView>(this)] {
                    if (view)
                        view->reload();
                });
            });
            line->addWidget(undo);
            break;
        }
        }
        layout->addLayout(line);
    }

    if (rows_) {
        list_->removeWidget(rows_);
        // Later: the click that asked for this reload may still be running in one of its buttons.
        rows_->hide();
        rows_->deleteLater();
    }
    rows_ = rows;
    list_->addWidget(rows_);
}

} // namespace ondravell
