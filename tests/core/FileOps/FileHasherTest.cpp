#include "core/FileOps/FileHasher.h"

#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unordered_set>

using namespace ondravell;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;

namespace {

const std::map<HashAlgorithm::Value, std::pair<std::string, std::string>> knownDigests{
    // algorithm: (digest of no bytes, digest of "abc")
    {HashAlgorithm::md5, {"d41d8cd98f00b204e9800998ecf8427e", "900150983cd24fb0d6963f7d28e17f72"}},
    {HashAlgorithm::sha1,
     {"da39a3ee5e6b4b0d3255bfef95601890afd80709", "a9993e364706816aba3e25717850c26c9cd0d89d"}},
    {HashAlgorithm::sha256,
     {"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
      "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"}},
    {HashAlgorithm::sha384,
     {"38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f14898b95b",
      "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca134c825a7"}},
    {HashAlgorithm::sha512,
     {"cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce47d0d13c5d85f2b0ff8318d2877eec2f63b931"
      "bd47"
      "417a81a538327af927da3e",
      "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23a3feebbd454d44"
      "23"
      "643ce80e2a9ac94fa54ca49f"}},
};

} // namespace

TEST(HashAlgorithmNames, ReadOnlyTheFiveExactRawValues) {
    ASSERT_EQ(HashAlgorithm::allCases.size(), 5u);
    for (HashAlgorithm algorithm : HashAlgorithm::allCases)
        EXPECT_EQ(HashAlgorithm::fromRawValue(algorithm.id()), algorithm);
    EXPECT_EQ(HashAlgorithm::fromRawValue("sha384"), HashAlgorithm::sha384);
    EXPECT_FALSE(HashAlgorithm::fromRawValue("SHA256"));
    EXPECT_FALSE(HashAlgorithm::fromRawValue("sha-256"));
    EXPECT_FALSE(HashAlgorithm::fromRawValue(""));
    EXPECT_EQ(HashAlgorithm(HashAlgorithm::sha1).displayName(), "SHA-1");
    EXPECT_EQ(HashAlgorithm(HashAlgorithm::md5).displayName(), "MD5");
    std::unordered_set<HashAlgorithm> distinct(HashAlgorithm::allCases.begin(),
                                               HashAlgorithm::allCases.end());
    EXPECT_EQ(distinct.size(), 5u);
}

TEST(FileHasherDigest, MatchesTheKnownVectorsOfEveryAlgorithm) {
    for (HashAlgorithm algorithm : HashAlgorithm::allCases) {
        const auto& [empty, abc] = knownDigests.at(algorithm);
        EXPECT_EQ(FileHasher::hash("", algorithm), empty) << algorithm.id();
        EXPECT_EQ(FileHasher::hash("abc", algorithm), abc) << algorithm.id();
        EXPECT_EQ(abc.size(), algorithm.digestSize() * 2);
    }
}

TEST(FileHasherDigest, OfAFileEqualsTheDigestOfItsBytesAcrossManyChunks) {
    TemporaryFolder folder;
    std::string bytes;
    for (std::int64_t i = 0; bytes.size() < (3u << 20) + 17; ++i)
        bytes += std::to_string(i * 7919) + ",";
    writeText(folder / "big.bin", bytes);
    for (HashAlgorithm algorithm : HashAlgorithm::allCases) {
        std::error_code error;
        EXPECT_EQ(FileHasher::hash(folder / "big.bin", algorithm, error), FileHasher::hash(bytes, algorithm));
        EXPECT_FALSE(error);
    }
}

TEST(FileHasherDigest, OfAnEmptyFileIsTheEmptyDigest) {
    TemporaryFolder folder;
    writeText(folder / "empty", "");
    std::error_code error;
    EXPECT_EQ(FileHasher::hash(folder / "empty", HashAlgorithm::md5, error),
              "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(FileHasherRefusal, ReportsAMissingFileAsAnError) {
    TemporaryFolder folder;
    std::error_code error;
    EXPECT_FALSE(FileHasher::hash(folder / "missing", HashAlgorithm::sha256, error));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

TEST(FileHasherRefusal, RefusesAFolder) {
    TemporaryFolder folder;
    std::error_code error;
    EXPECT_FALSE(FileHasher::hash(folder.path, HashAlgorithm::sha256, error));
    EXPECT_EQ(error, std::errc::is_a_directory);
}

TEST(FileHasherRefusal, RefusesAFifoWithoutWaitingForAWriter) {
    TemporaryFolder folder;
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    std::error_code error;
    EXPECT_FALSE(FileHasher::hash(folder / "pipe", HashAlgorithm::md5, error));
    EXPECT_TRUE(error);
}

TEST(FileHasherRefusal, RefusesADevice) {
    std::error_code error;
    EXPECT_FALSE(FileHasher::hash("/dev/zero", HashAlgorithm::md5, error));
    EXPECT_TRUE(error);
}

TEST(FileHasherVerify, AcceptsUpperCaseWithATrailingLineFeed) {
    EXPECT_TRUE(FileHasher::verify("abc", HashAlgorithm::sha256,
                                   "  BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD\n"));
}

TEST(FileHasherVerify, RejectsWhiteSpaceInsideTheValue) {
    EXPECT_FALSE(FileHasher::verify("abc", HashAlgorithm::md5, "900150983cd24fb0 d6963f7d28e17f72"));
    EXPECT_FALSE(FileHasher::verify("abd", HashAlgorithm::md5, "900150983cd24fb0d6963f7d28e17f72"));
}
