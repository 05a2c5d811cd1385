#pragma once

#include "platform/URLOpener.h"

namespace ondravell::platform {

class GioURLOpener final : public URLOpener {
public:
    bool open(const std::string& url) override;
};

} // namespace ondravell::platform
