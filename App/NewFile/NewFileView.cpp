#include "App/NewFile/NewFileView.h"

#include "App/Host/FolderAccessManager.h"
#include "App/NewFile/NewFileForm.h"
#include "App/Symbols/SymbolImage.h"
#include "App/Toast/ToastPresenter.h"
#include "App/Widgets/ElidedLabel.h"
#include "core/FileOps/CommonFileExtensions.h"
#include "core/SharedConfig/OndravellIPC.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ondravell {

namespace {

constexpr int formWidth = 400;
constexpr int padding = 20;

QLabel* secondaryLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

// The preset extensions in a list that opens below its button, its right edge under the button's, and
// scrolls when the screen leaves less room there than the whole list needs. A menu would move up to
// the top of the screen instead, over the form.
void showPresetList(QToolButton* button, std::function<void(const QString&)> choose) {
    constexpr int fewestShownRows = 6;
    constexpr int screenMargin = 8;
    auto* list = new QListWidget;
    list->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Rows spaced and followed by the pointer as a menu's are.
    list->setStyleSheet(QStringLiteral("QListWidget::item { padding: 3px 10px; }"));
    list->setMouseTracking(true);
    QObject::connect(list, &QListWidget::itemEntered, list,
                     [list](QListWidgetItem* item) { list->setCurrentItem(item); });
    for (std::string_view preset : CommonFileExtensions::presets) {
        const QString extension = QString::fromUtf8(preset.data(), static_cast<qsizetype>(preset.size()));
        auto* item = new QListWidgetItem(QLatin1Char('.') + extension, list);
        item->setData(Qt::UserRole, extension);
    }
    const int frame = 2 * list->frameWidth();
    const int rows = list->count();
    const int rowHeight = list->sizeHintForRow(0);
    const QPoint below = button->mapToGlobal(QPoint(button->width(), button->height()));
    const QRect screen = button->screen()->availableGeometry();
    const int room = screen.bottom() - screenMargin - below.y();
    const int height =
        std::min(rows * rowHeight + frame, std::max(room, fewestShownRows * rowHeight + frame));
    const int width =
        list->sizeHintForColumn(0) + frame + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    list->setGeometry(std::max(screen.left(), below.x() - width), below.y(), width, height);
    auto chosen = [list, choose = std::move(choose)](QListWidgetItem* item) {
        choose(item->data(Qt::UserRole).toString());
        list->close();
    };
    QObject::connect(list, &QListWidget::itemClicked, list, chosen);
    QObject::connect(list, &QListWidget::itemActivated, list, chosen);
    QObject::connect(new QShortcut(Qt::Key_Escape, list), &QShortcut::activated, list, &QWidget::close);
    list->show();
    list->setFocus(Qt::PopupFocusReason);
}

QVBoxLayout* fieldColumn() {
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    return column;
}

} // namespace

NewFileView::NewFileView(std::filesystem::path directory, std::function<void()> onDone)
    : directory_(std::move(directory)), onDone_(std::move(onDone)) {
    setFixedWidth(formWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(14);

    // The folder's name is shown as it is, never read as markup, and a long one is shortened in the
    // middle so both brackets stay in sight.
    auto* title =
        new ElidedLabel(QString::fromStdString(NewFileForm::title(directory_)), Qt::ElideMiddle, this);
    title->setTextFormat(Qt::PlainText);
    QFont headline = title->font();
    headline.setBold(true);
    title->setFont(headline);
    layout->addWidget(title);

    auto* nameColumn = fieldColumn();
    nameColumn->addWidget(secondaryLabel(QStringLiteral("文件名"), this));
    fileName_ = new QLineEdit(QString::fromUtf8(NewFileForm::initialName.data(),
                                                static_cast<qsizetype>(NewFileForm::initialName.size())),
                              this);
    fileName_->setPlaceholderText(QStringLiteral("文件名"));
    nameColumn->addWidget(fileName_);
    layout->addLayout(nameColumn);

    const QString extensionText = QStringLiteral("扩展名（如 conf，不含点）");
    auto* extensionColumn = fieldColumn();
    extensionColumn->addWidget(secondaryLabel(extensionText, this));
    auto* extensionRow = new QHBoxLayout;
    extensionRow->setSpacing(6);
    fileExtension_ = new QLineEdit(this);
    fileExtension_->setPlaceholderText(extensionText);
    extensionRow->addWidget(fileExtension_);
    auto* presets = new QToolButton(this);
    presets->setIcon(SymbolImage::icon(QStringLiteral("chevron.down")));
    presets->setFixedWidth(44);
    presets->setAutoRaise(true);
    connect(presets, &QToolButton::clicked, this, [this, presets] {
        showPresetList(presets, [this](const QString& extension) { fileExtension_->setText(extension); });
    });
    extensionRow->addWidget(presets);
    extensionColumn->addLayout(extensionRow);
    layout->addLayout(extensionColumn);

    auto* hint = secondaryLabel(QStringLiteral("预设常用类型可在右键「新建文件」子菜单里直接创建。"), this);
    hint->setWordWrap(true);
    QFont caption = hint->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    hint->setFont(caption);
    layout->addWidget(hint);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    createButton_ = new QPushButton(QStringLiteral("创建"), this);
    createButton_->setDefault(true);
    buttons->addWidget(cancel);
    buttons->addWidget(createButton_);
    layout->addLayout(buttons);

    connect(cancel, &QPushButton::clicked, this, [this] { onDone_(); });
    connect(createButton_, &QPushButton::clicked, this, [this] { create(); });
    connect(fileName_, &QLineEdit::textChanged, this, [this] { updateCreateButton(); });
    connect(fileExtension_, &QLineEdit::textChanged, this, [this] { updateCreateButton(); });
    for (auto key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(key, this), &QShortcut::activated, this, [this] {
            if (createButton_->isEnabled())
                create();
        });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, [this] { onDone_(); });
    updateCreateButton();
}

void NewFileView::focusName() {
    fileName_->setFocus(Qt::OtherFocusReason);
    // Typing replaces the proposed name.
    fileName_->selectAll();
}

void NewFileView::updateCreateButton() {
    createButton_->setEnabled(
        NewFileForm::canCreate(fileName_->text().toStdString(), fileExtension_->text().toStdString()));
}

void NewFileView::create() {
    NewFileForm::create(
        directory_, fileName_->text().toStdString(), fileExtension_->text().toStdString(),
        std::chrono::system_clock::now(),
        {OperationHistory::forAppGroup(OndravellIPC::appGroupID),
         [](const std::string& message, const std::string& symbol) {
             ToastPresenter::shared().show(message, symbol);
         },
         [](const std::string& message) { FolderAccessManager::shared().showAccessHint(message); }});
    onDone_();
}

void NewFileView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25), cornerRadius, cornerRadius);
    painter.fillPath(shape, palette().window());
    if (window()->testAttribute(Qt::WA_TranslucentBackground)) {
        painter.setPen(QPen(QColor(255, 255, 255, 26), 0.5));
        painter.drawPath(shape);
        return;
    }
    // Without a compositor there is no shadow around the form: a thin line keeps it apart from a white
    // window behind it.
    QPainterPath edge;
    edge.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    QColor line = palette().color(QPalette::WindowText);
    line.setAlphaF(0.35f);
    painter.setPen(QPen(line, 1));
    painter.drawPath(edge);
}

} // namespace ondravell
