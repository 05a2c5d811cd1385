#pragma once

#include <cstddef>
#include <string>

namespace ondravell::bench {

// A deterministic JSON document of at least `bytes` bytes shaped like real data: an array of records
// with nested objects, long and short numbers, escapes, slashes and Chinese text.
std::string makeJsonSample(std::size_t bytes);

} // namespace ondravell::bench
