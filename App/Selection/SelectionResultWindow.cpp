#include "App/Selection/SelectionResultWindow.h"

#include "App/Selection/SelectionBarPlacement.h"
#include "App/Symbols/SymbolImage.h"
#include "App/Widgets/PanelMaterial.h"
#include "core/SharedConfig/ODLocalized.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace ondravell {

namespace {

constexpr int maxWidth = 460;
constexpr int padding = 12;
constexpr int spacing = 8;
constexpr double cornerRadius = 12;

SelectionResultWindow*& sharedInstance() {
    static SelectionResultWindow* instance = nullptr;
    return instance;
}

SelectionBarPlacement::Rect rectOf(const QRect& rect) {
    return {double(rect.x()), double(rect.y()), double(rect.width()), double(rect.height())};
}

} // namespace

// The frame of every result: the title and the close button, then the content, on a rounded background.
class ResultChrome final : public QWidget {
public:
    ResultChrome(QWidget* content, const QString& title, bool translucent, std::function<void()> onClose,
                 QWidget* parent)
        : QWidget(parent), translucent_(translucent) {
        setMaximumWidth(maxWidth);
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(padding, padding, padding, padding);
        column->setSpacing(spacing);
        column->setSizeConstraint(QLayout::SetFixedSize);
        auto* header = new QHBoxLayout;
        auto* titleLabel = new QLabel(title, this);
        titleLabel->setTextFormat(Qt::PlainText);
        QFont font = titleLabel->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        font.setBold(true);
        titleLabel->setFont(font);
        QColor secondary = palette().color(QPalette::WindowText);
        secondary.setAlphaF(0.6);
        QPalette titlePalette = titleLabel->palette();
        titlePalette.setColor(QPalette::WindowText, secondary);
        titleLabel->setPalette(titlePalette);
        header->addWidget(titleLabel, 0, Qt::AlignVCenter);
        header->addStretch(1);
        auto* close = new QToolButton(this);
        close->setIcon(SymbolImage::icon(QStringLiteral("xmark.circle.fill"), secondary));
        close->setAutoRaise(true);
        close->setFocusPolicy(Qt::NoFocus);
        close->setAccessibleName(QString::fromStdString(ODLocalized("关闭")));
        close->setToolTip(close->accessibleName());
        connect(close, &QToolButton::clicked, this, [onClose = std::move(onClose)] {
            if (onClose)
                onClose();
        });
        header->addWidget(close, 0, Qt::AlignVCenter);
        column->addLayout(header);
        content->setParent(this);
        content->setMaximumWidth(maxWidth - 2 * padding);
        column->addWidget(content);
    }

    QPainterPath outline() const { return PanelMaterial::outline(QRectF(rect()), cornerRadius); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PanelMaterial::paint(painter, QRectF(rect()), cornerRadius, palette(), translucent_);
    }

private:
    bool translucent_;
};

SelectionResultWindow::SelectionResultWindow(Services services)
    : services_(services), outsideClicks_(services.monitors) {}

SelectionResultWindow::~SelectionResultWindow() {
    *alive_ = false;
    removeOutsideClickMonitor();
    contentGone();
}

void SelectionResultWindow::setUpShared(Services services) {
    if (!sharedInstance())
        sharedInstance() = new SelectionResultWindow(services);
}

SelectionResultWindow& SelectionResultWindow::shared() {
    if (!sharedInstance())
        sharedInstance() = new SelectionResultWindow(Services{});
    return *sharedInstance();
}

void SelectionResultWindow::createPanel() {
    // A frameless tool window above the others: no task-bar entry, but it does take the keyboard.
    panel_ =
        std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    panel_->setAttribute(Qt::WA_TranslucentBackground, services_.translucent);
    panel_->setWindowTitle(QStringLiteral("Ondravell"));
    auto* layout = new QVBoxLayout(panel_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SelectionResultWindow::show(QWidget* content, QPointF at, const QString& title,
                                 std::function<void()> whenGone) {
    contentGone();
    whenGone_ = std::move(whenGone);
    if (!panel_)
        createPanel();
    std::weak_ptr<bool> alive = alive_;
    auto* chrome = new ResultChrome(
        content, title, services_.translucent,
        [this, alive] {
            if (alive.lock())
                close();
        },
        panel_.get());
    if (chrome_) {
        panel_->layout()->removeWidget(chrome_);
        chrome_->hide();
        chrome_->deleteLater();
    }
    chrome_ = chrome;
    panel_->layout()->addWidget(chrome_);
    // A widget added to a shown window would only appear at the next turn of the event loop, and the
    // panel would take the size of an empty frame.
    chrome_->show();
    at_ = at;
    place();
    panel_->show();
    panel_->raise();
    panel_->activateWindow();
    installOutsideClickMonitor();
}

void SelectionResultWindow::prepare(QWidget* content) {
    if (!panel_)
        createPanel();
    ResultChrome chrome(content, QString(), services_.translucent, {}, nullptr);
    chrome.layout()->activate();
    chrome.resize(chrome.sizeHint());
    QImage image(chrome.size(), QImage::Format_ARGB32_Premultiplied);
    chrome.render(&image);
}

void SelectionResultWindow::place() {
    panel_->layout()->activate();
    const QSize size = chrome_->sizeHint().boundedTo(QSize(maxWidth, QWIDGETSIZE_MAX));
    panel_->resize(size);
    if (!services_.translucent)
        panel_->setMask(QRegion(chrome_->outline().toFillPolygon().toPolygon()));
    std::vector<SelectionBarPlacement::Screen> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back({rectOf(screen->geometry()), rectOf(screen->availableGeometry())});
    const QList<QScreen*> list = QGuiApplication::screens();
    const qsizetype primary = list.indexOf(QGuiApplication::primaryScreen());
    const auto origin = SelectionBarPlacement::resultOrigin(
        {at_.x(), at_.y()}, size.width(), size.height(), screens,
        primary < 0 ? std::nullopt : std::optional<std::size_t>(std::size_t(primary)));
    panel_->move(qRound(origin.x), qRound(origin.y));
}

void SelectionResultWindow::refit() {
    if (panel_ && chrome_ && panel_->isVisible())
        place();
}

void SelectionResultWindow::close() {
    if (panel_)
        panel_->hide();
    removeOutsideClickMonitor();
    contentGone();
}

void SelectionResultWindow::contentGone() {
    ++generation_;
    if (std::function<void()> gone = std::exchange(whenGone_, {}))
        gone();
}

bool SelectionResultWindow::isVisible() const {
    return panel_ && panel_->isVisible();
}

void SelectionResultWindow::installOutsideClickMonitor() {
    std::weak_ptr<bool> alive = alive_;
    outsideClicks_.install([this, alive] {
        if (alive.lock())
            close();
    });
}

void SelectionResultWindow::removeOutsideClickMonitor() {
    outsideClicks_.remove();
}

} // namespace ondravell
