#include "core/Models/SelectedItem.h"

#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"

namespace ondravell {

SelectedItem::SelectedItem(std::filesystem::path url, bool isDirectory)
    : url_(std::move(url)),
      isDirectory_(isDirectory),
      ext_(UnicodeText::lowercased(PathRules::pathExtension(url_.native()))) {}

} // namespace ondravell
