// Times exporting the Statcard: one card as the window's File > Export Statcard writes it
// (after the file dialog), in each format, and `ironvale-vc --export` of 100 design files in
// one run, without a display. Exits non-zero when a budget is missed.
//   export_timing PROGRAM
#include "common/fullest_design.h"
#include "common/typical_design.h"
#include "core/design.h"
#include "io/designFile.h"
#include "ui/cardExport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kOneCardBudgetMs = 50.0;
constexpr double kHundredFilesBudgetMs = 3000.0;
constexpr int kRuns = 15;
constexpr int kFiles = 100;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: export_timing PROGRAM\n", stderr);
        return 2;
    }
    QTemporaryDir dir;
    bool ok = true;

    struct Design {
        const char* name;
        ivc::MainModel model;
    };
    const std::vector<Design> designs = {
        {"typical", ivc::test::typicalDesign("Warden")},
        {"fullest", ivc::test::fullestDesign(ivc::Concord, "Longest Name Of Them All")},
    };
    for (const Design& d : designs) {
        for (const auto format : {ivc::ui::CardFormat::Pdf, ivc::ui::CardFormat::Png,
                                  ivc::ui::CardFormat::Svg, ivc::ui::CardFormat::Text}) {
            const QString path = dir.filePath(QStringLiteral("card.") + ivc::ui::suffixOf(format));
            std::vector<double> ms;
            for (int run = 0; run < kRuns; ++run) {
                QElapsedTimer clock;
                clock.start();
                ivc::ui::exportCard(path, ivc::makeCard(d.model), format);
                ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            }
            const double m = median(ms);
            const bool pdf = format == ivc::ui::CardFormat::Pdf;
            std::printf(
                "one %s card as %s  %7.1f ms%s\n", d.name, qPrintable(ivc::ui::suffixOf(format)), m,
                pdf ? qPrintable(QStringLiteral("  (budget %1 ms)").arg(kOneCardBudgetMs)) : "");
            ok = ok && (!pdf || m < kOneCardBudgetMs);
        }
    }

    // 100 design files, the typical and each race's fullest in turn.
    QStringList files;
    for (int k = 0; k < kFiles; ++k) {
        const int race = k % 9;
        const ivc::MainModel model =
            race == 0 ? ivc::test::typicalDesign("Warden " + std::to_string(k))
                      : ivc::test::fullestDesign(race, "Design " + std::to_string(k));
        files << dir.filePath(QStringLiteral("design%1.ivc").arg(k));
        if (!ivc::io::saveDesign(files.back(), ivc::capture(model)).isEmpty())
            return 2;
    }
    for (const char* out : {"cards/", "force.pdf"}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(QString::fromLocal8Bit(argv[1]),
                      QStringList{QStringLiteral("--export"), dir.filePath(QLatin1String(out))} +
                          files);
        process.waitForFinished(60000);
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        const bool done = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        std::printf("--export %s of %d files  %7.0f ms  (budget %.0f ms)%s\n", out, kFiles, ms,
                    kHundredFilesBudgetMs, done ? "" : "  FAILED");
        ok = ok && done && ms < kHundredFilesBudgetMs;
    }
    return ok ? 0 : 1;
}
