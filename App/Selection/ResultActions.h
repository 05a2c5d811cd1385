#pragma once

#include <functional>
#include <string>

namespace ondravell {

// What the buttons of a result do with their value.
struct ResultActions {
    std::function<void(const std::string&)> copy;
    std::function<void(const std::string&)> replace;
};

} // namespace ondravell
