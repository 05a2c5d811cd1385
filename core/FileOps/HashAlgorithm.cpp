#include "core/FileOps/HashAlgorithm.h"

namespace ondravell {

namespace {

struct AlgorithmRow {
    std::string_view id;
    std::string_view displayName;
    std::size_t digestSize;
};

// Indexed by HashAlgorithm::Value.
constexpr std::array<AlgorithmRow, 5> rows{{
    {"md5", "MD5", 16},
    {"sha1", "SHA-1", 20},
    {"sha256", "SHA-256", 32},
    {"sha384", "SHA-384", 48},
    {"sha512", "SHA-512", 64},
}};

} // namespace

const std::array<HashAlgorithm, 5> HashAlgorithm::allCases{md5, sha1, sha256, sha384, sha512};

std::optional<HashAlgorithm> HashAlgorithm::fromRawValue(std::string_view rawValue) {
    for (HashAlgorithm algorithm : allCases)
        if (algorithm.id() == rawValue)
            return algorithm;
    return std::nullopt;
}

std::string_view HashAlgorithm::id() const {
    return rows[value_].id;
}

std::string_view HashAlgorithm::displayName() const {
    return rows[value_].displayName;
}

std::size_t HashAlgorithm::digestSize() const {
    return rows[value_].digestSize;
}

} // namespace ondravell
