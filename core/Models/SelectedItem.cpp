#include "core/Models/SelectedItem.h"

#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"

#include <algorithm>

namespace ondravell {

namespace {
// Nearly every extension is ASCII; ICU's full case mapping is kept for the others.
std::string lowercasedExtension(std::string ext) {
    auto isASCII = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    if (!std::all_of(ext.begin(), ext.end(), isASCII))
        return UnicodeText::lowercased(ext);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext;
}
} // namespace

SelectedItem::SelectedItem(std::filesystem::path url, bool isDirectory)
    : url_(std::move(url)),
      isDirectory_(isDirectory),
      ext_(lowercasedExtension(PathRules::pathExtension(url_.native()))) {}

} // namespace ondravell
