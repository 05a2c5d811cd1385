#include "Extensions/FinderSync/ClipboardState.h"

#include "core/SharedConfig/OndravellIPC.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/StrictJson.h"
#include "platform/AppGroupContainer.h"

namespace ondravell {

std::optional<std::filesystem::path> ClipboardState::fileURL() {
    std::optional<std::filesystem::path> container = platform::appGroupContainerURL(OndravellIPC::appGroupID);
    if (!container)
        return std::nullopt;
    return *container / fileName;
}

std::optional<std::string> ClipboardState::encoded() const {
    return StrictJson::dump(nlohmann::json{{"cut", cut}, {"changeCount", changeCount}});
}

ClipboardState ClipboardState::decode(std::string_view bytes) {
    ClipboardState state;
    std::optional<nlohmann::json> value = StrictJson::parse(bytes);
    if (!value)
        return state;
    // Each key stands alone: one of the wrong type leaves the other as it is.
    ObjectReader reader(*value);
    state.cut = reader.optionalBool("cut").value_or(false);
    state.changeCount = reader.optionalInt64("changeCount").value_or(-1);
    return state;
}

ClipboardState ClipboardState::read() {
    std::optional<std::filesystem::path> url = fileURL();
    if (!url)
        return {};
    std::optional<std::string> bytes = readRegularFile(*url, maxFileBytes);
    if (!bytes || bytes->size() > maxFileBytes)
        return {};
    return decode(*bytes);
}

void ClipboardState::write() const {
    std::optional<std::filesystem::path> url = fileURL();
    std::optional<std::string> bytes = encoded();
    if (url && bytes)
        writeFileAtomically(*url, *bytes);
}

void ClipboardState::remove() {
    if (std::optional<std::filesystem::path> url = fileURL()) {
        std::error_code ignored;
        std::filesystem::remove(*url, ignored);
    }
}

} // namespace ondravell
