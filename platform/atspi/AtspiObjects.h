#pragma once

#include <atspi/atspi.h>
#include <string_view>

namespace ondravell::platform::atspi {

// The bus name of the application `object` belongs to; empty when not known.
inline std::string_view busName(AtspiAccessible* object) {
    const AtspiApplication* application = object ? object->parent.app : nullptr;
    return application && application->bus_name ? application->bus_name : "";
}

// Frees what a libatspi call reported, whose failures the callers treat as "no answer".
inline void dropError(GError*& error) {
    if (error)
        g_error_free(error);
    error = nullptr;
}

} // namespace ondravell::platform::atspi
