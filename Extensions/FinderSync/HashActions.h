#pragma once

#include "core/FileOps/HashAlgorithm.h"
#include "core/Models/MenuContext.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

class FinderSyncExtension;

// Hashing the selected files with one of five algorithms. The digests go to the clipboard; when one
// file was hashed and the clipboard held a digest of that algorithm before, the two are compared.
struct HashActions {
    static constexpr std::string_view actionID = "hash";
    // Fewer files finish too quickly for a progress display to help.
    static constexpr std::size_t minimumFilesForProgress = 2;

    // What hashing the files gave, in selection order: one digest per file read, and the clipboard
    // text with one line per file read.
    struct Run {
        std::size_t fileCount = 0;
        std::vector<std::string> hashes;
        std::string text;
    };
    // The clipboard text and the toast that end a run.
    struct Result {
        std::string text;
        std::string message;
        std::string_view symbol;
    };

    static void install(FinderSyncExtension& extension);

    // Reads the clipboard, then hashes the files among the items on the worker and returns at once; the
    // clipboard write and the toast come back to the main thread. Folders are left out; with no file
    // left nothing happens.
    static void hashSelected(FinderSyncExtension& extension, HashAlgorithm algorithm,
                             const MenuContext& context);

    // The text of the clipboard as a digest to compare with: its hexadecimal digits in lower case when,
    // white space aside, it holds nothing else and exactly as many as the algorithm's digest has.
    static std::optional<std::string> comparableDigest(std::string_view text, HashAlgorithm algorithm);
    // The line a file contributes: the digest alone for a single file, else its name, ": " and the digest.
    static std::string line(const std::filesystem::path& file, const std::string& hash,
                            std::size_t fileCount);
    // `expectedDigest` is the clipboard's digest as comparableDigest gives it, read when the run began.
    static Result resultFor(const Run& run, HashAlgorithm algorithm,
                            const std::optional<std::string>& expectedDigest);
};

} // namespace ondravell
