#pragma once

#include <cstdint>
#include <string>

namespace ondravell {

// A file size for people, in decimal units as file managers show them: "532 字节", "12 KB", "1.2 MB",
// "3.46 GB". Kilobytes carry no decimals, megabytes one, larger units two; trailing zeros are dropped.
struct ByteCountText {
    static std::string file(std::int64_t bytes);
};

} // namespace ondravell
