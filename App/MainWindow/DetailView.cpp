#include "App/MainWindow/DetailView.h"

namespace ondravell {

namespace {

constexpr QSize minimumPageSize{480, 440};

} // namespace

DetailView::DetailView(SettingsNavigation& navigation, SettingsPageServices services)
    : navigation_(navigation), services_(services) {
    for (std::size_t i = 0; i < SettingsNavigation::allSections.size(); ++i)
        addWidget(new QWidget); // the page itself is made when first shown
    setMinimumSize(minimumPageSize);
}

void DetailView::refresh() {
    std::size_t index = SettingsNavigation::indexOf(navigation_.selection());
    if (!made_[index]) {
        QWidget* stub = widget(static_cast<int>(index));
        made_[index] = makeSettingsPage(navigation_.selection(), services_);
        insertWidget(static_cast<int>(index), made_[index]);
        removeWidget(stub);
        delete stub;
    }
    setCurrentIndex(static_cast<int>(index));
}

QWidget* DetailView::page(SettingsNavigation::Section section) const {
    return made_[SettingsNavigation::indexOf(section)];
}

} // namespace ondravell
