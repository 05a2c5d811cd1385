#include "core/TextProcessing/JSONTool.h"
#include "tests/fuzz/FuzzInput.h"

using ondravell::JSONTool;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzzText(data, size);
    const bool valid = JSONTool::isValid(text);
    const auto pretty = JSONTool::prettyPrint(text);
    const auto compact = JSONTool::minify(text);
    FUZZ_REQUIRE(valid == pretty.has_value() && valid == compact.has_value());
    if (!valid)
        return 0;
    // Re-writing is stable and loses nothing: both forms read back as the same document.
    FUZZ_REQUIRE(JSONTool::prettyPrint(*pretty) == pretty);
    FUZZ_REQUIRE(JSONTool::minify(*compact) == compact);
    FUZZ_REQUIRE(JSONTool::prettyPrint(*compact) == pretty);
    FUZZ_REQUIRE(compact->size() <= size);
    return 0;
}
