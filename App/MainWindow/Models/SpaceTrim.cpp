#include "App/MainWindow/Models/SpaceTrim.h"

#include "core/Support/UnicodeText.h"

#include <unicode/uchar.h>

namespace ondravell {

namespace {
bool isSpaceOrTab(char32_t c) {
    return c == U'\t' || u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR;
}
} // namespace

std::string trimmingSpacesAndTabs(std::string_view text) {
    return std::string(UnicodeText::trimming(text, isSpaceOrTab));
}

} // namespace ondravell
