#include "core/Support/Uuid.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>

using namespace ondravell;

TEST(UuidText, IsUpperCaseVersionFourAndFresh) {
    const std::regex shape("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        std::string id = makeUUIDString();
        EXPECT_TRUE(std::regex_match(id, shape)) << id;
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 100u);
}
