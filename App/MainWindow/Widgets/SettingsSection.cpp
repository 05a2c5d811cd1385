#include "App/MainWindow/Widgets/SettingsSection.h"

#include "App/MainWindow/Widgets/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ondravell {

namespace {
constexpr int rowMargin = 10;
constexpr int rowSpacing = 4;
const QColor warningColor(0xD9, 0x48, 0x1C);
} // namespace

SettingsSection::SettingsSection(const QString& header, const QString& footer, QWidget* parent)
    : QWidget(parent), frame_(new QFrame), rows_(new QVBoxLayout), footer_(new QLabel) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    if (!header.isEmpty()) {
        auto* title = new QLabel(header);
        QFont font = title->font();
        font.setBold(true);
        title->setFont(font);
        column->addWidget(title);
    }
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setBackgroundRole(QPalette::Base);
    frame_->setAutoFillBackground(true);
    rows_->setContentsMargins(rowMargin, rowSpacing, rowMargin, rowSpacing);
    rows_->setSpacing(rowSpacing);
    frame_->setLayout(rows_);
    column->addWidget(frame_);

    footer_->setWordWrap(true);
    footer_->setForegroundRole(QPalette::PlaceholderText);
    QFont small = footer_->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    footer_->setFont(small);
    column->addWidget(footer_);
    setFooter(footer);
}

void SettingsSection::addRow(QWidget* row) {
    if (rows_->count() > 0) {
        auto* line = new QFrame;
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setForegroundRole(QPalette::Midlight);
        rows_->addWidget(line);
    }
    rows_->addWidget(row);
}

QWidget* SettingsSection::addLabelledRow(const QString& text, QWidget* control) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->addWidget(new QLabel(text));
    layout->addStretch(1);
    layout->addWidget(control);
    addRow(row);
    return row;
}

void SettingsSection::setFooter(const QString& footer) {
    footer_->setText(footer);
    footer_->setVisible(!footer.isEmpty());
}

void SettingsSection::setWarning(const QString& warning) {
    if (!warning_) {
        if (warning.isEmpty())
            return;
        // Made at the first warning: most sections never show one.
        warning_ = new QLabel;
        warning_->setWordWrap(true);
        auto* column = static_cast<QVBoxLayout*>(layout());
        // Over the rows, where a long list does not push it out of sight.
        column->insertWidget(column->indexOf(frame_),
                             makeSymbolLabel("exclamationmark.triangle.fill", warning_, warningColor));
    }
    warning_->setText(warning);
    warning_->parentWidget()->setVisible(!warning.isEmpty());
}

QString SettingsSection::warning() const {
    return warning_ && warning_->parentWidget()->isVisibleTo(this) ? warning_->text() : QString();
}

} // namespace ondravell
