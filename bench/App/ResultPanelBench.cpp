// Time from an action's click to its result panel on screen: the plan, the content view, the panel's
// layout and its first paint, for a JSON text of 1 MB and a QR code of 1,000 characters.
#include "App/Selection/SelectionActionRunner.h"
#include "App/Selection/SelectionResultWindow.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

using namespace ondravell;

std::string jsonOfOneMegabyte() {
    std::string text = "[";
    for (int i = 0; text.size() < 1'000'000; ++i)
        text += (i ? "," : "") + std::string(R"({"id":)") + std::to_string(i) +
                R"(,"name":"item","tags":["a","b"]})";
    return text + "]";
}

void runToScreen(benchmark::State& state, SelectionAction::Kind kind, const std::string& text) {
    SelectionActionRunner runner({});
    for (auto _ : state) {
        runner.run(kind, text, QPointF(400, 200));
        QWidget* panel = SelectionResultWindow::shared().panel();
        panel->repaint();
        QApplication::processEvents();
    }
}

void BM_JSONOfOneMegabyte(benchmark::State& state) {
    runToScreen(state, SelectionAction::Kind::jsonTool, jsonOfOneMegabyte());
}
BENCHMARK(BM_JSONOfOneMegabyte)->Unit(benchmark::kMillisecond);

void BM_QRCodeOfThousandCharacters(benchmark::State& state) {
    runToScreen(state, SelectionAction::Kind::qrCode, std::string(1000, 'x'));
}
BENCHMARK(BM_QRCodeOfThousandCharacters)->Unit(benchmark::kMillisecond);

void BM_CaseConversionOf20000Characters(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "word你好 Ab ";
    runToScreen(state, SelectionAction::Kind::caseConvert, text);
}
BENCHMARK(BM_CaseConversionOf20000Characters)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
