// The file manager waits for the menu on every right-click: settings load, ordering, filter and tree
// for one selected file should stay under 1 ms; a thousand selected files show how the filter scales.
#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/SelectionSnapshotController.h"
#include "bench/BenchContainer.h"
#include "core/SharedConfig/SettingsService.h"
#include "platform/memory/FixedDesktopAppearance.h"
#include "platform/memory/ImmediateTaskQueue.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryNotificationCenter.h"
#include "platform/memory/MemoryPasteboard.h"
#include "platform/memory/MemoryVolumeMonitor.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

using Container = bench::BenchContainer;

// Every action on, each with a rule, half of them grouped, nested, and far more templates, folders
// and engines than the menu shows (about 60 KB of JSON).
OndravellSettings largeSettings() {
    OndravellSettings s = OndravellSettings::defaultSettings();
    s.enabledActionIDs.clear();
    int index = 0;
    for (const auto& action : OndravellAction::builtins()) {
        s.enabledActionIDs.push_back(action.id);
        s.actionRules[action.id] = ActionRule{ActionRule::TargetKind::any,
                                              1,
                                              5000,
                                              {"txt", "md", "png", "jpg"},
                                              ActionRule::ContainerScope::both};
        if (index++ % 2 == 0)
            s.actionGroupAssignment[action.id] = "分组 " + std::to_string(index % 3);
    }
    s.nestUnderOndravell = true;
    for (int i = 0; i < 200; ++i) {
        auto n = std::to_string(i);
        s.customPathTemplates.push_back({"tpl-" + n, "模板_" + n, "{path} -> {name}.{ext} #" + n});
        s.favoriteTargets.push_back("/home/user/收藏夹/folder-" + n);
        s.selectionCustomEngines.push_back(
            {"web-" + n, "Web " + n, "https://search" + n + ".example/?q={q}", false});
    }
    return s;
}

struct Bench {
    Container container;
    SelectionSnapshotController controller;
    platform::MemoryPasteboard pasteboard;
    platform::MemoryNotificationCenter notificationCenter;
    platform::FixedDesktopAppearance appearance;
    platform::MemoryVolumeMonitor volumes;
    platform::ImmediateTaskQueue queue;
    platform::ManualOneShotTimers timers;
    FinderSyncExtension extension{
        {controller, pasteboard, notificationCenter, appearance, volumes, queue, timers}};

    Bench(std::optional<OndravellSettings> saved, int fileCount) {
        if (saved)
            SettingsService().save(*saved);
        // Every built-in action offered, as in a build that carries them all.
        for (const auto& action : OndravellAction::builtins())
            if (action.id != "copy.path")
                extension.setCommandHandler(action.id, [](auto&, const auto&, const auto&) {});
        extension.setSubmenuBuilder(
            "hash", [](const auto&, const auto&) { return FinderSyncExtension::hashSubmenu(); });
        std::vector<FinderSyncController::Item> items;
        for (int i = 0; i < fileCount; ++i)
            items.push_back({container.root / ("file-" + std::to_string(i) + ".txt"), false});
        controller.setSelection(std::move(items), container.root);
    }
};

void buildMenu(benchmark::State& state, std::optional<OndravellSettings> saved) {
    Bench bench(std::move(saved), static_cast<int>(state.range(0)));
    std::size_t items = 0;
    for (auto _ : state) {
        Menu menu = bench.extension.menu(MenuKind::contextualMenuForItems);
        items = menu.items.size();
        benchmark::DoNotOptimize(menu);
    }
    state.counters["topLevelItems"] = static_cast<double>(items);
}

void BM_MenuDefaultSettings(benchmark::State& state) {
    buildMenu(state, std::nullopt);
}
void BM_MenuLargeSettings(benchmark::State& state) {
    buildMenu(state, largeSettings());
}

} // namespace

BENCHMARK(BM_MenuDefaultSettings)->Arg(1)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MenuLargeSettings)->Arg(1)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
