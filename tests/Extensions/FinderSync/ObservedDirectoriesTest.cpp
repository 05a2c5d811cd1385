#include "Extensions/FinderSync/ObservedDirectories.h"

#include "tests/Extensions/FinderSync/ExtensionTestSupport.h"

namespace ondravell::test {
namespace {

using Paths = std::set<std::filesystem::path>;

TEST(ObservedDirectories, HoldRootMountRootsTheirVisibleEntriesAndVolumesOnce) {
    TempContainer scratch;
    std::filesystem::path media = scratch.root / "media";
    std::filesystem::create_directories(media / "USB");
    std::filesystem::create_directories(media / ".hidden");
    Paths observed =
        ObservedDirectories::gather({media, scratch.root / "missing"}, {"/", media / "USB", "/srv/disk/"});
    EXPECT_EQ(observed, (Paths{"/", media, media / "USB", scratch.root / "missing", "/srv/disk"}));
}

TEST(ObservedDirectories, MountRootsIncludeTheUsersRunMediaFolder) {
    auto roots = ObservedDirectories::mountRoots();
    EXPECT_EQ(roots.front(), "/media");
    EXPECT_EQ(roots.back(), "/mnt");
    EXPECT_EQ(roots.size(), 3u);
}

using ObservedDirectoryRegistration = ExtensionTest;

TEST_F(ObservedDirectoryRegistration, FollowsMountsAndUnmounts) {
    extension();
    EXPECT_TRUE(controller.directoryURLs().contains("/"));
    volumes.mount("/srv/disk-image");
    EXPECT_TRUE(controller.directoryURLs().contains("/srv/disk-image"));
    volumes.unmount("/srv/disk-image");
    EXPECT_FALSE(controller.directoryURLs().contains("/srv/disk-image"));
}

TEST(SelectionSnapshotController, ObservesLocationsComponentByComponent) {
    SelectionSnapshotController controller;
    controller.setDirectoryURLs({"/media/disk"});
    EXPECT_TRUE(controller.isObserved("/media/disk"));
    EXPECT_TRUE(controller.isObserved("/media/disk/a/b"));
    EXPECT_FALSE(controller.isObserved("/media/diskette"));
    EXPECT_FALSE(controller.isObserved("/media"));
    controller.setDirectoryURLs({"/"});
    EXPECT_TRUE(controller.isObserved("/anything"));
}

} // namespace
} // namespace ondravell::test
