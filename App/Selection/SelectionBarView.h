#pragma once

#include "App/Selection/SelectionBarStyle.h"
#include "core/Models/SelectionAction.h"

#include <QWidget>
#include <functional>
#include <vector>

namespace ondravell {

class BarButton;

// The whole selection bar: one row of buttons, a short divider between neighbours, on a rounded
// background with a faint light edge. It takes its ideal size; the panel is sized to it.
class SelectionBarView final : public QWidget {
public:
    SelectionBarView(const std::vector<SelectionAction>& actions, SelectionBarStyle style,
                     std::function<void(SelectionAction::Kind)> onTap, QWidget* parent = nullptr);

    // Whether the background is see-through (only under a compositing manager).
    void setTranslucent(bool translucent);
    const std::vector<BarButton*>& buttons() const { return buttons_; }
    int dividerCount() const { return dividerCount_; }
    // The rounded outline the background fills, for the window's shape without a compositor.
    QPainterPath outline() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<BarButton*> buttons_;
    int dividerCount_ = 0;
    bool translucent_ = false;
};

} // namespace ondravell
