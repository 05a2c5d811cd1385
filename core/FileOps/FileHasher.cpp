#include "core/FileOps/FileHasher.h"

#include "core/FileOps/FileDescriptor.h"
#include "core/Support/UnicodeText.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondravell {

namespace {

// Few enough read calls that the digest sets the pace, and small enough that each chunk is still in the
// processor's cache when the digest reads it.
constexpr std::size_t hashChunkSize = 1 << 17;

// The chunk starts on a page boundary. The kernel copies file pages into a buffer much faster when the
// buffer is aligned as they are: a buffer 16 bytes past a boundary, where a plain allocation of this size
// lands, costs several times the system time per byte read.
struct alignas(4096) HashChunk {
    unsigned char bytes[hashChunkSize];
};

const EVP_MD* evpDigest(HashAlgorithm algorithm) {
    switch (algorithm) {
    case HashAlgorithm::md5:
        return EVP_md5();
    case HashAlgorithm::sha1:
        return EVP_sha1();
    case HashAlgorithm::sha256:
        return EVP_sha256();
    case HashAlgorithm::sha384:
        return EVP_sha384();
    case HashAlgorithm::sha512:
        return EVP_sha512();
    }
    return EVP_sha256();
}

std::string hexText(const unsigned char* bytes, unsigned length) {
    constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(length * 2u);
    for (unsigned i = 0; i < length; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0f]);
    }
    return text;
}

struct DigestContext {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context{EVP_MD_CTX_new(), &EVP_MD_CTX_free};

    explicit DigestContext(HashAlgorithm algorithm) {
        if (context && EVP_DigestInit_ex(context.get(), evpDigest(algorithm), nullptr) != 1)
            context.reset();
    }
    bool update(const void* bytes, std::size_t length) {
        return context && EVP_DigestUpdate(context.get(), bytes, length) == 1;
    }
    std::optional<std::string> finish() {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned length = 0;
        if (!context || EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
            return std::nullopt;
        return hexText(digest, length);
    }
};

} // namespace

std::string FileHasher::hash(std::string_view data, HashAlgorithm algorithm) {
    DigestContext digest(algorithm);
    digest.update(data.data(), data.size());
    return digest.finish().value_or(std::string());
}

std::optional<std::string> FileHasher::hash(const std::filesystem::path& file, HashAlgorithm algorithm,
                                            std::error_code& error) {
    error.clear();
    // O_NONBLOCK so that opening a FIFO without a writer returns at once; it means nothing for the
    // regular files we go on to read.
    FileDescriptor input(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!input) {
        error.assign(errno, std::generic_category());
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(input.get(), &info) != 0) {
        error.assign(errno, std::generic_category());
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        error = std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                           : std::errc::invalid_argument);
        return std::nullopt;
    }
    ::posix_fadvise(input.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    DigestContext digest(algorithm);
    auto chunk = std::make_unique_for_overwrite<HashChunk>();
    unsigned char* buffer = chunk->bytes;
    for (;;) {
        ssize_t got = ::read(input.get(), buffer, hashChunkSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error.assign(errno, std::generic_category());
            return std::nullopt;
        }
        if (got == 0)
            break;
        if (!digest.update(buffer, static_cast<std::size_t>(got))) {
            error = std::make_error_code(std::errc::not_supported);
            return std::nullopt;
        }
    }
    auto text = digest.finish();
    if (!text)
        error = std::make_error_code(std::errc::not_supported);
    return text;
}

bool FileHasher::verify(std::string_view data, HashAlgorithm algorithm, std::string_view expected) {
    return UnicodeText::lowercased(UnicodeText::trimmingWhitespaceAndNewlines(expected)) ==
           hash(data, algorithm);
}

} // namespace ondravell
