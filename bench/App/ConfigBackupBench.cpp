// Export and import of a large configuration: 200 custom templates and 50 icons of 128 × 128 pixels.
// Both run while the user waits, between the file panel and the toast.
#include "App/Services/ConfigBackup.h"
#include "App/Services/ConfigBundleStore.h"
#include "bench/BenchContainer.h"
#include "core/Support/Base64.h"

#include <benchmark/benchmark.h>
#include <random>

using namespace ondravell;

namespace {

// A PNG header followed by incompressible bytes, about the size of a real 128-pixel icon.
std::string icon(std::mt19937& random) {
    std::string bytes(
        "\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x00\x80\x00\x00\x00\x80\x08\x06\x00\x00\x00crc!", 33);
    while (bytes.size() < 12 * 1024)
        bytes.push_back(static_cast<char>(random()));
    return bytes;
}

ConfigBundle largeBundle() {
    std::mt19937 random(7);
    ConfigBundle bundle;
    for (int i = 0; i < 200; ++i) {
        std::string n = std::to_string(i);
        std::optional<std::string> iconName;
        if (i < 50)
            iconName = "icon-" + n + ".png";
        bundle.customTemplates.push_back({"custom-" + n, "模板 " + n, "ext" + n, std::string(400, 'x') + n,
                                          false, "doc", false, iconName});
        if (iconName)
            bundle.icons[*iconName] = Base64::encode(icon(random));
    }
    return bundle;
}

void BM_ExportLargeConfiguration(benchmark::State& state) {
    bench::BenchContainer container;
    ConfigBundleStore().apply(largeBundle());
    for (auto _ : state) {
        auto bytes = ConfigBackup::exportBytes();
        benchmark::DoNotOptimize(ConfigBackup::writeExport(container.root / "export.json", *bytes));
    }
}
BENCHMARK(BM_ExportLargeConfiguration)->Unit(benchmark::kMillisecond);

void BM_ImportLargeConfiguration(benchmark::State& state) {
    bench::BenchContainer container;
    auto file = container.root / "import.json";
    ConfigBackup::writeExport(file, *largeBundle().encode());
    for (auto _ : state) {
        auto bundle = ConfigBackup::readImport(file);
        benchmark::DoNotOptimize(ConfigBackup::applyImport(*bundle));
    }
}
BENCHMARK(BM_ImportLargeConfiguration)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
