#include "App/Toast/ProgressContentView.h"

#include "App/Toast/ToastMetrics.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <cmath>

namespace ondravell {

namespace {
constexpr int barSteps = 1000;
constexpr int barHeight = 6;
} // namespace

ProgressContentView::ProgressContentView(QWidget* parent)
    : QWidget(parent), title_(new QLabel(this)), detail_(new QLabel(this)), bar_(new QProgressBar(this)) {
    setFixedWidth(ToastMetrics::progressWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(ToastMetrics::horizontalPadding, ToastMetrics::verticalPadding,
                               ToastMetrics::horizontalPadding, ToastMetrics::verticalPadding);
    column->setSpacing(ToastMetrics::progressSpacing);

    auto* row = new QHBoxLayout;
    row->setSpacing(ToastMetrics::toastSpacing);
    title_->setTextFormat(Qt::PlainText);
    QFont titleFont = title_->font();
    titleFont.setWeight(QFont::Medium);
    title_->setFont(titleFont);
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    detail_->setTextFormat(Qt::PlainText);
    QFont detailFont = detail_->font();
    detailFont.setPointSizeF(detailFont.pointSizeF() * 0.85);
    detailFont.setStyleHint(QFont::Monospace);
    detail_->setFont(detailFont);
    QPalette secondary = detail_->palette();
    secondary.setColor(QPalette::WindowText, palette().color(QPalette::PlaceholderText));
    detail_->setPalette(secondary);
    row->addWidget(title_, 1);
    row->addWidget(detail_, 0, Qt::AlignRight);
    column->addLayout(row);

    bar_->setRange(0, barSteps);
    bar_->setTextVisible(false);
    bar_->setFixedHeight(barHeight);
    column->addWidget(bar_);
}

void ProgressContentView::setContent(const QString& title, double fraction, const QString& detail) {
    title_->setText(title);
    detail_->setText(detail);
    bar_->setValue(static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * barSteps)));
}

} // namespace ondravell
