#include "platform/AppGroupContainer.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ondravell::platform;
namespace fs = std::filesystem;

namespace {
struct Environment {
    Environment() {
        std::string pattern = (fs::temp_directory_path() / "ondravell-env-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        ::unsetenv("ONDRAVELL_CONTAINER");
        ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    }
    ~Environment() {
        ::unsetenv("ONDRAVELL_CONTAINER");
        ::unsetenv("XDG_DATA_HOME");
        std::error_code error;
        fs::remove_all(root, error);
    }
    fs::path root;
};
} // namespace

TEST(AppGroupContainer, LivesInTheDataHomeAndIsPrivate) {
    Environment env;
    auto folder = appGroupContainerURL("K3WQ9ZD7TM.dev.ondravell");
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, env.root / "data" / "K3WQ9ZD7TM.dev.ondravell");
    struct stat info {};
    ASSERT_EQ(::stat(folder->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(AppGroupContainer, TheEnvironmentOverrideWins) {
    Environment env;
    ::setenv("ONDRAVELL_CONTAINER", (env.root / "override").c_str(), 1);
    EXPECT_EQ(appGroupContainerURL("K3WQ9ZD7TM.dev.ondravell"), env.root / "override");
}

TEST(AppGroupContainer, IsAbsentWhenItCannotBeCreated) {
    Environment env;
    ::setenv("ONDRAVELL_CONTAINER", "/proc/ondravell-cannot-exist", 1);
    EXPECT_FALSE(appGroupContainerURL("K3WQ9ZD7TM.dev.ondravell"));
}
