#include "App/MainWindow/SettingsPages.h"

#include "App/History/HistoryView.h"
#include "App/MainWindow/Pages/FinderActionsPage.h"
#include "App/MainWindow/Widgets/QtText.h"

#include <QLabel>

namespace ondravell {

namespace {
QWidget* placeholder(SettingsNavigation::Section section) {
    auto* page = new QLabel(toQString(SettingsNavigation::title(section)));
    page->setAlignment(Qt::AlignCenter);
    return page;
}
} // namespace

QWidget* makeSettingsPage(SettingsNavigation::Section section, SettingsPageServices services) {
    using Section = SettingsNavigation::Section;
    switch (section) {
    case Section::finder:
        return new FinderActionsPage({services.applications, services.fileDialog});
    case Section::history:
        if (services.historyActions)
            return new HistoryView(*services.historyActions);
        break;
    case Section::general:
    case Section::templates:
    case Section::selection:
    case Section::about:
        break;
    }
    return placeholder(section);
}

} // namespace ondravell
