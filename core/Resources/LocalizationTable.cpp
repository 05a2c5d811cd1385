#include "core/Resources/LocalizationTable.h"

namespace ondravell {

// No translations are shipped yet, so every text shows in Chinese. To add a language, return a static
// array of entries here, e.g. {"en", "复制路径", "Copy Path"}.
std::span<const LocalizationEntry> localizationTable() {
    return {};
}

} // namespace ondravell
