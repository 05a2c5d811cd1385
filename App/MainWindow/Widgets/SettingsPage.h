#pragma once

#include <QScrollArea>

class QVBoxLayout;

namespace ondravell {

class SettingsPageModel;
class SettingsSection;

// The frame of one settings page: a scrolling column of sections. Each time the page comes on screen
// (the window shows it, or the window itself is shown again) `reload()` runs, so the page shows what
// the settings file holds now. A page fills its widgets from its model with signals blocked or through
// signals only the user's actions raise, and saves nothing while doing so. Its pickers and steppers take
// the wheel only once the user gave them the focus; until then the wheel scrolls the page.
class SettingsPage : public QScrollArea {
public:
    explicit SettingsPage(QWidget* parent = nullptr);

    void addSection(SettingsSection* section);
    // Any other widget in the column.
    void addWidget(QWidget* widget);

    // Says where the user made a change that `model` could not save: a line in the section of the
    // control last pressed or typed into. The next save that succeeds, or the page shown afresh, takes
    // it away.
    void reportSaves(SettingsPageModel& model);
    static const QString saveFailedText;

protected:
    virtual void reload() = 0;
    void showEvent(QShowEvent* event) override;

private:
    class WheelGuard;
    class InputWatch;
    void guardWheelControls();
    void saveFinished(bool saved);

    QVBoxLayout* column_;
    WheelGuard* wheelGuard_;
    InputWatch* inputWatch_;
};

} // namespace ondravell
