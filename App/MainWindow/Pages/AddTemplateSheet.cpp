#include "App/MainWindow/Pages/AddTemplateSheet.h"

#include "App/Images/TemplateIconImage.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "App/Symbols/SymbolImage.h"
#include "core/FileOps/CommonFileExtensions.h"
#include "core/FileOps/TemplateIconStore.h"
#include "core/FileOps/TemplateIcons.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ondravell {

namespace {

constexpr int sheetWidth = 430;
constexpr int sheetPadding = 20;
constexpr int previewSide = 46;
constexpr int iconRowSpacing = 10;
constexpr int previewSymbolSize = 24;
constexpr int presetButtonWidth = 44;
constexpr int gridBoxHeight = 76;
constexpr int cellSide = 30;
constexpr int cellMinimumWidth = 34;
constexpr int cellSpacing = 6;
constexpr int gridPadding = 4;
constexpr int cellSymbolSize = 14;
constexpr int contentHeight = 80;

QString rgba(QColor colour, double opacity) {
    colour.setAlphaF(static_cast<float>(opacity));
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(colour.alpha());
}

QLabel* caption(const QString& text, double scale) {
    auto* label = new QLabel(text);
    label->setForegroundRole(QPalette::PlaceholderText);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

// A line in small red type that tells why something was refused.
QLabel* messageLabel() {
    auto* label = new QLabel;
    label->setWordWrap(true);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, QColor(0xE5, 0x39, 0x35));
    label->setPalette(red);
    label->hide();
    return label;
}

QString outline(const QColor& secondary) {
    return QStringLiteral("border: 1px solid %1; border-radius: 6px;").arg(rgba(secondary, 0.3));
}

TemplateEditorModel::IconDecoding decodeIcon(const std::string& bytes) {
    TemplateIconImage::Normalized icon =
        TemplateIconImage::normalized(QByteArray::fromStdString(bytes), TemplateIconStore::normalizedMaxSide);
    if (icon.png.isEmpty())
        return {std::nullopt, icon.error.toStdString()};
    return {icon.png.toStdString(), {}};
}

std::vector<std::string> imagePatterns() {
    std::vector<std::string> patterns;
    for (const QString& pattern : TemplateIconImage::namePatterns())
        patterns.push_back(pattern.toStdString());
    return patterns;
}

} // namespace

AddTemplateSheet::AddTemplateSheet(const std::optional<FileTemplate>& editing, platform::FileDialog& dialog,
                                   std::function<bool(const FileTemplate&)> onSave, QWidget* parent)
    : QDialog(parent),
      model_(editing, {dialog, decodeIcon, imagePatterns()}),
      onSave_(std::move(onSave)),
      name_(new QLineEdit),
      extension_(new QLineEdit),
      presets_(new QMenu(this)),
      preview_(new QLabel),
      upload_(new QPushButton(QStringLiteral("上传图标…"))),
      remove_(new QPushButton(QStringLiteral("移除"))),
      error_(messageLabel()),
      extensionError_(messageLabel()),
      saveError_(messageLabel()),
      content_(new QPlainTextEdit),
      confirm_(new QPushButton),
      cancel_(new QPushButton(QStringLiteral("取消"))) {
    setWindowTitle(toQString(model_.title()));
    setFixedWidth(sheetWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(sheetPadding, sheetPadding, sheetPadding, sheetPadding);
    column->setSpacing(12);

    auto* title = new QLabel(toQString(model_.title()));
    QFont headline = title->font();
    headline.setBold(true);
    headline.setPointSizeF(headline.pointSizeF() * 1.1);
    title->setFont(headline);
    column->addWidget(title);

    name_->setPlaceholderText(QStringLiteral("显示名称（如 配置文件）"));
    name_->setText(toQString(model_.name));
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.name = text.toStdString();
        refreshConfirm();
    });
    column->addWidget(name_);

    auto* extensionRow = new QHBoxLayout;
    extensionRow->setSpacing(6);
    extension_->setPlaceholderText(QStringLiteral("扩展名（如 conf，不含点）"));
    extension_->setText(toQString(model_.ext));
    connect(extension_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_.ext = text.toStdString();
        refreshConfirm();
    });
    extensionRow->addWidget(extension_);
    for (std::string_view preset : CommonFileExtensions::presets) {
        QAction* item = presets_->addAction(QStringLiteral(".") + toQString(preset));
        connect(item, &QAction::triggered, this, [this, preset] { extension_->setText(toQString(preset)); });
    }
    auto* presetButton = new QToolButton;
    presetButton->setIcon(symbolIcon("chevron.down", palette().color(QPalette::ButtonText)));
    presetButton->setAutoRaise(true);
    presetButton->setPopupMode(QToolButton::InstantPopup);
    presetButton->setMenu(presets_);
    presetButton->setFixedWidth(presetButtonWidth);
    presetButton->setAccessibleName(QStringLiteral("常用扩展名"));
    presetButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    extensionRow->addWidget(presetButton);
    column->addLayout(extensionRow);
    column->addWidget(extensionError_);

    column->addWidget(caption(QStringLiteral("图标"), 0.9));
    column->addWidget(makeIconRow());

    column->addWidget(caption(QStringLiteral("初始内容（可空）"), 0.9));
    content_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    content_->setPlainText(toQString(model_.content));
    content_->setFixedHeight(contentHeight);
    content_->setFrameShape(QFrame::NoFrame);
    content_->setStyleSheet(
        QStringLiteral("QPlainTextEdit { %1 }").arg(outline(palette().color(QPalette::PlaceholderText))));
    connect(content_, &QPlainTextEdit::textChanged, this,
            [this] { model_.content = content_->toPlainText().toStdString(); });
    column->addWidget(content_);

    column->addWidget(saveError_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel_);
    confirm_->setText(toQString(model_.confirmTitle()));
    confirm_->setDefault(true);
    connect(confirm_, &QPushButton::clicked, this, [this] { commit(); });
    buttons->addWidget(confirm_);
    column->addLayout(buttons);

    refreshIcon();
    refreshConfirm();
}

QWidget* AddTemplateSheet::makeIconRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(iconRowSpacing);
    const QColor secondary = palette().color(QPalette::PlaceholderText);

    preview_->setFixedSize(previewSide, previewSide);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setStyleSheet(
        QStringLiteral("QLabel { background: %1; border-radius: 8px; }").arg(rgba(secondary, 0.1)));
    layout->addWidget(preview_, 0, Qt::AlignTop);

    auto* controls = new QVBoxLayout;
    controls->setSpacing(6);
    auto* box = new QScrollArea;
    box->setObjectName(QStringLiteral("symbolBox"));
    box->setWidget(makeSymbolGrid());
    box->setWidgetResizable(true);
    box->setFixedHeight(gridBoxHeight);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setStyleSheet(QStringLiteral("QScrollArea#symbolBox { %1 }").arg(outline(secondary)));
    controls->addWidget(box);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(6);
    upload_->setAutoDefault(false);
    remove_->setAutoDefault(false);
    connect(upload_, &QPushButton::clicked, this, [this] {
        model_.uploadIcon();
        refreshIcon();
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        model_.removeIcon();
        refreshIcon();
    });
    actions->addWidget(upload_);
    actions->addWidget(remove_);
    actions->addStretch(1);
    controls->addLayout(actions);

    controls->addWidget(error_);
    controls->addWidget(caption(QStringLiteral("PNG/JPG 等图片，≤ 2 MB，自动缩放为 128×128。"), 0.85));
    layout->addLayout(controls, 1);
    return row;
}

QWidget* AddTemplateSheet::makeSymbolGrid() {
    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(gridPadding, gridPadding, gridPadding, gridPadding);
    layout->setSpacing(cellSpacing);
    // As many columns of at least `cellMinimumWidth` as the box beside the preview holds.
    const int boxWidth = sheetWidth - 2 * sheetPadding - previewSide - iconRowSpacing - 2 * gridPadding -
                         style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int columns = std::max(1, (boxWidth + cellSpacing) / (cellMinimumWidth + cellSpacing));
    int index = 0;
    for (std::string_view symbol : TemplateIcons::choices) {
        auto* cell = new QToolButton;
        cell->setFixedSize(cellSide, cellSide);
        cell->setIconSize(QSize(cellSymbolSize, cellSymbolSize));
        cell->setIcon(symbolIcon(symbol, palette().color(QPalette::ButtonText)));
        cell->setAccessibleName(toQString(symbol));
        cell->setToolTip(toQString(symbol));
        cell->setCheckable(true);
        connect(cell, &QToolButton::clicked, this, [this, symbol] {
            model_.chooseSymbol(symbol);
            refreshIcon();
        });
        layout->addWidget(cell, index / columns, index % columns, Qt::AlignCenter);
        cells_.emplace(std::string(symbol), cell);
        ++index;
    }
    return grid;
}

QAbstractButton* AddTemplateSheet::symbolCell(std::string_view symbol) const {
    auto found = cells_.find(symbol);
    return found == cells_.end() ? nullptr : found->second;
}

void AddTemplateSheet::refreshIcon() {
    const QColor accent = palette().color(QPalette::Highlight);
    const QColor secondary = palette().color(QPalette::PlaceholderText);
    for (const auto& [symbol, cell] : cells_) {
        bool selected = model_.isSelected(symbol);
        cell->setChecked(selected);
        cell->setStyleSheet(
            QStringLiteral("QToolButton { background: %1; border: none; border-radius: 6px; }")
                .arg(selected ? rgba(accent, 0.25) : rgba(secondary, 0.1)));
    }
    const qreal ratio = devicePixelRatioF();
    QImage picture;
    if (const auto& data = model_.customIconData())
        picture = TemplateIconImage::fitted(QByteArray::fromStdString(*data),
                                            (QSizeF(previewSide, previewSide) * ratio).toSize());
    QPixmap shown = picture.isNull() ? SymbolImage::pixmap(toQString(model_.iconSymbol()), previewSymbolSize,
                                                           accent, ratio)
                                     : QPixmap::fromImage(picture);
    shown.setDevicePixelRatio(ratio);
    preview_->setPixmap(shown);
    remove_->setVisible(model_.customIconData().has_value());
    showMessage(error_, model_.iconError());
}

void AddTemplateSheet::refreshConfirm() {
    confirm_->setEnabled(model_.canCommit());
    showMessage(extensionError_, model_.extensionError());
}

void AddTemplateSheet::showMessage(QLabel* label, const std::optional<std::string>& message) {
    const QString text = message ? toQString(*message) : QString();
    if (label->text() == text && label->isVisibleTo(this) == message.has_value())
        return;
    label->setText(text);
    label->setVisible(message.has_value());
    // Message lines come and go: the sheet keeps to the height of what it shows.
    if (isVisible())
        adjustSize();
}

void AddTemplateSheet::commit() {
    if (!model_.canCommit())
        return;
    const bool stored = model_.commitTo(onSave_);
    showMessage(saveError_, model_.saveError());
    if (stored)
        accept();
}

} // namespace ondravell
