#include "JsonSample.h"

#include <cstdint>

namespace ondravell::bench {

std::string makeJsonSample(std::size_t bytes) {
    std::string out = "[";
    std::uint64_t state = 88172645463325252ull;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (std::size_t i = 0; out.size() < bytes; ++i) {
        if (i > 0)
            out += ",\n";
        const auto n = next();
        out += "{\"id\": " + std::to_string(i) + ", \"uuid\": \"" + std::to_string(n) + "\", ";
        out += "\"score\": " + std::to_string(n % 100000) + "." + std::to_string(n % 997) + ", ";
        out += "\"big\": 1234567890123456789" + std::to_string(n % 10) + ", ";
        out += "\"path\": \"/usr/share/doc/item-" + std::to_string(n % 5000) + "/README\", ";
        out += "\"name\": \"\u6587\u4ef6 " + std::to_string(n % 77) + " \\\"quoted\\\" \\u00e9\", ";
        out += "\"tags\": [\"alpha\", \"beta\", \"gamma\", " + std::to_string(n % 13) + ", true, null], ";
        out +=
            "\"meta\": {\"zeta\": false, \"alpha\": {\"x\": -0.5e-3, \"y\": []}, \"m\": \"line\\nbreak\"}}";
    }
    out += "]\n";
    return out;
}

} // namespace ondravell::bench
