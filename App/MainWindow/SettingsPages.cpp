#include "App/MainWindow/SettingsPages.h"

#include "App/History/HistoryView.h"
#include "App/MainWindow/Pages/AboutView.h"
#include "App/MainWindow/Pages/FavoriteTargetsSection.h"
#include "App/MainWindow/Pages/FinderActionsSettings.h"
#include "App/MainWindow/Pages/GeneralSettingsView.h"
#include "App/MainWindow/Pages/HotKeysSection.h"
#include "App/MainWindow/Pages/PathTemplatesSection.h"
#include "App/MainWindow/Pages/SelectionEnginesSections.h"
#include "App/MainWindow/Pages/SelectionSettingsView.h"
#include "App/MainWindow/Pages/TemplatesSettingsView.h"
#include "App/MainWindow/Widgets/ApplicationChooserDialog.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/Services/ICloudSync.h"
#include "App/Services/UpdateChecker.h"
#include "App/Toast/ToastPresenter.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace ondravell {

namespace {
constexpr int warmUpCanvasWidth = 1024;
constexpr int warmUpCanvasHeight = 32;

QWidget* placeholder(SettingsNavigation::Section section) {
    auto* page = new QLabel(toQString(SettingsNavigation::title(section)));
    page->setAlignment(Qt::AlignCenter);
    return page;
}
} // namespace

void warmUpSettingsPages() {
    // A strip wide enough for the sample lines, at the screen's pixel ratio so that the glyph pictures
    // drawn here are the ones the pages draw.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    QImage canvas(QSize(warmUpCanvasWidth, warmUpCanvasHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    QPainter painter(&canvas);
    SelectionSettingsView::warmUp(painter);
    SelectionEnginesSections::warmUp(painter);
}

QWidget* makeSettingsPage(SettingsNavigation::Section section, SettingsPageServices services) {
    using Section = SettingsNavigation::Section;
    switch (section) {
    case Section::finder: {
        auto* page = new FinderActionsSettings({services.applications, ApplicationChooserDialog::choose});
        auto* favorites = new FavoriteTargetsSection(services.fileDialog);
        auto* pathTemplates = new PathTemplatesSection;
        auto* hotKeys = new HotKeysSection(services.keyboardLayout, services.reloadHotKeys);
        page->addWidget(favorites);
        page->addWidget(pathTemplates);
        page->addWidget(hotKeys);
        page->reportSaves(page->model());
        page->reportSaves(favorites->model());
        page->reportSaves(pathTemplates->model());
        page->reportSaves(hotKeys->model());
        return page;
    }
    case Section::general:
        if (services.loginItem && services.extensionStatus)
            return new GeneralSettingsView({*services.loginItem,
                                            services.userDefaults,
                                            *services.extensionStatus,
                                            &ICloudSync::shared(),
                                            {&services.fileDialog, ConfigBackup::confirmImportAlert,
                                             [](const ConfigBackup::Message& message) {
                                                 ToastPresenter::shared().show(message.text, message.symbol);
                                             }}},
                                           services.settingsOpener, UpdateChecker::shared());
        break;
    case Section::about:
        return new AboutView;
    case Section::history:
        if (services.historyActions)
            return new HistoryView(*services.historyActions);
        break;
    case Section::selection: {
        auto* page = new SelectionSettingsView(
            {services.trust, services.rearmSelectionTrigger, services.reloadHotKeys},
            services.keyboardLayout);
        auto* engines =
            new SelectionEnginesSections({services.applications, ApplicationChooserDialog::choose});
        page->addToolbarSection(engines);
        page->reportSaves(page->model());
        page->reportSaves(engines->model());
        return page;
    }
    case Section::templates: {
        auto* page = new TemplatesSettingsView(services.fileDialog);
        page->reportSaves(page->model());
        return page;
    }
    }
    return placeholder(section);
}

} // namespace ondravell
