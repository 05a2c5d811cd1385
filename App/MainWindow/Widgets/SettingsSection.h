#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QVBoxLayout;

namespace ondravell {

// One titled group of a settings page: a header above a framed list of rows and an explanatory
// footer below it. Either text may be empty, which leaves its line out.
class SettingsSection : public QWidget {
public:
    explicit SettingsSection(const QString& header, const QString& footer = {}, QWidget* parent = nullptr);

    // Appends a row to the framed list; rows are separated by a thin line.
    void addRow(QWidget* row);
    // Appends a row made of a leading text, a flexible space and the given control.
    QWidget* addLabelledRow(const QString& text, QWidget* control);
    // The layout of the framed list, for rows that manage themselves (a reorderable list, say).
    QVBoxLayout* rows() const { return rows_; }

    void setFooter(const QString& footer);
    // A warning line between the header and the rows (about the section's last change, say); an empty
    // text hides it.
    void setWarning(const QString& warning);
    // The warning shown, empty when none is.
    QString warning() const;

private:
    QFrame* frame_;
    QVBoxLayout* rows_;
    QLabel* warning_ = nullptr;
    QLabel* footer_;
};

} // namespace ondravell
