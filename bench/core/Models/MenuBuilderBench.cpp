// Building the menu for a large selection filters every built-in action against it.
#include "core/Models/MenuBuilder.h"

#include <benchmark/benchmark.h>
#include <string>

using namespace ondravell;

namespace {

std::vector<SelectedItem> items(int count) {
    static const char* extensions[] = {"png", "JPG", "txt", "md", ""};
    std::vector<SelectedItem> out;
    for (int i = 0; i < count; ++i) {
        std::string name = "/home/user/照片/item-" + std::to_string(i);
        if (*extensions[i % 5])
            name += std::string(".") + extensions[i % 5];
        out.emplace_back(name, i % 7 == 0);
    }
    return out;
}

std::set<std::string> allIDs() {
    std::set<std::string> ids;
    for (const auto& action : OndravellAction::builtins())
        ids.insert(action.id);
    return ids;
}

std::map<std::string, ActionRule> rules() {
    std::map<std::string, ActionRule> out;
    out["copy.path"] = ActionRule{ActionRule::TargetKind::any,
                                  std::nullopt,
                                  std::nullopt,
                                  {"png", "jpg", "txt"},
                                  ActionRule::ContainerScope::both};
    out["hash"] =
        ActionRule{ActionRule::TargetKind::filesOnly, 1, 2000, {}, ActionRule::ContainerScope::both};
    out["move.to"] =
        ActionRule{ActionRule::TargetKind::any, 2, std::nullopt, {}, ActionRule::ContainerScope::both};
    return out;
}

void BM_VisibleActionsFor1000Items(benchmark::State& state) {
    const MenuContext context(items(1000), std::filesystem::path("/home/user/照片"));
    const auto enabled = allIDs();
    const auto userRules = rules();
    for (auto _ : state) {
        auto visible = MenuBuilder::visibleActions(context, OndravellAction::builtins(), enabled, userRules);
        benchmark::DoNotOptimize(visible);
    }
}

// The menu context is built once per menu too, from the file manager's selection.
void BM_ContextAndVisibleActionsFor1000Items(benchmark::State& state) {
    const auto selection = items(1000);
    const auto enabled = allIDs();
    const auto userRules = rules();
    for (auto _ : state) {
        MenuContext context(selection, std::filesystem::path("/home/user/照片"));
        auto visible = MenuBuilder::visibleActions(context, OndravellAction::builtins(), enabled, userRules);
        benchmark::DoNotOptimize(visible);
    }
}

} // namespace

BENCHMARK(BM_VisibleActionsFor1000Items);
BENCHMARK(BM_ContextAndVisibleActionsFor1000Items);
BENCHMARK_MAIN();
