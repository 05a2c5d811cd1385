// The file-manager scripts run the way Nautilus runs them, against the real program on a private
// display and session bus; the clipboard is read as another client of the display.
#include "App/Services/ServicesScripts.h"
#include "core/FileOps/FileHasher.h"
#include "tests/Extensions/FinderSync/DisplayTestSupport.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

// Starts `program` with its arguments and the selection in the environment, as Nautilus starts a script.
pid_t spawn(const std::vector<std::string>& command, const std::string& selection) {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS", selection.c_str(), 1);
        std::vector<char*> argv;
        for (const std::string& part : command)
            argv.push_back(const_cast<char*>(part.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

} // namespace

TEST(ServicesScriptSession, ScriptsStartTheProgramOrHandTheirPathsToIt) {
    ondravell::testing::TemporaryFolder root;
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    ::setenv("GSETTINGS_BACKEND", "keyfile", 1);
    fs::path scripts = root / "data/nautilus/scripts";
    ondravell::testing::writeText(root / "a file.txt", "hello");

    // The first start writes the scripts.
    pid_t first = spawn({ONDRAVELL_APP}, "");
    ASSERT_TRUE(test::spinUntil([&] {
        for (const ServicesScripts::Script& script : ServicesScripts::scripts())
            if (!fs::exists(scripts / std::string(script.title)))
                return false;
        return true;
    }));
    stop(first);

    // No instance: the script starts the program, which then hashes the first file.
    pid_t app = spawn({"/bin/sh", (scripts / "计算哈希（小欧）").string()},
                      (root / "a file.txt").string() + "\n" + (root / "other").string() + "\n");
    std::string digest = FileHasher::hash("hello", HashAlgorithm::sha256);
    ASSERT_TRUE(test::spinUntil([&] { return test::clipboardTextSeenByAnotherClient() == digest; }));
    ASSERT_EQ(::waitpid(app, nullptr, WNOHANG), 0) << "the program started by the script ended";

    // A running instance: the script's launch hands over the paths and ends.
    std::string selection = (root / "a file.txt").string() + "\n" + root.path.string() + "\n";
    pid_t second = spawn({"/bin/sh", (scripts / "复制路径（小欧）").string()}, selection);
    int status = -1;
    ASSERT_EQ(::waitpid(second, &status, 0), second);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(test::spinUntil([&] {
        return test::clipboardTextSeenByAnotherClient() == selection.substr(0, selection.size() - 1);
    }));
    stop(app);
}
