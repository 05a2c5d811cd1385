#pragma once

#include "App/Selection/ResultActions.h"
#include "App/Selection/SelectionActionPlan.h"

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace ondravell {

// Label and value rows in the result panel, each with a copy button when `copyable`, and a replace
// button below them when `replaceValue` is present.
class RowsView final : public QWidget {
public:
    RowsView(const std::vector<SelectionActionPlan::Row>& rows, bool copyable,
             const std::optional<std::string>& replaceValue, const ResultActions& actions);
};

} // namespace ondravell
