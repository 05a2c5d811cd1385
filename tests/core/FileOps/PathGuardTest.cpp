#include "core/FileOps/PathGuard.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace ondravell;

namespace {

// Sets $HOME for one test and puts the old value back.
class HomeFolder {
public:
    explicit HomeFolder(const char* value) {
        if (const char* old = std::getenv("HOME"))
            old_ = old;
        ::setenv("HOME", value, 1);
    }
    ~HomeFolder() {
        if (old_)
            ::setenv("HOME", old_->c_str(), 1);
        else
            ::unsetenv("HOME");
    }

private:
    std::optional<std::string> old_;
};

} // namespace

TEST(PathGuardSystemFolders, ProtectsTheListedFoldersThemselvesOnly) {
    HomeFolder home("/nonexistent-home");
    for (const char* path : {"/", "/Users", "/Applications", "/System", "/Library", "/usr", "/bin", "/sbin",
                             "/etc", "/var", "/private", "/opt", "/cores", "/Volumes"})
        EXPECT_TRUE(PathGuard::isProtected(path)) << path;
    for (const char* path :
         {"/usr/local", "/Volumes/Data", "/Applications/Safari.app", "/users", "/users/alice"})
        EXPECT_FALSE(PathGuard::isProtected(path)) << path;
}

TEST(PathGuardSystemFolders, ProtectsTheLinuxSystemFolders) {
    HomeFolder home("/nonexistent-home");
    for (const char* path : {"/home", "/root", "/boot", "/dev", "/proc", "/sys", "/run", "/lib", "/lib64",
                             "/srv", "/mnt", "/media", "/tmp"})
        EXPECT_TRUE(PathGuard::isProtected(path)) << path;
    EXPECT_FALSE(PathGuard::isProtected("/tmp/build"));
    EXPECT_FALSE(PathGuard::isProtected("/media/usb"));
}

TEST(PathGuardHomeFolders, ProtectsEveryFolderDirectlyBelowTheHomeParents) {
    HomeFolder home("/nonexistent-home");
    EXPECT_TRUE(PathGuard::isProtected("/Users/alice"));
    EXPECT_TRUE(PathGuard::isProtected("/Users/alice/"));
    EXPECT_TRUE(PathGuard::isProtected("/Users/Shared"));
    EXPECT_TRUE(PathGuard::isProtected("/home/bob"));
    EXPECT_FALSE(PathGuard::isProtected("/Users/alice/Documents"));
    EXPECT_FALSE(PathGuard::isProtected("/home/bob/Downloads"));
}

TEST(PathGuardHomeFolders, ProtectsTheUsersOwnHomeWhereverItIs) {
    HomeFolder home("/srv/people//carol/");
    EXPECT_TRUE(PathGuard::isProtected("/srv/people/carol"));
    EXPECT_FALSE(PathGuard::isProtected("/srv/people/carol/notes"));
}

TEST(PathGuardBypasses, StandardisesBeforeComparing) {
    HomeFolder home("/nonexistent-home");
    for (const char* path : {"/Library/", "//", "/usr/../usr", "/Users/alice/..", "/./etc", "/home/bob/./",
                             "/Users/alice/../bob", "/tmp/../", "//usr//", "/a/../../etc"})
        EXPECT_TRUE(PathGuard::isProtected(path)) << path;
    EXPECT_TRUE(PathGuard::isProtected(std::filesystem::path("/Users/alice/../bob")));
}

TEST(PathGuardBypasses, RefusesPathsThatAreNotAbsolute) {
    EXPECT_TRUE(PathGuard::isProtected(""));
    EXPECT_TRUE(PathGuard::isProtected("."));
    EXPECT_TRUE(PathGuard::isProtected("work/file"));
}

TEST(PathGuardBypasses, RefusesAPathHoldingANulWhoseLeadingPartIsAHomeFolder) {
    HomeFolder home("/home/alice");
    using namespace std::string_literals;
    EXPECT_TRUE(PathGuard::isProtected("/home/alice\0/Downloads/a.txt"s));
    EXPECT_TRUE(PathGuard::isProtected("/srv/data/x\0y"s));
}
