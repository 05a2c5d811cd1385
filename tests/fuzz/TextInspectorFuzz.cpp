#include "core/TextProcessing/TextInspector.h"
#include "tests/fuzz/FuzzInput.h"

using ondravell::TextInspector;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzzText(data, size);
    const auto counts = TextInspector::count(text);
    FUZZ_REQUIRE(counts.charactersNoSpace <= counts.characters);
    FUZZ_REQUIRE(counts.latinWords <= counts.characters);
    FUZZ_REQUIRE((counts.lines == 0) == text.empty());
    for (const auto& found : TextInspector::detect(text)) {
        if (found.kind == TextInspector::Detected::Kind::hexColor)
            FUZZ_REQUIRE(found.color.r >= 0 && found.color.r <= 1 && found.color.b >= 0 &&
                         found.color.b <= 1);
    }
    if (auto color = TextInspector::parseColor(text))
        FUZZ_REQUIRE(color->g >= 0 && color->g <= 1);
    return 0;
}
