// The file manager's hash action as one fresh process: the module's real worker path on one file (read
// in chunks, digest, clipboard text), with the platform services held in memory. Prints the digest, so
// that bench/core/FileOps/compare.sh can time it beside `openssl dgst` and check that both agree.
//   hash-selection <md5|sha1|sha256|sha384|sha512> <file>
#include "bench/Extensions/FinderSync/BenchExtension.h"
#include "core/FileOps/HashAlgorithm.h"

#include <cstdio>
#include <filesystem>
#include <glib.h>

using namespace ondravell;

int main(int argc, char** argv) {
    if (argc != 3 || !HashAlgorithm::fromRawValue(argv[1])) {
        std::fprintf(stderr, "usage: %s <md5|sha1|sha256|sha384|sha512> <file>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path file = std::filesystem::absolute(argv[2]);
    bench::BenchExtension module;
    module.controller.setSelection({{file, false}}, file.parent_path());
    module.extension.perform(MenuCommand{"hash", argv[1]}, module.extension.currentContext());
    // The digest reaches the clipboard from the main loop once the worker is done; a file that cannot
    // be read ends with a toast (posted from a worker) and no clipboard text, so the loop also wakes
    // now and then to look for it.
    g_timeout_add(
        50, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
    while (!module.pasteboard.string() && module.notificationCenter.postedNames().empty())
        g_main_context_iteration(nullptr, TRUE);
    if (!module.pasteboard.string()) {
        std::fprintf(stderr, "%s: cannot hash %s\n", argv[0], file.c_str());
        return 1;
    }
    std::printf("%s\n", module.pasteboard.string()->c_str());
    return 0;
}
