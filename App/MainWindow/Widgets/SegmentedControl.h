#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QButtonGroup;
class QToolButton;

namespace ondravell {

// A row of joined buttons. In the selecting style one segment shows as chosen; in the momentary
// style a click leaves none chosen (back and forward). Only the user's clicks reach `onActivated`:
// setting the chosen segment from code reports nothing, so a page that redraws never saves.
class SegmentedControl final : public QWidget {
public:
    enum class Style { selecting, momentary };

    struct Segment {
        QString text;
        QIcon icon = {};
        QString toolTip = {}; // also the segment's accessible name when it shows only an icon
    };

    explicit SegmentedControl(std::vector<Segment> segments, Style style = Style::selecting,
                              QWidget* parent = nullptr);

    // -1 when no segment is chosen.
    int currentIndex() const;
    void setCurrentIndex(int index);
    void setSegmentEnabled(int index, bool enabled);
    bool isSegmentEnabled(int index) const;
    int count() const { return static_cast<int>(buttons_.size()); }
    QToolButton* button(int index) const;

    std::function<void(int)> onActivated;

private:
    std::vector<QToolButton*> buttons_;
    QButtonGroup* group_;
};

} // namespace ondravell
