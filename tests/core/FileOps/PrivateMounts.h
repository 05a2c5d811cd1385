#pragma once

#include "tests/core/FileOps/TemporaryFolder.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace ondravell::testing {

// A file system of the given type (and options, or none) to mount on a folder.
struct PrivateMount {
    std::filesystem::path at;
    const char* type;
    const char* options = nullptr;
};

// Runs `body` in a child with a mount namespace of its own (entered as root or, failing that, as root
// of a user namespace) in which `mounts` are mounted. The child's failures fail the test; without the
// rights the test is skipped, as it is when the child ends with 77.
inline void inPrivateMounts(const std::vector<PrivateMount>& mounts, const std::function<void()>& body) {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0) {
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                ::_exit(77);
            writeText("/proc/self/setgroups", "deny");
            writeText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
            writeText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
        }
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(77);
        for (const PrivateMount& mount : mounts)
            if (::mount("ondravell-test", mount.at.c_str(), mount.type, 0, mount.options) != 0)
                ::_exit(77);
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no right to mount a file system of our own";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "see the child's failures above";
}

} // namespace ondravell::testing
