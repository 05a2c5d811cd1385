#include "App/Host/AppDelegate.h"

#include "App/Host/AppRequestHandler.h"
#include "App/Host/MenuBarItem.h"
#include "App/Host/RequestObservers.h"
#include "App/Host/SelectionTriggerArming.h"
#include "App/MainWindow/SettingsWindowController.h"
#include "App/Selection/SelectionMonitor.h"
#include "core/SharedConfig/OndravellSettings.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace ondravell {

AppDelegate::AppDelegate(Services services) : services_(std::move(services)) {}

AppDelegate::~AppDelegate() {
    // The monitors' platform service ends with the program's composition root, right after this.
    SelectionMonitor::shared().stop();
}

void AppDelegate::applicationDidFinishLaunching() {
    menuBarItem_ = std::make_unique<MenuBarItem>(
        services_.userDefaults,
        MenuBarItem::Commands{
            [] { SettingsWindowController::shared().show(); },
            [] { SettingsWindowController::shared().show(SettingsNavigation::Section::history); },
            services_.quit,
        });
    menuBarItem_->refresh();

    requestHandler_ = std::make_unique<AppRequestHandler>(services_.hiddenFiles);
    observers_ = std::make_unique<RequestObservers>(
        services_.center, *requestHandler_, [](std::function<void()> work) {
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
        });
    observers_->registerAll();

    // The composition root set the shared monitor up with its platform services.
    SelectionTriggerArming::arm(SelectionMonitor::shared(), services_.loadSettings(), services_.trust);
}

bool AppDelegate::applicationShouldHandleReopen() {
    if (!menuBarItem_ || menuBarItem_->isHidden())
        SettingsWindowController::shared().show();
    return true;
}

} // namespace ondravell
