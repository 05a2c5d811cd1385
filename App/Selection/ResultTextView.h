#pragma once

#include "App/Selection/ResultActions.h"

#include <QWidget>
#include <optional>
#include <string>

namespace ondravell {

// One long text in the result panel, in a scrolling view at most 260 px tall, with a copy button and,
// when `replaceWith` is present, a replace button.
class ResultTextView final : public QWidget {
public:
    ResultTextView(const std::string& content, const std::optional<std::string>& replaceWith,
                   const ResultActions& actions);
};

} // namespace ondravell
