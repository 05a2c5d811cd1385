#include "App/MainWindow/SettingsToolbarDelegate.h"

#include "App/MainWindow/Widgets/SegmentedControl.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"

#include <QAction>
#include <QLabel>
#include <QStyle>
#include <QToolBar>

namespace ondravell {

namespace {

constexpr double titlePointSize = 15;

// The symbol's icon, or the style's own arrow where the icon theme has none.
QIcon navigationIcon(std::string_view symbol, QStyle::StandardPixmap fallback, const QStyle* style) {
    QIcon icon = symbolIcon(symbol);
    return icon.isNull() ? style->standardIcon(fallback) : icon;
}

} // namespace

QToolBar* SettingsToolbarDelegate::makeToolbar(QWidget* sidebar) {
    auto* toolbar = new QToolBar;
    const QStyle* style = toolbar->style();
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    QAction* toggle = toolbar->addAction(navigationIcon("sidebar.left", QStyle::SP_FileDialogListView, style),
                                         QStringLiteral("边栏"));
    QObject::connect(toggle, &QAction::triggered, toolbar,
                     [sidebar] { sidebar->setVisible(!sidebar->isVisible()); });

    navigationControl_ = new SegmentedControl(
        {{{}, navigationIcon("chevron.backward", QStyle::SP_ArrowBack, style), QStringLiteral("后退")},
         {{}, navigationIcon("chevron.forward", QStyle::SP_ArrowForward, style), QStringLiteral("前进")}},
        SegmentedControl::Style::momentary);
    navigationControl_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    navigationControl_->onActivated = [this](int segment) {
        if (segment == 0)
            navigation_.goBack();
        else
            navigation_.goForward();
    };
    toolbar->addWidget(navigationControl_);

    title_ = new QLabel;
    QFont font = title_->font();
    font.setPointSizeF(titlePointSize);
    font.setWeight(QFont::DemiBold);
    title_->setFont(font);
    title_->setContentsMargins(8, 0, 0, 0);
    toolbar->addWidget(title_);
    return toolbar;
}

void SettingsToolbarDelegate::refresh() {
    navigationControl_->setSegmentEnabled(0, navigation_.canGoBack());
    navigationControl_->setSegmentEnabled(1, navigation_.canGoForward());
    title_->setText(QString::fromStdString(navigation_.currentTitle()));
}

} // namespace ondravell
