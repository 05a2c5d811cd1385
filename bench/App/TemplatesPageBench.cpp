// The templates page with 200 of the user's templates, 50 of them with picture icons, on the display of
// $DISPLAY (run it under Xvfb): from construction to the first paint processed. Goal: under 100 ms.
#include "App/MainWindow/Pages/TemplatesSettingsView.h"
#include "App/MainWindow/SettingsWindow.h"
#include "bench/App/WindowTiming.h"
#include "bench/BenchContainer.h"
#include "core/FileOps/TemplateIconStore.h"
#include "core/FileOps/TemplateStore.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryInstalledApplications.h"
#include "platform/memory/MemoryUserDefaults.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>

using namespace ondravell;
using bench::secondsSince;

namespace {

constexpr int templateCount = 200;
constexpr int iconCount = 50;

platform::MemoryFileDialog dialog;

// 200 templates; every fourth has a 128-pixel PNG icon of its own.
void writeTemplates() {
    TemplateIconStore icons(TemplateStore::appGroupID);
    std::vector<FileTemplate> templates;
    for (int i = 0; i < templateCount; ++i) {
        FileTemplate entry{"custom.BENCH-" + std::to_string(i),
                           "模板 " + std::to_string(i),
                           "conf",
                           "",
                           false,
                           "gearshape",
                           false,
                           std::nullopt};
        if (i % (templateCount / iconCount) == 0) {
            QImage image(128, 96, QImage::Format_ARGB32);
            image.fill(QColor::fromHsv(i % 360, 200, 220));
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "png");
            std::string name = "BENCH-" + std::to_string(i) + ".png";
            icons.save(png.toStdString(), name);
            entry.customIconFilename = name;
        }
        templates.push_back(entry);
    }
    TemplateStore(TemplateStore::appGroupID).saveCustom(templates);
}

// Builds the page, shows it and waits until its first paint is done; the seconds it took.
double showPage() {
    auto start = std::chrono::steady_clock::now();
    TemplatesSettingsView page(dialog);
    page.resize(560, 520);
    page.show();
    bool exposed = QTest::qWaitForWindowExposed(&page);
    page.repaint();
    QApplication::processEvents();
    return exposed ? secondsSince(start) : -1;
}

void BM_TemplatesPageShow(benchmark::State& state) {
    for (auto _ : state) {
        double seconds = showPage();
        if (seconds < 0)
            state.SkipWithError("the page never showed");
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_TemplatesPageShow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    bench::BenchContainer container;
    QApplication app(argc, argv);
    writeTemplates();
    bench::printFirstWindowOfProcess();
    // As a user meets it: the settings window opens on its Finder page, then the templates page is chosen.
    {
        platform::MemoryUserDefaults defaults;
        platform::MemoryInstalledApplications applications;
        SettingsNavigation navigation;
        SettingsWindow window(navigation, {defaults, dialog, applications});
        if (bench::showSettingsWindow(window))
            std::printf("templates page chosen in a new settings window: %.1f ms\n",
                        bench::secondsToSwitch(navigation, window, SettingsNavigation::Section::templates) *
                            1000);
    }
    std::printf("a templates page alone: %.1f ms\n", showPage() * 1000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
