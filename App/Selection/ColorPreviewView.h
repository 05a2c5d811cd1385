#pragma once

#include "App/Selection/ResultActions.h"
#include "core/TextProcessing/TextInspector.h"

#include <QWidget>
#include <string>

namespace ondravell {

// A colour swatch in the result panel beside its "#RRGGBB" and "rgb(r, g, b)" texts, each with a copy
// button.
class ColorPreviewView final : public QWidget {
public:
    ColorPreviewView(const TextInspector::Color& color, const ResultActions& actions);

    // "#%02X%02X%02X" and "rgb(r, g, b)" of components from 0 to 1, each times 255 truncated.
    static std::string hexText(const TextInspector::Color& color);
    static std::string rgbText(const TextInspector::Color& color);
};

} // namespace ondravell
