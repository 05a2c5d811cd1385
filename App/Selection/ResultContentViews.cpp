#include "App/Selection/ResultContentViews.h"

#include "App/Selection/ColorPreviewView.h"
#include "App/Selection/ResultTextView.h"
#include "App/Selection/RowsView.h"
#include "App/Selection/TranslateView.h"
#include "App/Symbols/SymbolImage.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/Support/Numbers.h"
#include "core/Support/RestrictWarning.h"

#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace ondravell {

namespace {

constexpr int labelColumnWidth = 84;
constexpr int valueLines = 3;
// The widest a row's value asks for: what the panel's 460 px leave beside the label and copy button.
constexpr int rowValueMaxWidth = 300;
constexpr int longTextMaxHeight = 260;
constexpr int translationMaxWidth = 320;
constexpr int translationTextLines = 4;
constexpr int swatchSide = 56;
constexpr int qrModulePixels = 8;
constexpr int qrQuietModules = 2;
constexpr int qrShownSide = 200;
// A wrapped line of the panel's columns holds fewer UTF-16 units than this, even in narrow glyphs.
constexpr qsizetype unitsPerShownLine = 120;
// The translation below its text shows this much of what the translator printed.
constexpr qsizetype shownTranslationUnits = 1200;
// The long-text view lays out its text this much at a time: a whole megabyte at once would hold the
// panel back for seconds.
constexpr qsizetype textPieceUnits = 8000;

QColor secondary(const QWidget* widget) {
    QColor colour = widget->palette().color(QPalette::WindowText);
    colour.setAlphaF(0.6);
    return colour;
}

QFont monospaced(qreal pointSizeFactor = 1.0) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(font.pointSizeF() * pointSizeFactor);
    return font;
}

QFont captionFont() {
    QFont font;
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

QString shown(std::string_view value, qsizetype limit) {
    // Only the start is converted: four bytes of UTF-8 never make more than two UTF-16 units.
    QString text = QString::fromUtf8(value.data(), qsizetype(std::min(value.size(), std::size_t(limit) * 4)));
    if (text.size() > limit) {
        qsizetype cut = limit;
        if (text.at(cut - 1).isHighSurrogate())
            --cut;
        text.truncate(cut);
        text += QChar(0x2026);
    }
    return text;
}

// The start of `value` that a label of `lines` lines can show (ask for one more to learn whether some is
// left out): laying out more only fills lines that are cut off, and costs tens of milliseconds for long
// values. Buttons keep the whole value.
QString firstLines(std::string_view value, int lines) {
    std::size_t end = std::string_view::npos;
    std::size_t from = 0;
    for (int line = 0; line < lines; ++line) {
        end = value.find('\n', from);
        if (end == std::string_view::npos)
            break;
        from = end + 1;
    }
    return shown(value.substr(0, end), lines * unitsPerShownLine);
}

// Fills `view` with `whole` a piece at a time: the first piece at once, each further one when the
// reader scrolls near the end of what is there.
void showInPieces(QPlainTextEdit* view, QString whole) {
    auto text = std::make_shared<const QString>(std::move(whole));
    auto shownUnits = std::make_shared<qsizetype>(0);
    auto addPiece = [view, text, shownUnits] {
        qsizetype end = std::min(text->size(), *shownUnits + textPieceUnits);
        if (end < text->size() && text->at(end - 1).isHighSurrogate())
            --end;
        QTextCursor cursor(view->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text->sliced(*shownUnits, end - *shownUnits));
        *shownUnits = end;
    };
    view->setUndoRedoEnabled(false);
    addPiece();
    QScrollBar* bar = view->verticalScrollBar();
    QObject::connect(bar, &QScrollBar::valueChanged, view, [bar, text, shownUnits, addPiece](int value) {
        if (*shownUnits < text->size() && value >= bar->maximum() - bar->pageStep())
            addPiece();
    });
}

// A read-only view of `whole` at most 260 px tall that scrolls, laid out a piece at a time.
QPlainTextEdit* scrollingText(QWidget* parent, QString whole, const QFont& font, int minimumWidth) {
    auto* text = new QPlainTextEdit(parent);
    text->setReadOnly(true);
    text->setFont(font);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    showInPieces(text, std::move(whole));
    text->setFrameShape(QFrame::NoFrame);
    text->viewport()->setAutoFillBackground(false);
    const int lines = int(std::min<qsizetype>(text->document()->blockCount(), 40));
    const int wanted =
        QFontMetrics(text->font()).lineSpacing() * lines + 2 * int(text->document()->documentMargin()) + 4;
    text->setFixedHeight(std::min(wanted, longTextMaxHeight));
    text->setMinimumWidth(minimumWidth);
    return text;
}

QToolButton* copyButton(QWidget* parent, std::string value, const ResultActions& actions) {
    auto* button = new QToolButton(parent);
    button->setIcon(SymbolImage::icon(QStringLiteral("doc.on.doc"), secondary(parent)));
    button->setAutoRaise(true);
    button->setAccessibleName(QString::fromStdString(ODLocalized("复制")));
    button->setToolTip(button->accessibleName());
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, button, [copy = actions.copy, value = std::move(value)] {
        if (copy)
            copy(value);
    });
    return button;
}

QPushButton* textButton(QWidget* parent, const char* title, const char* symbol,
                        std::function<void(const std::string&)> action, std::string value) {
    auto* button = new QPushButton(
        SymbolImage::icon(QString::fromLatin1(symbol), parent->palette().color(QPalette::ButtonText)),
        QString::fromStdString(ODLocalized(title)), parent);
    QFont font = button->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    button->setFont(font);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, button,
                     [action = std::move(action), value = std::move(value)] {
                         if (action)
                             action(value);
                     });
    return button;
}

QLabel* selectableLabel(const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// `text` broken into the lines a column `width` px wide shows, at most `maxLines` of them, the last one
// ending in "…" when some of the text is left out. Lines break between words where they can and
// anywhere in a run without spaces (Base64, an encoded address), which a label's word wrap would
// leave running on past the column. Lines are joined by line feeds: the label only draws them.
QString clampedLines(const QString& text, const QFont& font, int width, int maxLines) {
    QStringList shownLines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFontMetricsF metrics(font);
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (qsizetype p = 0; p < paragraphs.size() && shownLines.size() < maxLines; ++p) {
        const QString& paragraph = paragraphs[p];
        std::vector<std::pair<int, int>> lines; // start and length of each line of the paragraph
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.emplace_back(line.textStart(), line.textLength());
        }
        layout.endLayout();
        if (lines.empty())
            lines.emplace_back(0, 0);
        for (std::size_t l = 0; l < lines.size(); ++l) {
            QString line = paragraph.mid(lines[l].first, lines[l].second);
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            const bool moreInParagraph = l + 1 < lines.size();
            const bool moreAfter = moreInParagraph || p + 1 < paragraphs.size();
            if (shownLines.size() + 1 == maxLines && moreAfter) {
                shownLines << metrics.elidedText(moreInParagraph ? paragraph.mid(lines[l].first)
                                                                 : line + QChar(0x2026),
                                                 Qt::ElideRight, width);
                return shownLines.join(QLatin1Char('\n'));
            }
            shownLines << line;
        }
    }
    return shownLines.join(QLatin1Char('\n'));
}

// A wrapped label settles for a narrow column and breaks short texts (a date, a message) over several
// lines: it asks for the width of its longest line, up to `limit`, and wraps only beyond that.
void widenToLongestLine(QLabel* label, int limit) {
    int width = 0;
    for (const QString& line : label->text().split(QLatin1Char('\n')))
        width = std::max(width, label->fontMetrics().horizontalAdvance(line));
    // A selectable label lays its text out in a document with a 4 px margin on each side.
    label->setMinimumWidth(std::min(limit, width + 8));
}

class Swatch final : public QWidget {
public:
    Swatch(QColor fill, QWidget* parent) : QWidget(parent), fill_(fill) {
        setFixedSize(swatchSide, swatchSide);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        painter.fillPath(path, fill_);
        QColor edge = palette().color(QPalette::WindowText);
        edge.setAlphaF(0.3 * 0.6);
        painter.strokePath(path, QPen(edge, 1));
    }

private:
    QColor fill_;
};

int component(double value) {
    return int(value * 255);
}

std::string hex2(int value) {
    static const char digits[] = "0123456789ABCDEF";
    value = std::clamp(value, 0, 255);
    return {digits[value / 16], digits[value % 16]};
}

} // namespace

// GCC 12 at -O3 takes a literal put in front of a temporary string for an overlapping copy
// (-Wrestrict, a known false positive of its string inlining); the warning is silenced here only.
ONDRAVELL_IGNORE_RESTRICT_BEGIN
std::string ColorPreviewView::hexText(const TextInspector::Color& color) {
    return "#" + hex2(component(color.r)) + hex2(component(color.g)) + hex2(component(color.b));
}
ONDRAVELL_IGNORE_RESTRICT_END

std::string ColorPreviewView::rgbText(const TextInspector::Color& color) {
    return "rgb(" + Numbers::format(std::int64_t(component(color.r))) + ", " +
           Numbers::format(std::int64_t(component(color.g))) + ", " +
           Numbers::format(std::int64_t(component(color.b))) + ")";
}

RowsView::RowsView(const std::vector<SelectionActionPlan::Row>& rows, bool copyable,
                   const std::optional<std::string>& replaceValue, const ResultActions& actions) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    const QFont valueFont = monospaced();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = int(i);
        // Calculate's label is the selected expression: as long as a selection and never markup.
        auto* label = new QLabel(clampedLines(firstLines(rows[i].label, valueLines + 1), captionFont(),
                                              labelColumnWidth, valueLines),
                                 this);
        label->setTextFormat(Qt::PlainText);
        label->setFont(captionFont());
        label->setFixedWidth(labelColumnWidth);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, secondary(this));
        label->setPalette(palette);
        grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        // A selectable label draws its text 4 px in from each side.
        QLabel* value = selectableLabel(clampedLines(firstLines(rows[i].value, valueLines + 1), valueFont,
                                                     rowValueMaxWidth - 8, valueLines),
                                        valueFont, this);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(value, row, 1);
        if (copyable)
            grid->addWidget(copyButton(this, rows[i].value, actions), row, 2, Qt::AlignVCenter);
    }
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    if (replaceValue) {
        auto* divider = new QFrame(this);
        divider->setFrameShape(QFrame::HLine);
        divider->setFrameShadow(QFrame::Sunken);
        column->addWidget(divider);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(
            textButton(this, "替换选区", "arrow.left.arrow.right", actions.replace, *replaceValue));
        buttons->addStretch(1);
        column->addLayout(buttons);
    }
}

ResultTextView::ResultTextView(const std::string& content, const std::optional<std::string>& replaceWith,
                               const ResultActions& actions) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(scrollingText(this, QString::fromStdString(content), monospaced(0.95), 360));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(textButton(this, "复制", "doc.on.doc", actions.copy, content));
    if (replaceWith)
        buttons->addWidget(
            textButton(this, "替换选区", "arrow.left.arrow.right", actions.replace, *replaceWith));
    buttons->addStretch(1);
    column->addLayout(buttons);
}

ColorPreviewView::ColorPreviewView(const TextInspector::Color& color, const ResultActions& actions) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(new Swatch(QColor::fromRgbF(float(color.r), float(color.g), float(color.b)), this));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    for (const std::string& text : {hexText(color), rgbText(color)}) {
        auto* line = new QHBoxLayout;
        line->addWidget(selectableLabel(QString::fromStdString(text), monospaced(), this));
        line->addWidget(copyButton(this, text, actions));
        line->addStretch(1);
        texts->addLayout(line);
    }
    row->addLayout(texts);
}

QWidget* ResultContentViews::message(const std::string& text) {
    auto* view = new QWidget;
    auto* column = new QVBoxLayout(view);
    column->setContentsMargins(12, 12, 12, 12);
    auto* label = new QLabel(QString::fromStdString(text), view);
    label->setTextFormat(Qt::PlainText);
    column->addWidget(label);
    return view;
}

TranslateView::TranslateView(const std::string& text, const std::string& below) {
    setMaximumWidth(translationMaxWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* original = new QLabel(this);
    original->setTextFormat(Qt::PlainText);
    original->setText(clampedLines(firstLines(text, translationTextLines + 1), original->font(),
                                   translationMaxWidth, translationTextLines));
    original->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(original);
    auto* result = selectableLabel(shown(below, shownTranslationUnits), QFont(), this);
    result->setWordWrap(true);
    QPalette palette = result->palette();
    palette.setColor(QPalette::WindowText, secondary(this));
    result->setPalette(palette);
    column->addWidget(result);
    widenToLongestLine(result, translationMaxWidth);
    below_ = result;
}

void TranslateView::showTranslated(const std::string& translated) {
    QString text = QString::fromStdString(translated);
    if (text.size() <= shownTranslationUnits) {
        below_->setText(text);
        return;
    }
    // A label lays out all of its text at once, which for megabytes holds the panel for seconds.
    QPlainTextEdit* scrolling = scrollingText(this, std::move(text), below_->font(), translationMaxWidth);
    QPalette palette = scrolling->palette();
    palette.setColor(QPalette::Text, secondary(this));
    scrolling->setPalette(palette);
    delete layout()->replaceWidget(below_, scrolling);
    below_->hide();
    below_->deleteLater();
    below_ = nullptr;
}

QImage ResultContentViews::qrImage(const QRCodeMatrix& code) {
    const int side = (code.width + 2 * qrQuietModules) * qrModulePixels;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code.width; ++y)
        for (int x = 0; x < code.width; ++x)
            if (code.isDark(x, y))
                painter.fillRect((x + qrQuietModules) * qrModulePixels, (y + qrQuietModules) * qrModulePixels,
                                 qrModulePixels, qrModulePixels, Qt::black);
    return image;
}

QWidget* ResultContentViews::qrCode(const QRCodeMatrix& code) {
    auto* view = new QWidget;
    auto* column = new QVBoxLayout(view);
    column->setContentsMargins(12, 12, 12, 12);
    auto* picture = new QLabel(view);
    const qreal ratio = view->devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(qrImage(code).scaled(
        int(qrShownSide * ratio), int(qrShownSide * ratio), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    picture->setPixmap(pixmap);
    picture->setFixedSize(qrShownSide, qrShownSide);
    picture->setAlignment(Qt::AlignCenter);
    column->addWidget(picture, 0, Qt::AlignCenter);
    return view;
}

} // namespace ondravell
