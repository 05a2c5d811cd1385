#include "App/Selection/SelectionBarController.h"

#include "App/Selection/SelectionBarActions.h"
#include "App/Selection/SelectionBarPlacement.h"
#include "App/Selection/SelectionBarStyle.h"
#include "App/Selection/SelectionBarView.h"
#include "core/SharedConfig/OndravellSettings.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace ondravell {

namespace {

SelectionBarController*& sharedInstance() {
    static SelectionBarController* instance = nullptr;
    return instance;
}

SelectionBarPlacement::Rect rectOf(const QRect& rect) {
    return {double(rect.x()), double(rect.y()), double(rect.width()), double(rect.height())};
}

std::vector<SelectionBarPlacement::Screen> screensNow() {
    std::vector<SelectionBarPlacement::Screen> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back({rectOf(screen->geometry()), rectOf(screen->availableGeometry())});
    return screens;
}

std::optional<std::size_t> primaryScreenIndex() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    qsizetype index = screens.indexOf(QGuiApplication::primaryScreen());
    return index < 0 ? std::nullopt : std::optional<std::size_t>(std::size_t(index));
}

} // namespace

SelectionBarController::SelectionBarController(Services services)
    : services_(std::move(services)), outsideClicks_(services_.monitors) {}

SelectionBarController::~SelectionBarController() {
    *alive_ = false;
    removeOutsideClickMonitor();
}

void SelectionBarController::setUpShared(Services services) {
    if (!sharedInstance())
        sharedInstance() = new SelectionBarController(std::move(services));
}

SelectionBarController& SelectionBarController::shared() {
    if (!sharedInstance())
        sharedInstance() = new SelectionBarController(Services{});
    return *sharedInstance();
}

std::optional<QPointF> SelectionBarController::fixedSpot() {
    std::optional<SelectionBarPlacement::Point> spot =
        SelectionBarPlacement::fixedSpot(screensNow(), primaryScreenIndex());
    if (!spot)
        return std::nullopt;
    return QPointF(spot->x, spot->y);
}

void SelectionBarController::createPanel() {
    // A frameless tool window above the others that never takes the keyboard focus, so the text stays
    // selected in the application it came from.
    panel_ = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint |
                                                    Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    panel_->setAttribute(Qt::WA_ShowWithoutActivating);
    // Qt shows tooltips in the active window only, and this one never is: the buttons' titles would
    // never appear, which in the icon style leaves the user guessing.
    panel_->setAttribute(Qt::WA_AlwaysShowToolTips);
    panel_->setAttribute(Qt::WA_TranslucentBackground, services_.translucent);
    panel_->setWindowTitle(QStringLiteral("Ondravell"));
    auto* layout = new QVBoxLayout(panel_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SelectionBarController::show(const std::string& text, QPointF at) {
    const OndravellSettings settings =
        services_.loadSettings ? services_.loadSettings() : OndravellSettings{};
    std::vector<SelectionAction> actions = SelectionBarActions::actions(text, settings.selectionActionIDs);
    if (actions.empty()) {
        hide();
        return;
    }
    currentText_ = text;
    if (!panel_)
        createPanel();
    std::weak_ptr<bool> alive = alive_;
    auto* view = new SelectionBarView(actions, selectionBarStyleOrDefault(settings.selectionBarStyle),
                                      [this, alive, at](SelectionAction::Kind kind) {
                                          if (alive.lock())
                                              tapped(kind, at);
                                      });
    view->setTranslucent(services_.translucent);
    if (view_) {
        panel_->layout()->removeWidget(view_);
        view_->deleteLater();
    }
    view_ = view;
    panel_->layout()->addWidget(view_);
    panel_->layout()->activate();
    const QSize size = view_->sizeHint();
    panel_->resize(size);
    if (!services_.translucent)
        panel_->setMask(QRegion(view_->outline().toFillPolygon().toPolygon()));

    const auto origin = SelectionBarPlacement::origin({at.x(), at.y()}, size.width(), size.height(),
                                                      screensNow(), primaryScreenIndex());
    panel_->move(qRound(origin.x), qRound(origin.y));
    panel_->show();
    panel_->raise();
    installOutsideClickMonitor();
}

void SelectionBarController::hide() {
    if (panel_)
        panel_->hide();
    removeOutsideClickMonitor();
}

void SelectionBarController::prepare() {
    if (panel_)
        return;
    createPanel();
    panel_->winId();
    SelectionBarView bar(SelectionAction::builtins(), SelectionBarStyle::iconText, nullptr);
    bar.setTranslucent(services_.translucent);
    bar.adjustSize();
    QImage image(bar.size(), QImage::Format_ARGB32_Premultiplied);
    bar.render(&image);
}

bool SelectionBarController::isVisible() const {
    return panel_ && panel_->isVisible();
}

void SelectionBarController::tapped(SelectionAction::Kind kind, QPointF at) {
    if (!actionHandler_) {
        hide();
        return;
    }
    actionHandler_(std::string(SelectionAction::rawValue(kind)), currentText_, at);
}

void SelectionBarController::installOutsideClickMonitor() {
    std::weak_ptr<bool> alive = alive_;
    outsideClicks_.install([this, alive] {
        if (alive.lock())
            hide();
    });
}

void SelectionBarController::removeOutsideClickMonitor() {
    outsideClicks_.remove();
}

} // namespace ondravell
