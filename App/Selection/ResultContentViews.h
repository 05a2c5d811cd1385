#pragma once

#include "App/Selection/QRCodeMatrix.h"

#include <QImage>
#include <string>

class QWidget;

namespace ondravell {

// The result panel's two plain contents, a message and a QR code, beside its views (RowsView,
// ResultTextView, ColorPreviewView, TranslateView). Each returns a new widget without a parent; the
// panel takes it over.
struct ResultContentViews {
    ResultContentViews() = delete;

    // A padded single line of text.
    static QWidget* message(const std::string& text);
    // The QR code, 8 px per module, shown in 200 × 200 px.
    static QWidget* qrCode(const QRCodeMatrix& code);
    static QImage qrImage(const QRCodeMatrix& code);
};

} // namespace ondravell
