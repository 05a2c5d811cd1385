#pragma once

#include <string>

namespace ondravell::platform {

// Opens a URL with the desktop's default handler of its scheme (a web page in the browser).
class URLOpener {
public:
    virtual ~URLOpener() = default;

    // False when no handler took it.
    virtual bool open(const std::string& url) = 0;
};

} // namespace ondravell::platform
