#include "core/TextProcessing/CaseConverter.h"
#include "core/TextProcessing/TextCleaner.h"
#include "tests/fuzz/FuzzInput.h"

using namespace ondravell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzzText(data, size);
    for (const auto& word : CaseConverter::tokenize(text))
        FUZZ_REQUIRE(!word.empty());
    for (NamingStyle style : allNamingStyles)
        (void)CaseConverter::convert(text, style, size % 2 ? "tr_TR" : "en");
    (void)TextCleaner::trimSpaces(text);
    (void)TextCleaner::removeLineBreaks(text);
    (void)TextCleaner::mergeBlankLines(text);
    (void)TextCleaner::addPanguSpacing(text);
    if (size < 256) {
        (void)TextCleaner::toSimplified(text);
        (void)TextCleaner::toTraditional(text);
    }
    return 0;
}
