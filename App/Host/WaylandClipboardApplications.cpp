#include "App/Host/WaylandClipboardApplications.h"

namespace ondravell {

namespace {

// X clients are told apart by bits of 32-bit resource ids: a focus named with the top bit set is
// never taken for one.
constexpr std::uint64_t waylandFocusBit = std::uint64_t{1} << 63;

} // namespace

std::optional<std::uint64_t> WaylandClipboardApplications::waylandFocus() const {
    const std::optional<std::uint64_t> serial = sources_.focusSerial();
    if (!serial)
        return std::nullopt;
    return waylandFocusBit | *serial;
}

std::optional<std::uint64_t> WaylandClipboardApplications::focused() const {
    if (sources_.x11WindowFocused())
        return sources_.focusedClient();
    return waylandFocus();
}

std::optional<std::uint64_t> WaylandClipboardApplications::owner() const {
    const std::optional<unsigned long> owner = sources_.ownerClient();
    if (!owner)
        return std::nullopt;
    if (owner == sources_.compositorClient())
        return waylandFocus();
    return *owner;
}

} // namespace ondravell
