#include "App/Onboarding/OnboardingView.h"

#include "App/Host/MenuBarIcon.h"
#include "App/Symbols/SymbolImage.h"
#include "platform/FinderExtensionStatus.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ondravell {

namespace {

constexpr int contentWidth = 460;
constexpr int contentHeight = 340;
constexpr int padding = 28;
constexpr int stepSpacing = 14;
const QColor green(52, 168, 83);
const QColor orange(240, 140, 0);

QLabel* symbolLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void setSymbol(QLabel* label, const char* symbol, int size, const QColor& tint) {
    label->setPixmap(SymbolImage::pixmap(QString::fromUtf8(symbol), size, tint, label->devicePixelRatioF()));
}

QLabel* title(const QString& text, qreal scale, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// Secondary text in centred lines that wrap.
QLabel* secondary(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QPushButton* largeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setMinimumHeight(button->sizeHint().height() + 8);
    button->setMinimumWidth(120);
    return button;
}

QVBoxLayout* stepLayout(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(stepSpacing);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

OnboardingView::OnboardingView(const platform::FinderExtensionStatus& extension, Actions actions,
                               std::optional<std::string> missingServices)
    : QDialog(nullptr),
      extension_(extension),
      actions_(std::move(actions)),
      missingServices_(std::move(missingServices)),
      flow_(extension.isExtensionEnabled()) {
    setWindowTitle(QStringLiteral("欢迎使用"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(contentWidth, contentHeight);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(makeWelcomePage());
    pages_->addWidget(makeEnablePage());
    pages_->addWidget(makeDonePage());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(18);
    layout->addWidget(pages_);

    timer_.setInterval(OnboardingFlow::pollIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    refresh();
}

QWidget* OnboardingView::makeWelcomePage() {
    auto* page = new QWidget;
    auto* layout = stepLayout(page);
    auto* icon = symbolLabel(page);
    icon->setPixmap(MenuBarIcon::make().pixmap(88, 88));
    layout->addWidget(icon);
    layout->addWidget(title(QStringLiteral("Ondravell · 小欧"), 1.6, page));
    layout->addWidget(secondary(QStringLiteral("Linux 文件管理器右键增强工具"), page));
    layout->addWidget(secondary(
        QStringLiteral("复制路径、新建文件、批量哈希、剪切移动、彻底删除……都在文件管理器的右键菜单里。"),
        page));
    layout->addStretch();
    auto* start = largeButton(QStringLiteral("开始设置"), page);
    mainButtons_[OnboardingFlow::welcome] = start;
    connect(start, &QPushButton::clicked, this, [this] {
        flow_.begin();
        refresh();
    });
    layout->addWidget(start, 0, Qt::AlignHCenter);
    return page;
}

QWidget* OnboardingView::makeEnablePage() {
    auto* page = new QWidget;
    auto* layout = stepLayout(page);
    enableSymbol_ = symbolLabel(page);
    layout->addWidget(enableSymbol_);
    layout->addWidget(title(QStringLiteral("启用文件管理器扩展"), 1.3, page));
    layout->addWidget(
        secondary(QStringLiteral("右键菜单需要把 Ondravell 的模块装进 Nautilus 一次。点下方按钮安装"
                                 "（可能要输入管理员密码），Nautilus 会重新启动来加载它——"
                                 "检测到启用会自动继续。"),
                  page));

    enabledRow_ = new QWidget(page);
    auto* enabled = new QHBoxLayout(enabledRow_);
    enabled->setContentsMargins(0, 0, 0, 0);
    auto* check = new QLabel(enabledRow_);
    check->setPixmap(
        SymbolImage::pixmap(QStringLiteral("checkmark.circle.fill"), 16, green, devicePixelRatioF()));
    auto* enabledText = new QLabel(QStringLiteral("已启用"), enabledRow_);
    QPalette palette = enabledText->palette();
    palette.setColor(QPalette::WindowText, green);
    enabledText->setPalette(palette);
    enabled->addStretch();
    enabled->addWidget(check);
    enabled->addWidget(enabledText);
    enabled->addStretch();
    layout->addWidget(enabledRow_);

    waitingRow_ = new QWidget(page);
    auto* waiting = new QHBoxLayout(waitingRow_);
    waiting->setContentsMargins(0, 0, 0, 0);
    auto* busy = new QProgressBar(waitingRow_);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setFixedSize(48, 8);
    auto* waitingText = secondary(QStringLiteral("等待启用…"), waitingRow_);
    QFont caption = waitingText->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.9);
    waitingText->setFont(caption);
    waiting->addStretch();
    waiting->addWidget(busy);
    waiting->addWidget(waitingText);
    waiting->addStretch();
    layout->addWidget(waitingRow_);

    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    auto* skip = new QPushButton(QStringLiteral("跳过"), page);
    connect(skip, &QPushButton::clicked, this, [this] {
        if (actions_.onFinish)
            actions_.onFinish();
    });
    auto* enable = new QPushButton(QStringLiteral("安装并启用…"), page);
    mainButtons_[OnboardingFlow::enableExtension] = enable;
    connect(enable, &QPushButton::clicked, this, [this] {
        if (actions_.enableExtension)
            actions_.enableExtension();
    });
    buttons->addWidget(skip);
    buttons->addStretch();
    buttons->addWidget(enable);
    layout->addLayout(buttons);
    return page;
}

QWidget* OnboardingView::makeDonePage() {
    auto* page = new QWidget;
    auto* layout = stepLayout(page);
    auto* symbol = symbolLabel(page);
    setSymbol(symbol, "checkmark.seal.fill", 56, green);
    layout->addWidget(symbol);
    layout->addWidget(title(QStringLiteral("一切就绪"), 1.6, page));
    layout->addWidget(secondary(QStringLiteral("在文件管理器里右键任意文件试试。托盘图标里有设置和操作历史；"
                                               "右键菜单的「脚本」子菜单里也有 Ondravell 的操作。"),
                                page));
    if (missingServices_)
        layout->addWidget(secondary(QString::fromStdString(*missingServices_), page));
    layout->addStretch();
    auto* finish = largeButton(QStringLiteral("完成"), page);
    mainButtons_[OnboardingFlow::done] = finish;
    connect(finish, &QPushButton::clicked, this, [this] {
        if (actions_.onFinish)
            actions_.onFinish();
    });
    layout->addWidget(finish, 0, Qt::AlignHCenter);
    return page;
}

void OnboardingView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    timer_.start();
}

void OnboardingView::hideEvent(QHideEvent* event) {
    timer_.stop();
    QWidget::hideEvent(event);
}

void OnboardingView::poll() {
    if (flow_.poll(extension_.isExtensionEnabled()))
        refresh();
}

void OnboardingView::refresh() {
    pages_->setCurrentIndex(static_cast<int>(flow_.step()));
    bool enabled = flow_.extensionEnabled();
    if (enabled)
        setSymbol(enableSymbol_, "checkmark.seal.fill", 48, green);
    else
        setSymbol(enableSymbol_, "puzzlepiece.extension", 48, orange);
    enabledRow_->setVisible(enabled);
    waitingRow_->setVisible(!enabled);
    // The step's main button answers Return.
    mainButtons_[flow_.step()]->setDefault(true);
}

} // namespace ondravell
