#pragma once

#include "core/Support/FileIdentity.h"

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace ondravell {

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames it over
// `target`, so a reader in another process sees either the old or the new file, never a partial one.
// The file gets the permissions 0666 less the process umask. Returns false when anything failed; the
// previous file then stays as it was.
//
// `flushToDisk` false skips the fsync: the rename still never shows a reader a partial file, but a power
// cut soon after may lose the newest contents. For records that are rewritten often and cost little to
// lose, where the flush would take longer than all the rest of the work.
//
// `written`, when given, receives the identity of the file this call wrote, taken from the temporary
// before the rename: a file that another writer renames over `target` a moment later is not taken for
// it, as a look at `target` after the rename could.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, bool flushToDisk = true,
                         FileIdentity* written = nullptr);

// Creates a file that must not exist yet and writes `bytes` to it. Anything already at `path` (a file,
// folder or link, even one that appeared a moment ago) makes it fail with EEXIST; links are not
// followed. The file gets the permissions 0666 less the umask. On failure nothing is left behind.
std::error_code writeNewFile(const std::filesystem::path& path, std::string_view bytes);

// Reads a regular file (never a FIFO, device or folder; opened without blocking). At most
// `maxBytes + 1` bytes are read, so a caller can tell a file that is larger than its limit from one
// that fits. nullopt when the file cannot be opened or read, or is not a regular file. `identity`, when
// given, receives the identity of the very file that was read.
std::optional<std::string> readRegularFile(const std::filesystem::path& path,
                                           std::size_t maxBytes = std::numeric_limits<std::size_t>::max() - 1,
                                           FileIdentity* identity = nullptr);

// The process umask, read without changing it (umask(2) itself is not thread-safe to query).
unsigned currentUmask();

} // namespace ondravell
