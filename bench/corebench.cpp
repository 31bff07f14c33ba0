// Speed of the colour core: name list loading, nearest-name lookup, a picker
// update and the info command over standard input. Prints medians.
#include "color/colornamemanager.h"
#include "picking/colorpickerlogic.h"
#include "platform/log.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Work>
double timeMicroseconds(Work work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

std::vector<ColorValue> randomColors(int count)
{
    QRandomGenerator random(42);
    std::vector<ColorValue> colors;
    for (int i = 0; i < count; ++i)
        colors.push_back({random.generateDouble(), random.generateDouble(), random.generateDouble(), 1});
    return colors;
}

void report(const char *what, double value, const char *unit, double limit)
{
    std::printf("%-44s %10.1f %-3s (target at most %.0f %s)%s\n", what, value, unit, limit, unit,
                value <= limit ? "" : "  OVER TARGET");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Log::setSink([](Log::Kind, const QString &) {});
    const QString list = ColorNameManager::locateShippedList();

    std::vector<double> loads;
    for (int i = 0; i < 15; ++i) {
        ColorNameManager manager;
        loads.push_back(timeMicroseconds([&] { manager.loadPalette(list); }));
    }
    report("colour-name list load (median of 15)", median(loads) / 1000, "ms", 25);

    ColorNameManager manager;
    manager.loadPalette(list);
    std::vector<double> lookups;
    volatile qsizetype sink = 0;
    for (const ColorValue &color : randomColors(20000))
        lookups.push_back(timeMicroseconds([&] { sink = sink + manager.findClosestColorName(color).size(); }));
    std::printf("  (%lld names)\n", static_cast<long long>(manager.palette().size()));
    report("nearest-name lookup (median of 20000)", median(lookups), "us", 100);

    ColorNameManager::shared();
    ColorPickerLogic logic;
    std::vector<double> updates;
    for (const ColorValue &color : randomColors(5000))
        updates.push_back(timeMicroseconds([&] { logic.updateForegroundColor(color, true); }));
    report("picker update, all derived fields (median)", median(updates), "us", 200);

    QByteArray input;
    for (const ColorValue &color : randomColors(10000))
        input += color.toHex().toLatin1() + '\n';
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tintora"),
                      {QStringLiteral("info"), QStringLiteral("-")});
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(120000);
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (process.exitCode() != 0 || process.readAllStandardOutput().count('\n') != 10000 * 9 - 1) {
            std::fprintf(stderr, "tintora info - failed\n");
            return 1;
        }
    }
    report("tintora info - on 10000 colours (median of 5)", median(runs), "ms", 2000);
    return 0;
}
