// The extension loads the settings afresh at every menu build, so a load must stay far below what a
// user notices; the goal for the default file is under 50 µs.
#include "bench/BenchContainer.h"
#include "core/Models/OndravellAction.h"
#include "core/SharedConfig/SettingsService.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

using Container = bench::BenchContainer;

OndravellSettings largeSettings() {
    OndravellSettings s = OndravellSettings::defaultSettings();
    for (const auto& action : OndravellAction::builtins()) {
        s.enabledActionIDs.push_back(action.id);
        s.actionRules[action.id] = ActionRule{ActionRule::TargetKind::filesOnly,
                                              1,
                                              100,
                                              {"png", "jpg", "txt"},
                                              ActionRule::ContainerScope::both};
        s.actionGroupAssignment[action.id] = "工具";
    }
    for (int i = 0; i < 8; ++i) {
        auto n = std::to_string(i);
        s.customPathTemplates.push_back({"tpl-" + n, "模板 " + n, "{path} -> {name}.{ext} #" + n});
        s.favoriteTargets.push_back("/home/user/收藏夹/folder-" + n);
        s.selectionCustomEngines.push_back(
            {"web-" + n, "Web " + n, "https://search" + n + ".example/?q={q}", false});
        s.selectionCustomAIEngines.push_back(
            {"ai-" + n, "AI " + n, "https://ai" + n + ".example/chat?q={q}", true});
    }
    s.globalHotKeys = {
        {"copy.path", {8, 4352, "⌘⇧C"}}, {"copy.file", {9, 4352, "⌘⇧V"}}, {"new.file", {45, 4352, "⌘⇧N"}}};
    s.selectionHotKey = HotKeySpec{49, 2048, "⌥Space"};
    s.preferredEditorBundleID = "com.microsoft.VSCode";
    return s;
}

void loadSaved(benchmark::State& state, const OndravellSettings& saved) {
    Container container;
    SettingsService().save(saved);
    for (auto _ : state) {
        OndravellSettings loaded = SettingsService().load();
        benchmark::DoNotOptimize(loaded);
    }
}

void BM_LoadDefaultFile(benchmark::State& state) {
    loadSaved(state, OndravellSettings::defaultSettings());
}
void BM_LoadLargeFile(benchmark::State& state) {
    loadSaved(state, largeSettings());
}

// The load alone, with a service made once (the extension keeps one for its life).
void BM_LoadDefaultFileWithKeptService(benchmark::State& state) {
    Container container;
    SettingsService service;
    service.save(OndravellSettings::defaultSettings());
    for (auto _ : state) {
        OndravellSettings loaded = service.load();
        benchmark::DoNotOptimize(loaded);
    }
}

void BM_SaveLargeFile(benchmark::State& state) {
    Container container;
    SettingsService service;
    const auto settings = largeSettings();
    for (auto _ : state)
        service.save(settings);
}

} // namespace

BENCHMARK(BM_LoadDefaultFile);
BENCHMARK(BM_LoadDefaultFileWithKeptService);
BENCHMARK(BM_LoadLargeFile);
BENCHMARK(BM_SaveLargeFile);
BENCHMARK_MAIN();
