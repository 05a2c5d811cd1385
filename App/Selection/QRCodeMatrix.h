#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace ondravell {

// The modules of a QR code for a text's UTF-8 bytes, in byte mode at error-correction level M, in the
// smallest version that holds them.
struct QRCodeMatrix {
    // The most bytes a version-40 symbol holds at level M; longer texts have no code.
    static constexpr std::size_t maxBytes = 2331;

    int width = 0;          // modules per side
    std::vector<bool> dark; // row by row, width * width modules
    bool isDark(int x, int y) const { return dark[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }

    // nullopt for an empty text, a text beyond the capacity or an encoder failure (also one whose
    // library, loaded on first use, is missing).
    static std::optional<QRCodeMatrix> encode(std::string_view text);
};

} // namespace ondravell
