#include "platform/glib/GioURLOpener.h"

#include "platform/glib/GioURIs.h"

namespace ondravell::platform {

bool GioURLOpener::open(const std::string& url) {
    return gio::launchDefaultForURI(url);
}

} // namespace ondravell::platform
