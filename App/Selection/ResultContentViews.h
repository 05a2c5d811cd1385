#pragma once

#include "App/Selection/QRCodeMatrix.h"
#include "App/Selection/SelectionActionPlan.h"

#include <QImage>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace ondravell {

// What the buttons of a result do with their value.
struct ResultActions {
    std::function<void(const std::string&)> copy;
    std::function<void(const std::string&)> replace;
};

// The contents of the result panel, one builder per kind of result. Each returns a new widget without
// a parent; the panel takes it over.
struct ResultContentViews {
    ResultContentViews() = delete;

    // Label and value rows, each with a copy button when `copyable`, and a replace button below them
    // when `replaceValue` is present.
    static QWidget* rows(const std::vector<SelectionActionPlan::Row>& rows, bool copyable,
                         const std::optional<std::string>& replaceValue, const ResultActions& actions);
    // One long text in a scrolling view at most 260 px tall, with copy and optional replace buttons.
    static QWidget* longText(const std::string& content, const std::optional<std::string>& replaceWith,
                             const ResultActions& actions);
    // A colour swatch beside its "#RRGGBB" and "rgb(r, g, b)" texts.
    static QWidget* color(const TextInspector::Color& color, const ResultActions& actions);
    // A padded single line of text.
    static QWidget* message(const std::string& text);
    // The text to translate and, below it, `below` (the translation or why there is none); the label
    // that shows `below` is returned through `belowLabel` so the translation can fill it in later.
    static QWidget* translation(const std::string& text, const std::string& below, QLabel** belowLabel);
    // The QR code, 8 px per module, shown in 200 × 200 px.
    static QWidget* qrCode(const QRCodeMatrix& code);
    static QImage qrImage(const QRCodeMatrix& code);

    // "#%02X%02X%02X" and "rgb(r, g, b)" of components from 0 to 1, each times 255 truncated.
    static std::string hexText(const TextInspector::Color& color);
    static std::string rgbText(const TextInspector::Color& color);
};

} // namespace ondravell
