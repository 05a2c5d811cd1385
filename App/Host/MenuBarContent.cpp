#include "App/Host/MenuBarContent.h"

#include "App/Host/MenuBarIcon.h"
#include "App/Symbols/SymbolImage.h"
#include "App/Widgets/ElidedLabel.h"
#include "App/Widgets/PopupPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace ondravell {

namespace {

constexpr int padding = 16;
constexpr int spacing = 12;
constexpr int boxPadding = 10;
constexpr int iconSize = 34;
constexpr int symbolSize = 14;
// Between the tray icon and the popup.
constexpr int popupGap = 4;
const QColor green(0x28, 0xcd, 0x41);
const QColor orange(0xff, 0x95, 0x00);

QFont adjusted(QFont font, qreal by, bool bold = false) {
    font.setPointSizeF(font.pointSizeF() + by);
    font.setBold(bold);
    return font;
}

QLabel* symbolLabel(const QString& symbol, const QColor& tint, qreal ratio) {
    auto* label = new QLabel;
    label->setPixmap(SymbolImage::pixmap(symbol, symbolSize, tint, ratio));
    return label;
}

// A symbol and a text side by side, as one label of the design.
QWidget* labelWithSymbol(const QString& symbol, const QString& text, const QColor& tint, const QFont& font,
                         qreal ratio) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(symbolLabel(symbol, tint, ratio));
    auto* label = new QLabel(text);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, tint);
    label->setPalette(palette);
    layout->addWidget(label, 1);
    return row;
}

// A rounded box tinted with `tint` at low opacity, as the status and undo boxes are.
QFrame* tintedBox(const QColor& tint, qreal opacity) {
    auto* box = new QFrame;
    QColor fill = tint;
    fill.setAlphaF(float(opacity));
    box->setObjectName(QStringLiteral("tintedBox"));
    box->setStyleSheet(
        QStringLiteral("#tintedBox { background: %1; border-radius: 8px; }").arg(fill.name(QColor::HexArgb)));
    return box;
}

QFrame* divider() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QToolButton* command(const QString& symbol, const QString& title, const QColor& tint, qreal ratio) {
    auto* button = new QToolButton;
    button->setText(title);
    button->setIcon(QIcon(SymbolImage::pixmap(symbol, symbolSize, tint, ratio)));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

QPushButton* smallButton(const QString& title) {
    auto* button = new QPushButton(title);
    button->setFont(adjusted(button->font(), -1));
    return button;
}

// Where the popup stands: centred below the icon, or above it in a panel at the screen's bottom, inside
// the screen's free area.
QPoint placement(const QRect& anchor, const QSize& size) {
    QRect icon = anchor.isEmpty() ? QRect(QCursor::pos(), QSize(1, 1)) : anchor;
    QScreen* screen = QGuiApplication::screenAt(icon.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size);
    return popupPosition(icon, size, area, Qt::AlignHCenter, popupGap);
}

} // namespace

MenuBarContent::MenuBarContent(MenuBarContentModel model, Commands commands)
    : QFrame(nullptr, Qt::Popup | Qt::FramelessWindowHint),
      model_(std::move(model)),
      commands_(std::move(commands)) {
    setFrameShape(QFrame::StyledPanel);
    const qreal ratio = devicePixelRatioF();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(spacing);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    auto* icon = new QLabel;
    icon->setPixmap(MenuBarIcon::make().pixmap(QSize(iconSize, iconSize), ratio));
    header->addWidget(icon);
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    auto* title = new QLabel(QStringLiteral("Ondravell · 小欧"));
    title->setFont(adjusted(font(), 0.5, true));
    names->addWidget(title);
    auto* subtitle = new QLabel(QStringLiteral("右键增强 + 划词操作"));
    subtitle->setFont(adjusted(font(), -1));
    subtitle->setForegroundRole(QPalette::PlaceholderText);
    names->addWidget(subtitle);
    header->addLayout(names, 1);
    column->addLayout(header);
    column->addWidget(divider());

    // The status and undo boxes come here, rebuilt at every show.
    column->addWidget(divider());

    auto* commandsRow = new QHBoxLayout;
    const QColor text = palette().color(QPalette::WindowText);
    QToolButton* settings = command(QStringLiteral("gearshape"), QStringLiteral("设置…"), text, ratio);
    QToolButton* history =
        command(QStringLiteral("clock.arrow.circlepath"), QStringLiteral("历史"), text, ratio);
    QToolButton* quit = command(QStringLiteral("power"), QStringLiteral("退出"), text, ratio);
    commandsRow->addWidget(settings);
    commandsRow->addWidget(history);
    commandsRow->addStretch(1);
    commandsRow->addWidget(quit);
    column->addLayout(commandsRow);

    auto run = [this](const std::function<void()>& action, bool close) {
        return [this, action, close] {
            if (action)
                action();
            if (close)
                hide();
        };
    };
    connect(settings, &QToolButton::clicked, this, run(commands_.openSettings, true));
    connect(history, &QToolButton::clicked, this, run(commands_.openHistory, true));
    connect(quit, &QToolButton::clicked, this, run(commands_.quit, false));
}

void MenuBarContent::popUp(const QRect& anchor) {
    model_.refresh();
    rebuild();
    move(placement(anchor, size()));
    show();
}

void MenuBarContent::fit() {
    layout()->activate();
    int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : sizeHint().height();
    setFixedSize(width, height);
}

void MenuBarContent::rebuild() {
    auto* column = static_cast<QVBoxLayout*>(layout());
    // The boxes sit after the header (0) and the first divider (1).
    constexpr int firstBoxIndex = 2;
    for (QWidget* old : {status_, undo_}) {
        if (!old)
            continue;
        column->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
    status_ = statusBox();
    column->insertWidget(firstBoxIndex, status_);
    undo_ = model_.lastUndoable() ? undoBox() : nullptr;
    if (undo_)
        column->insertWidget(firstBoxIndex + 1, undo_);
    // In an open popup the layout would show the new boxes only later, and measure without them
    // meanwhile; shown now, they count in the height at once.
    for (QWidget* box : {status_, undo_})
        if (box)
            box->show();
    fit();
}

QWidget* MenuBarContent::statusBox() {
    const qreal ratio = devicePixelRatioF();
    const QFont caption = adjusted(font(), -1);
    if (model_.extensionEnabled())
        return labelWithSymbol(QStringLiteral("checkmark.seal.fill"), QStringLiteral("文件管理器扩展已启用"),
                               green, caption, ratio);

    QFrame* box = tintedBox(orange, 0.12);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(boxPadding, boxPadding, boxPadding, boxPadding);
    layout->setSpacing(6);
    layout->addWidget(labelWithSymbol(QStringLiteral("exclamationmark.triangle.fill"),
                                      QStringLiteral("文件管理器扩展未启用"), orange,
                                      adjusted(font(), -1, true), ratio));
    auto* hint = new QLabel(QStringLiteral(
        "右键菜单需要先把 Ondravell 的扩展装入 Nautilus 的扩展目录，再重启 Nautilus（nautilus -q）。"));
    hint->setWordWrap(true);
    hint->setFont(adjusted(font(), -2));
    hint->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(hint);
    QPushButton* open = smallButton(QStringLiteral("打开扩展设置…"));
    connect(open, &QPushButton::clicked, this, [this] {
        if (commands_.openExtensionSettings)
            commands_.openExtensionSettings();
    });
    layout->addWidget(open, 0, Qt::AlignLeft);
    return box;
}

QWidget* MenuBarContent::undoBox() {
    const QColor accent = palette().color(QPalette::Highlight);
    QFrame* box = tintedBox(accent, 0.1);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(boxPadding, boxPadding, boxPadding, boxPadding);
    row->setSpacing(8);
    row->addWidget(symbolLabel(QStringLiteral("arrow.uturn.backward"), accent, devicePixelRatioF()));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    auto* heading = new QLabel(QStringLiteral("撤销上一步"));
    heading->setFont(adjusted(font(), -1, true));
    texts->addWidget(heading);
    auto* description = new ElidedLabel(QString::fromStdString(model_.undoDescription()));
    description->setFont(adjusted(font(), -2));
    description->setForegroundRole(QPalette::PlaceholderText);
    texts->addWidget(description);
    row->addLayout(texts, 1);
    QPushButton* undo = smallButton(QStringLiteral("撤销"));
    connect(undo, &QPushButton::clicked, this, [this] { model_.undo([this] { rebuild(); }); });
    row->addWidget(undo);
    return box;
}

} // namespace ondravell
