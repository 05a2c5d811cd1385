// Peak memory of the program around one upload of a 50-megapixel PNG (a blank one of 10,000 × 5,000,
// small enough on disk to pass the 2 MB check) as a template icon, through the template editor on the
// display of $DISPLAY (run it under Xvfb). Goal: the upload raises the peak by less than 32 MB.
#include "App/MainWindow/Pages/AddTemplateSheet.h"
#include "bench/App/WindowTiming.h"
#include "bench/BenchContainer.h"
#include "platform/memory/MemoryFileDialog.h"
#include "tests/App/Images/BlankPng.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

using namespace ondravell;

namespace {

double peakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

} // namespace

int main(int argc, char** argv) {
    bench::BenchContainer container;
    const std::filesystem::path picture = container.root / "large.png";
    {
        QFile file(QString::fromStdString(picture.string()));
        if (!file.open(QIODevice::WriteOnly) || file.write(blankPng(10000, 5000)) < 0)
            return 1;
        std::printf("picture: 10000 x 5000 pixels, %lld bytes\n", static_cast<long long>(file.size()));
    }
    QApplication app(argc, argv);
    platform::MemoryFileDialog dialog;
    dialog.answer(picture);
    AddTemplateSheet sheet(std::nullopt, dialog, nullptr);
    sheet.show();
    if (!QTest::qWaitForWindowExposed(&sheet))
        return 1;
    QApplication::processEvents();
    const double before = peakMiB();
    auto start = std::chrono::steady_clock::now();
    QTest::mouseClick(sheet.uploadButton(), Qt::LeftButton);
    QApplication::processEvents();
    const double seconds = bench::secondsSince(start);
    const double after = peakMiB();
    const bool stored = sheet.model().customIconData().has_value();
    std::printf("upload: %s in %.0f ms%s\n", stored ? "icon made" : "refused", seconds * 1000,
                stored ? ""
                       : qPrintable(QStringLiteral(" (") + sheet.errorLabel()->text() + QStringLiteral(")")));
    std::printf("peak memory: %.0f MB before the upload, %.0f MB after\n", before, after);
    return stored ? 0 : 1;
}
