// json-reprint generate <bytes> <file> | pretty <file> | minify <file>
// Writes the re-written document to standard output; used by compare-jq.sh.
#include "JsonSample.h"
#include "core/Support/Numbers.h"
#include "core/TextProcessing/JSONTool.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "generate" && argc == 4) {
        const auto bytes = ondravell::Numbers::parseInt64(argv[2]);
        if (!bytes || *bytes < 0)
            return 2;
        std::ofstream(argv[3], std::ios::binary)
            << ondravell::bench::makeJsonSample(static_cast<std::size_t>(*bytes));
        return 0;
    }
    if ((mode != "pretty" && mode != "minify") || argc != 3) {
        std::cerr << "usage: json-reprint generate <bytes> <file> | pretty <file> | minify <file>\n";
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary | std::ios::ate);
    std::string text(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    const auto out =
        mode == "pretty" ? ondravell::JSONTool::prettyPrint(text) : ondravell::JSONTool::minify(text);
    if (!out) {
        std::cerr << "not JSON\n";
        return 1;
    }
    std::fwrite(out->data(), 1, out->size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
