#pragma once

#include "App/MainWindow/Models/ApplicationChoices.h"

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace ondravell {

// "选择应用": the installed applications by icon and name with a search field over them. "选择", Return
// or a double click chooses the selected application; "取消" or Escape chooses none.
class ApplicationChooserDialog final : public QDialog {
public:
    explicit ApplicationChooserDialog(std::vector<platform::InstalledApplication> choices,
                                      QWidget* parent = nullptr);

    QLineEdit* searchField() const { return search_; }
    QListWidget* list() const { return list_; }
    QPushButton* chooseButton() const { return choose_; }
    // The identifier of the selected application once the dialog was accepted.
    std::optional<std::string> chosen() const;

    // Runs the dialog modally over the active window: what the settings pages ask with.
    static std::optional<std::string> choose(const std::vector<platform::InstalledApplication>& choices);

private:
    void refill();

    ApplicationChoiceFilter filter_;
    QLineEdit* search_;
    QListWidget* list_;
    QPushButton* choose_;
};

} // namespace ondravell
