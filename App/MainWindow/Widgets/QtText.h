#pragma once

#include <QString>
#include <string_view>

namespace ondravell {

// UTF-8 text of the core as the toolkit's text.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace ondravell
