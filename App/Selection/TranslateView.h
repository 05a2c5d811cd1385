#pragma once

#include <QWidget>
#include <string>

class QLabel;

namespace ondravell {

// The text to translate in the result panel and, below it, `below` (the translation or why there is
// none); the translation fills in below later.
class TranslateView final : public QWidget {
public:
    TranslateView(const std::string& text, const std::string& below);

    // Puts the translation (or why there is none) below the text: a long one goes into a scrolling
    // view that lays it out a piece at a time.
    void showTranslated(const std::string& translated);

private:
    QLabel* below_ = nullptr;
};

} // namespace ondravell
