#include "App/Selection/SelectionBarView.h"

#include "App/Selection/BarButton.h"
#include "App/Widgets/PanelMaterial.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace ondravell {

namespace {

constexpr int buttonSpacing = 1;
constexpr int horizontalPadding = 5;
constexpr int verticalPadding = 3;
constexpr double cornerRadius = 9;
constexpr int dividerHeight = 14;
// The desktop's separator is the text colour at half strength; the bar's dividers show it at 0.4.
constexpr double separatorStrength = 0.5;
constexpr double dividerOpacity = 0.4;

// A thin vertical line between two buttons.
class Divider final : public QWidget {
public:
    explicit Divider(QWidget* parent) : QWidget(parent) { setFixedSize(1, dividerHeight); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QColor colour = palette().color(QPalette::WindowText);
        colour.setAlphaF(separatorStrength * dividerOpacity);
        painter.fillRect(rect(), colour);
    }
};

} // namespace

SelectionBarView::SelectionBarView(const std::vector<SelectionAction>& actions, SelectionBarStyle style,
                                   std::function<void(SelectionAction::Kind)> onTap, QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setSpacing(buttonSpacing);
    row->setContentsMargins(horizontalPadding, verticalPadding, horizontalPadding, verticalPadding);
    row->setSizeConstraint(QLayout::SetFixedSize);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (i > 0) {
            row->addWidget(new Divider(this), 0, Qt::AlignVCenter);
            ++dividerCount_;
        }
        const SelectionAction::Kind kind = actions[i].kind;
        auto* button = new BarButton(actions[i], style, [onTap, kind] {
            if (onTap)
                onTap(kind);
        });
        row->addWidget(button, 0, Qt::AlignVCenter);
        buttons_.push_back(button);
    }
}

void SelectionBarView::setTranslucent(bool translucent) {
    translucent_ = translucent;
    update();
}

QPainterPath SelectionBarView::outline() const {
    return PanelMaterial::outline(QRectF(rect()), cornerRadius);
}

void SelectionBarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PanelMaterial::paint(painter, QRectF(rect()), cornerRadius, palette(), translucent_);
}

} // namespace ondravell
