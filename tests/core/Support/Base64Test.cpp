#include "core/Support/Base64.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(Base64, RoundTripsEveryPaddingLength) {
    for (std::string bytes : {std::string(), std::string("f"), std::string("fo"), std::string("foo"),
                              std::string("\x00\xff\x10\x80", 4)}) {
        EXPECT_EQ(Base64::decode(Base64::encode(bytes)), bytes);
    }
    EXPECT_EQ(Base64::encode("foob"), "Zm9vYg==");
    EXPECT_EQ(Base64::encode("fooba"), "Zm9vYmE=");
}

TEST(Base64, RejectsAnythingButStrictBase64) {
    EXPECT_EQ(Base64::decode("Zm9v\nYmFy"), std::nullopt);
    EXPECT_EQ(Base64::decode("Zm9 "), std::nullopt);
    EXPECT_EQ(Base64::decode("Zm9vY"), std::nullopt);
    EXPECT_EQ(Base64::decode("Zm=v"), std::nullopt);
    EXPECT_EQ(Base64::decode("Z==="), std::nullopt);
    EXPECT_EQ(Base64::decode("Zm9-"), std::nullopt);
}
