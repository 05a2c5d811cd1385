#include "App/MainWindow/Pages/TemplateRow.h"

#include "App/MainWindow/Pages/TemplateIconCache.h"
#include "App/MainWindow/Widgets/ListRows.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "core/SharedConfig/ODLocalized.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolButton>

namespace ondravell {

namespace {

constexpr int pictureSide = 20;
constexpr int iconFrameWidth = 22;
constexpr int symbolSize = 16;
constexpr int spacing = 8;
constexpr double calloutScale = 0.92;
constexpr int nominalTextWidth = 240;
constexpr int minimumTextWidth = 120;

} // namespace

// The row's icon, name and extension, drawn by one widget: a page of hundreds of templates makes and
// lays out a fraction of the widgets, and decodes an icon only when its row comes on screen.
class TemplateRow::Title final : public QWidget {
public:
    Title(const TemplateRow& row, QString name)
        : row_(row),
          name_(std::move(name)),
          extension_(QStringLiteral(".") + toQString(row.template_.fileExtension)) {
        callout_ = font();
        callout_.setPointSizeF(callout_.pointSizeF() * calloutScale);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setAccessibleName(name_ + QLatin1Char(' ') + extension_);
    }

    const QString& name() const { return name_; }
    int rowHeight() const { return std::max(pictureSide, fontMetrics().height()); }

    QPixmap picture() const {
        const FileTemplate& shown = row_.template_;
        if (!shown.customIconFilename)
            return {};
        return row_.icons_.picture(*shown.customIconFilename, QSize(pictureSide, pictureSide),
                                   devicePixelRatioF());
    }

    // Hints that need no text measured: the list is as wide as the page, a long name is elided, and a
    // page of hundreds of rows lays out without shaping every name first.
    QSize sizeHint() const override { return {iconFrameWidth + spacing + nominalTextWidth, rowHeight()}; }
    QSize minimumSizeHint() const override {
        return {iconFrameWidth + spacing + minimumTextWidth, rowHeight()};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QPixmap icon = picture();
        if (icon.isNull())
            icon = row_.icons_.symbol(row_.template_.iconSymbol, symbolSize,
                                      palette().color(QPalette::Highlight), devicePixelRatioF());
        const QSizeF iconSize = icon.deviceIndependentSize();
        painter.drawPixmap(
            QPointF((iconFrameWidth - iconSize.width()) / 2, (height() - iconSize.height()) / 2), icon);

        painter.setFont(callout_);
        painter.setPen(palette().color(QPalette::PlaceholderText));
        const int extensionWidth = QFontMetrics(callout_).horizontalAdvance(extension_);
        painter.drawText(QRect(width() - extensionWidth, 0, extensionWidth, height()),
                         Qt::AlignRight | Qt::AlignVCenter, extension_);

        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const int nameLeft = iconFrameWidth + spacing;
        const int nameWidth = std::max(0, width() - extensionWidth - spacing - nameLeft);
        painter.drawText(QRect(nameLeft, 0, nameWidth, height()), Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(name_, Qt::ElideRight, nameWidth));
    }

private:
    const TemplateRow& row_;
    QString name_;
    QString extension_;
    QFont callout_;
};

TemplateRow::TemplateRow(FileTemplate fileTemplate, bool isCustom, TemplateIconCache& icons,
                         Callbacks callbacks, QWidget* parent)
    : QWidget(parent),
      template_(std::move(fileTemplate)),
      isCustom_(isCustom),
      icons_(icons),
      callbacks_(std::move(callbacks)),
      switch_(new QCheckBox) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 3, 0, 3);
    layout->setSpacing(spacing);
    // A user's name as stored; a built-in's through the string table, its key where none exists.
    title_ = new Title(
        *this, toQString(isCustom_ ? template_.displayNameKey : ODLocalizedKey(template_.displayNameKey)));
    layout->addWidget(title_, 1);

    if (isCustom_) {
        edit_ = new QToolButton;
        edit_->setAutoRaise(true);
        edit_->setIcon(icons_.buttonIcon("pencil", palette().color(QPalette::ButtonText)));
        edit_->setToolTip(QStringLiteral("编辑"));
        edit_->setAccessibleName(QStringLiteral("编辑"));
        connect(edit_, &QToolButton::clicked, this, [this] {
            if (callbacks_.onEdit)
                callbacks_.onEdit();
        });
        layout->addWidget(edit_);
        delete_ = makeDeleteButton(icons_.buttonIcon("trash", QColor(Qt::red)));
        connect(delete_, &QToolButton::clicked, this, [this] {
            if (callbacks_.onDelete)
                callbacks_.onDelete();
        });
        layout->addWidget(delete_);
    }

    switch_->setAccessibleName(QStringLiteral("在右键菜单中显示"));
    switch_->setChecked(true);
    // `clicked` comes only from the user; the switch then shows what the page says.
    connect(switch_, &QCheckBox::clicked, this, [this](bool on) {
        {
            QSignalBlocker blocker(switch_);
            switch_->setChecked(shown_);
        }
        if (callbacks_.onToggle)
            callbacks_.onToggle(on);
    });
    layout->addWidget(switch_);
}

void TemplateRow::setShown(bool shown) {
    shown_ = shown;
    QSignalBlocker blocker(switch_);
    switch_->setChecked(shown);
}

const QString& TemplateRow::name() const {
    return title_->name();
}

bool TemplateRow::showsPicture() const {
    return !title_->picture().isNull();
}

} // namespace ondravell
