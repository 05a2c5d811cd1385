#pragma once

#include "core/FileOps/HashAlgorithm.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace ondravell {

// Message digests of bytes and files as lower-case hexadecimal text, two digits per byte.
struct FileHasher {
    static std::string hash(std::string_view data, HashAlgorithm algorithm);

    // Streams a regular file through the digest in fixed-size chunks, so memory stays flat whatever the
    // file's size, and a file truncated under us only ends the read early. FIFOs, devices and folders
    // are refused before a single read (they could block forever or never end). nullopt with `error`
    // set when the file cannot be opened or read.
    static std::optional<std::string> hash(const std::filesystem::path& file, HashAlgorithm algorithm,
                                           std::error_code& error);

    // `expected` is compared after trimming white space and line breaks from both ends and lower-casing
    // it; white space inside it makes it differ.
    static bool verify(std::string_view data, HashAlgorithm algorithm, std::string_view expected);
};

} // namespace ondravell
