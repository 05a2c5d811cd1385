#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ondravell::test {

// The X windows of $DISPLAY as an outside observer sees them.
struct X11Windows {
    struct Window {
        unsigned long id = 0;
        std::string name; // _NET_WM_NAME, else WM_NAME
        long pid = 0;     // _NET_WM_PID, 0 when absent
        bool viewable = false;
        int x = 0, y = 0, width = 0, height = 0;
    };
    // Every window below the root, depth first.
    static std::vector<Window> all();
    // The first viewable window whose name is `name`.
    static std::optional<Window> viewableNamed(const std::string& name);
};

} // namespace ondravell::test
