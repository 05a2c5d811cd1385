// Run with a libcrypto.so.3 that holds none of the digest functions first on the library path, as on a
// system whose library cannot serve us: every hash fails with an error, and nothing crashes.
#include "core/FileOps/FileHasher.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(FileHasherWithoutLibcrypto, EveryHashFailsWithAnError) {
    ondravell::testing::TemporaryFolder folder;
    ondravell::testing::writeText(folder / "file", "abc");
    for (HashAlgorithm algorithm : HashAlgorithm::allCases) {
        std::error_code error;
        EXPECT_FALSE(FileHasher::hash(folder / "file", algorithm, error)) << algorithm.id();
        EXPECT_EQ(error, std::errc::not_supported);
        EXPECT_EQ(FileHasher::hash("abc", algorithm), "");
        EXPECT_FALSE(FileHasher::verify("abc", algorithm, ""));
    }
}
