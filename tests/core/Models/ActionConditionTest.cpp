#include "core/Models/ActionCondition.h"

#include "tests/core/Models/ModelsTestSupport.h"

#include <gtest/gtest.h>

using namespace ondravell;
using namespace ondravell::test;
using C = ActionCondition;

TEST(MenuContextDerived, ReadsLowerCasedExtensionsAndLeavesOutItemsWithoutOne) {
    MenuContext context =
        selection({file("/a/x.PNG"), file("/a/Makefile"), folder("/a/dir.d"), file("/a/.bashrc")});
    EXPECT_EQ(context.extensions(), (std::set<std::string>{"png", "d"}));
    EXPECT_EQ(context.items()[0].ext(), "png");
    EXPECT_EQ(file("/a/b.ÄÖ").ext(), "äö");
    EXPECT_FALSE(context.allFiles());
    EXPECT_FALSE(context.allDirectories());
    EXPECT_FALSE(context.isOnContainer());
    EXPECT_TRUE(background().isOnContainer());
    EXPECT_FALSE(MenuContext({}, std::nullopt).isOnContainer());
}

TEST(ActionConditionExtensions, AnyNeedsACommonExtension) {
    EXPECT_TRUE(C::anyExtensionIn({"png"}).evaluate(selection({file("/a.txt"), file("/b.PNG")})));
    EXPECT_FALSE(C::anyExtensionIn({"png"}).evaluate(selection({file("/a.txt")})));
    EXPECT_FALSE(C::anyExtensionIn({"png"}).evaluate(selection({folder("/dir")})));
    EXPECT_FALSE(C::anyExtensionIn({"png"}).evaluate(background()));
}

TEST(ActionConditionExtensions, AllLooksOnlyAtItemsThatHaveAnExtension) {
    EXPECT_TRUE(C::allExtensionsIn({"png", "jpg"}).evaluate(selection({file("/a.png"), file("/b.JPG")})));
    EXPECT_FALSE(C::allExtensionsIn({"png", "jpg"}).evaluate(selection({file("/a.png"), file("/c.gif")})));
    EXPECT_TRUE(C::allExtensionsIn({"png"}).evaluate(selection({folder("/dir"), file("/README")})));
    EXPECT_FALSE(C::allExtensionsIn({"png"}).evaluate(background()));
}

TEST(ActionConditionCombinations, EmptyAllHoldsAndEmptyAnyDoesNot) {
    EXPECT_TRUE(C::all({}).evaluate(background()));
    EXPECT_FALSE(C::any({}).evaluate(background()));
    EXPECT_FALSE(C::negation(C::always()).evaluate(background()));
    auto twoOrMoreButNotThree = C::all({C::minSelection(2), C::negation(C::any({C::minSelection(3)}))});
    EXPECT_FALSE(twoOrMoreButNotThree.evaluate(selection({file("/a")})));
    EXPECT_TRUE(twoOrMoreButNotThree.evaluate(selection({file("/a"), file("/b")})));
    EXPECT_FALSE(twoOrMoreButNotThree.evaluate(selection({file("/a"), file("/b"), file("/c")})));
}

TEST(ActionConditionKinds, MixedSelectionsAreNeitherOnlyFilesNorOnlyFolders) {
    auto mixed = selection({folder("/d"), file("/f")});
    EXPECT_FALSE(C::onlyDirectories().evaluate(mixed));
    EXPECT_FALSE(C::onlyFiles().evaluate(mixed));
    EXPECT_FALSE(C::onlyFiles().evaluate(background()));
    EXPECT_TRUE(C::maxSelection(1).evaluate(background()));
}
