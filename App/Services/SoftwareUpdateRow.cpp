#include "App/Services/SoftwareUpdateRow.h"

#include "App/Services/SoftwareUpdateRowContent.h"
#include "App/Services/UpdateChecker.h"
#include "App/Widgets/ElidedLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ondravell {

SoftwareUpdateRow::SoftwareUpdateRow(UpdateChecker& checker, QWidget* parent)
    : QWidget(parent),
      checker_(checker),
      version_(new QLabel(this)),
      status_(new ElidedLabel({}, Qt::ElideMiddle, this)),
      download_(new QPushButton(QStringLiteral("前往下载"), this)),
      check_(new QPushButton(QStringLiteral("检查更新"), this)),
      busy_(new QProgressBar(check_)) {
    auto* lines = new QVBoxLayout;
    lines->setSpacing(2);
    // The version and the notes come from the update server: shown as text, never as markup.
    version_->setTextFormat(Qt::PlainText);
    status_->setTextFormat(Qt::PlainText);
    lines->addWidget(version_);
    lines->addWidget(status_);
    QFont caption = status_->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    status_->setFont(caption);

    // The prominent style: the desktop's accent colour behind the text.
    download_->setAutoFillBackground(true);
    download_->setStyleSheet(
        QStringLiteral("QPushButton { background: palette(highlight); color: "
                       "palette(highlighted-text); border-radius: 5px; padding: 4px 12px; }"));
    connect(download_, &QPushButton::clicked, this, [this] { checker_.openDownloadPage(); });

    // While a check runs the button shows a small busy bar in place of its text.
    busy_->setRange(0, 0);
    busy_->setTextVisible(false);
    busy_->setFixedSize(36, 6);
    auto* busyLayout = new QHBoxLayout(check_);
    busyLayout->setContentsMargins(0, 0, 0, 0);
    busyLayout->addWidget(busy_, 0, Qt::AlignCenter);
    check_->setMinimumWidth(check_->sizeHint().width());
    connect(check_, &QPushButton::clicked, this,
            [this] { QTimer::singleShot(0, this, [this] { checker_.check(false); }); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    // The column takes the free room, so a very long version is shortened instead of pushing the
    // buttons away.
    row->addLayout(lines, 1);
    row->addWidget(download_);
    row->addWidget(check_);

    observer_ = checker_.observe([this] { refresh(); });
    refresh();
}

SoftwareUpdateRow::~SoftwareUpdateRow() {
    checker_.removeObserver(observer_);
}

void SoftwareUpdateRow::refresh() {
    SoftwareUpdateRowContent content = SoftwareUpdateRowContent::of(checker_);
    version_->setText(QString::fromStdString(content.versionLine));
    status_->setText(QString::fromStdString(content.statusLine));
    status_->setVisible(!content.statusLine.empty());
    QPalette palette = status_->palette();
    const QColor tone = content.statusTone == SoftwareUpdateRowContent::Tone::orange
                            ? QColor(240, 140, 0)
                            : palette.color(QPalette::PlaceholderText);
    // On a section's base-coloured frame a label draws in the text role, elsewhere in the window's.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, tone);
    status_->setPalette(palette);
    download_->setVisible(content.showsDownloadButton);
    check_->setEnabled(!content.isChecking);
    check_->setText(content.isChecking ? QString() : QStringLiteral("检查更新"));
    busy_->setVisible(content.isChecking);
}

} // namespace ondravell
