#include "App/Services/ConfigBundle.h"

#include "core/FileOps/FileHasher.h"
#include "core/Support/Base64.h"
#include "core/Support/StrictJson.h"

namespace ondravell {

namespace {

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// An icon value that is Base64 is written as it decodes, so it has to be one of our icons; any other
// is left out, and the template shows no icon.
void dropIconsThatAreNoImages(std::map<std::string, std::string>& icons) {
    std::erase_if(icons, [](const auto& entry) {
        auto bytes = Base64::decode(entry.second);
        return bytes && !isAcceptableIconImage(*bytes);
    });
}

} // namespace

bool isAcceptableIconImage(std::string_view bytes) {
    // The signature, then the first chunk, which must be IHDR: length 13, type, width, height.
    static constexpr std::string_view signature = "\x89PNG\r\n\x1a\n";
    if (bytes.size() > ConfigBundle::maxIconBytes || bytes.size() < 33 || !bytes.starts_with(signature))
        return false;
    if (bigEndian32(bytes, 8) != 13 || bytes.substr(12, 4) != "IHDR")
        return false;
    std::uint32_t width = bigEndian32(bytes, 16);
    std::uint32_t height = bigEndian32(bytes, 20);
    return width >= 1 && height >= 1 && width <= ConfigBundle::maxIconSide &&
           height <= ConfigBundle::maxIconSide;
}

nlohmann::json ConfigBundle::toJSON() const {
    nlohmann::json templates = nlohmann::json::array();
    for (const FileTemplate& fileTemplate : customTemplates)
        templates.push_back(fileTemplate.toJSON());
    return {{"version", version},
            {"settings", settings.toJSON()},
            {"customTemplates", std::move(templates)},
            {"icons", icons}};
}

std::optional<ConfigBundle> ConfigBundle::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto version = reader.requiredInt64("version");
    const nlohmann::json* settingsValue = reader.find("settings");
    auto settings = settingsValue ? OndravellSettings::fromJSON(*settingsValue) : std::nullopt;
    auto templates = reader.optionalArray("customTemplates", FileTemplate::fromJSON);
    auto icons = reader.requiredStringMap("icons");
    if (!reader.ok() || !version || !settings || !templates || !icons)
        return std::nullopt;
    dropIconsThatAreNoImages(*icons);
    return ConfigBundle{*version, std::move(*settings), std::move(*templates), std::move(*icons)};
}

std::optional<ConfigBundle> ConfigBundle::decode(std::string_view bytes) {
    if (bytes.size() > maxFileBytes)
        return std::nullopt;
    auto value = StrictJson::parse(bytes);
    if (!value)
        return std::nullopt;
    return fromJSON(*value);
}

std::optional<std::string> ConfigBundle::encode() const {
    return StrictJson::dump(toJSON());
}

std::optional<std::string> ConfigBundle::hash() const {
    auto bytes = encode();
    if (!bytes)
        return std::nullopt;
    std::string digest = FileHasher::hash(*bytes, HashAlgorithm::sha256);
    if (digest.empty())
        return std::nullopt;
    return digest;
}

} // namespace ondravell
