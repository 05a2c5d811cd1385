#include "core/FileOps/FileHasher.h"

#include "core/FileOps/FileDescriptor.h"
#include "core/Support/UnicodeText.h"

#include <cerrno>
#include <dlfcn.h>
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

// libcrypto is loaded the first time something is hashed rather than when the program starts: most runs
// never hash, and the library takes more than a megabyte of resident memory once it is mapped. Only the
// digest entry points are taken from it. When it cannot be loaded, or lacks one of them, every digest
// fails as one the library refuses does.
struct DigestLibrary {
    decltype(&EVP_md5) md5 = nullptr;
    decltype(&EVP_sha1) sha1 = nullptr;
    decltype(&EVP_sha256) sha256 = nullptr;
    decltype(&EVP_sha384) sha384 = nullptr;
    decltype(&EVP_sha512) sha512 = nullptr;
    decltype(&EVP_MD_CTX_new) newContext = nullptr;
    decltype(&EVP_MD_CTX_free) freeContext = nullptr;
    decltype(&EVP_DigestInit_ex) init = nullptr;
    decltype(&EVP_DigestUpdate) update = nullptr;
    decltype(&EVP_DigestFinal_ex) finish = nullptr;
};

template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

// The library stays loaded once it is: it registers its own clean-up at exit.
std::optional<DigestLibrary> loadDigestLibrary() {
    void* library = ::dlopen("libcrypto.so.3", RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    DigestLibrary digests;
    if (!resolve(library, "EVP_md5", digests.md5) || !resolve(library, "EVP_sha1", digests.sha1) ||
        !resolve(library, "EVP_sha256", digests.sha256) || !resolve(library, "EVP_sha384", digests.sha384) ||
        !resolve(library, "EVP_sha512", digests.sha512) ||
        !resolve(library, "EVP_MD_CTX_new", digests.newContext) ||
        !resolve(library, "EVP_MD_CTX_free", digests.freeContext) ||
        !resolve(library, "EVP_DigestInit_ex", digests.init) ||
        !resolve(library, "EVP_DigestUpdate", digests.update) ||
        !resolve(library, "EVP_DigestFinal_ex", digests.finish))
        return std::nullopt;
    return digests;
}

// Loaded once, by whichever thread hashes first; the others wait for it.
const DigestLibrary* digestLibrary() {
    static const std::optional<DigestLibrary> loaded = loadDigestLibrary();
    return loaded ? &*loaded : nullptr;
}

const EVP_MD* evpDigest(const DigestLibrary& digests, HashAlgorithm algorithm) {
    switch (algorithm) {
    case HashAlgorithm::md5:
        return digests.md5();
    case HashAlgorithm::sha1:
        return digests.sha1();
    case HashAlgorithm::sha256:
        return digests.sha256();
    case HashAlgorithm::sha384:
        return digests.sha384();
    case HashAlgorithm::sha512:
        return digests.sha512();
    }
    return digests.sha256();
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
    const DigestLibrary* digests = digestLibrary();
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context{nullptr, nullptr};

    explicit DigestContext(HashAlgorithm algorithm) {
        if (!digests)
            return;
        context = {digests->newContext(), digests->freeContext};
        if (context && digests->init(context.get(), evpDigest(*digests, algorithm), nullptr) != 1)
            context.reset();
    }
    bool update(const void* bytes, std::size_t length) {
        return context && digests->update(context.get(), bytes, length) == 1;
    }
    std::optional<std::string> finish() {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned length = 0;
        if (!context || digests->finish(context.get(), digest, &length) != 1)
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
    std::string digest = hash(data, algorithm);
    return !digest.empty() &&
           UnicodeText::lowercased(UnicodeText::trimmingWhitespaceAndNewlines(expected)) == digest;
}

} // namespace ondravell
