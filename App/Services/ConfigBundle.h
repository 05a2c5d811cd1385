#pragma once

#include "core/FileOps/FileTemplate.h"
#include "core/SharedConfig/OndravellSettings.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The one JSON form of a whole configuration: the export file, and the `bundle` of the sync file.
// {"version": 1, "settings": {...}, "customTemplates": [...], "icons": {"<file name>": "<Base64>"}}
struct ConfigBundle {
    static constexpr std::int64_t currentVersion = 1;
    // A configuration of ours is far smaller: icons are small PNG files. Larger input is not read.
    static constexpr std::size_t maxFileBytes = 64 * 1024 * 1024;
    // Custom icons are PNG files at most 128 pixels wide; anything far larger was not made by us.
    static constexpr std::size_t maxIconBytes = 2 * 1024 * 1024;
    static constexpr std::uint32_t maxIconSide = 4096;

    std::int64_t version = currentVersion;
    OndravellSettings settings;
    std::vector<FileTemplate> customTemplates;
    // Icon file name to the file's bytes in standard Base64.
    std::map<std::string, std::string> icons;

    bool operator==(const ConfigBundle&) const = default;

    nlohmann::json toJSON() const;
    // All four keys are required with their JSON types (unknown keys are ignored); `settings` follows
    // the settings record's own rules. An icon value that decodes as Base64 but is no PNG image of a
    // sane size is left out (its bytes would be written into the icon folder); the rest still reads.
    static std::optional<ConfigBundle> fromJSON(const nlohmann::json& value);
    // nullopt for text larger than `maxFileBytes`, not JSON, or not a bundle.
    static std::optional<ConfigBundle> decode(std::string_view bytes);
    // Our encoding: keys in a fixed order, so equal bundles give equal bytes. nullopt when a text is
    // not UTF-8.
    std::optional<std::string> encode() const;
    // SHA-256 of `encode()` in lower-case hexadecimal; nullopt when the bundle cannot be encoded.
    std::optional<std::string> hash() const;
};

// True for the bytes of a PNG image whose header gives a width and height of 1 to `maxIconSide`.
bool isAcceptableIconImage(std::string_view bytes);

} // namespace ondravell
