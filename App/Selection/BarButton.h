#pragma once

#include "App/Selection/SelectionBarStyle.h"
#include "core/Models/SelectionAction.h"

#include <QAbstractButton>
#include <functional>

namespace ondravell {

// One button of the selection bar: the action's glyph, its title or both as the style says, on a
// faint rounded highlight while the pointer is over it. The whole rectangle takes clicks; the tooltip
// and the accessible name give the title in every style.
class BarButton final : public QAbstractButton {
public:
    BarButton(SelectionAction action, SelectionBarStyle style, std::function<void()> onTap,
              QWidget* parent = nullptr);

    QSize sizeHint() const override;
    bool hovering() const { return hovering_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    double glyphBaseSize() const;
    QSizeF contentSize() const;

    SelectionAction action_;
    SelectionBarStyle style_;
    bool showsGlyph_;
    bool showsTitle_;
    QString title_;
    QFont titleFont_;
    bool hovering_ = false;
};

} // namespace ondravell
