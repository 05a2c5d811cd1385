#pragma once

#include <QWidget>
#include <string>

class QLabel;

namespace ondravell {

// The text to translate in the result panel and, below it, `below` (the translation or why there is
// none); the translation fills in the label below later.
class TranslateView final : public QWidget {
public:
    TranslateView(const std::string& text, const std::string& below);

    QLabel* translationLabel() const { return below_; }

private:
    QLabel* below_ = nullptr;
};

} // namespace ondravell
