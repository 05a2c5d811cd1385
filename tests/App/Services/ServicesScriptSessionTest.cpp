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

// Starts `program` with its arguments in `folder`, as Nautilus starts a script: the selected names as
// arguments relative to the folder shown, and the same names joined by line feeds in the environment,
// which is ambiguous for a name that holds one.
pid_t spawn(const std::vector<std::string>& command, const fs::path& folder = "/") {
    std::string selection;
    for (std::size_t i = 2; i < command.size(); ++i)
        selection += (folder / command[i]).string() + "\n";
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS", selection.c_str(), 1);
        if (::chdir(folder.c_str()) != 0)
            ::_exit(126);
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
    pid_t first = spawn({ONDRAVELL_APP});
    ASSERT_TRUE(test::spinUntil([&] {
        for (const ServicesScripts::Script& script : ServicesScripts::scripts())
            if (!fs::exists(scripts / std::string(script.title)))
                return false;
        return true;
    }));
    stop(first);

    // No instance: the script starts the program, which then hashes the first file, the one whose name
    // holds a line feed, not the file named like its first line.
    ondravell::testing::writeText(root / "x", "not this one");
    ondravell::testing::writeText(root / "x\ny", "hello");
    pid_t app = spawn({"/bin/sh", (scripts / "计算哈希（小欧）").string(), "x\ny", "a file.txt"}, root.path);
    std::string digest = FileHasher::hash("hello", HashAlgorithm::sha256);
    ASSERT_TRUE(test::spinUntil([&] { return test::clipboardTextSeenByAnotherClient() == digest; }));
    ASSERT_EQ(::waitpid(app, nullptr, WNOHANG), 0) << "the program started by the script ended";
    // The program keeps no hold on the folder the script ran in, so a removable disk can be unmounted.
    const fs::path workingFolder = fs::read_symlink("/proc/" + std::to_string(app) + "/cwd");
    const char* home = std::getenv("HOME");
    EXPECT_TRUE(workingFolder == "/" || (home && workingFolder == home)) << workingFolder;

    // A running instance: the script's launch hands over the items and ends. A first name that is not
    // UTF-8 travels as it is, so the hash is that file's, not the next one's.
    ondravell::testing::writeText(root / "\xff.bin", "bytes");
    auto runToTheEnd = [&](const std::vector<std::string>& command) {
        pid_t second = spawn(command, root.path);
        int status = -1;
        ASSERT_EQ(::waitpid(second, &status, 0), second);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    };
    runToTheEnd({"/bin/sh", (scripts / "计算哈希（小欧）").string(), "\xff.bin", "a file.txt"});
    std::string bytesDigest = FileHasher::hash("bytes", HashAlgorithm::sha256);
    EXPECT_TRUE(test::spinUntil([&] { return test::clipboardTextSeenByAnotherClient() == bytesDigest; }));

    runToTheEnd({"/bin/sh", (scripts / "复制路径（小欧）").string(), "a file.txt", "x\ny"});
    EXPECT_TRUE(test::spinUntil([&] {
        return test::clipboardTextSeenByAnotherClient() ==
               (root / "a file.txt").string() + "\n" + (root / "x\ny").string();
    }));
    stop(app);
}
