#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace ondravell {

// The five digests the hash actions offer. A class around the enumeration so that call sites read
// `HashAlgorithm::sha256` and `algorithm.displayName()`, and a switch still sees every case.
class HashAlgorithm {
public:
    enum Value : std::uint8_t { md5, sha1, sha256, sha384, sha512 };

    constexpr HashAlgorithm(Value value) : value_(value) {}
    constexpr operator Value() const { return value_; }

    // Exactly the five raw values, case-sensitive: "sha256" is one, "SHA256" and "sha-256" are not.
    static std::optional<HashAlgorithm> fromRawValue(std::string_view rawValue);
    static const std::array<HashAlgorithm, 5> allCases;

    // The raw value, as requests and settings carry it ("sha256").
    std::string_view id() const;
    // The label of menus and toasts ("SHA-256").
    std::string_view displayName() const;
    // Digest length in bytes.
    std::size_t digestSize() const;

private:
    Value value_;
};

} // namespace ondravell

template <> struct std::hash<ondravell::HashAlgorithm> {
    std::size_t operator()(ondravell::HashAlgorithm algorithm) const noexcept {
        return static_cast<std::size_t>(ondravell::HashAlgorithm::Value(algorithm));
    }
};
