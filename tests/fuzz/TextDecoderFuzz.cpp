#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/TextEncoder.h"
#include "tests/fuzz/FuzzInput.h"

using ondravell::TextEncoder;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzzText(data, size);
    const auto base64 = TextEncoder::base64Decode(text);
    FUZZ_REQUIRE(!base64 || ondravell::UnicodeText::isValidUTF8(*base64));
    const auto url = TextEncoder::urlDecode(text);
    FUZZ_REQUIRE(!url || ondravell::UnicodeText::isValidUTF8(*url));
    (void)TextEncoder::htmlEscape(text);
    (void)TextEncoder::unicodeEscape(text);
    if (!ondravell::UnicodeText::isValidUTF8(text))
        return 0;
    // Every encoding of a text decodes back to it.
    FUZZ_REQUIRE(TextEncoder::base64Decode(TextEncoder::base64Encode(text, false)) == text);
    FUZZ_REQUIRE(TextEncoder::base64Decode(TextEncoder::base64Encode(text, true)) == text);
    FUZZ_REQUIRE(TextEncoder::urlDecode(TextEncoder::urlEncode(text)) == text);
    return 0;
}
