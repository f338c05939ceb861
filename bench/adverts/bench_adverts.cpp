// SPDX-License-Identifier: GPL-3.0-or-later
// How long a camera picture takes to reach the screen as an advert, and how
// much memory it costs on the way, beside the same picture decoded whole.
#include "BenchFigures.h"
#include "CameraPicture.h"
#include "TImage.h"
#include "pictures/JpegDecoder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int PhotoWidth = 6000;
constexpr int PhotoHeight = 4000;
constexpr int Runs = 5;

long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The peak resident memory gained while work runs, in MiB: the kernel's
// high-water mark is reset to the present before it starts.
double peakExtraMiB(const std::function<void()> &work)
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return -1;
    clear.close();
    const long before = statusKiB("VmRSS:");
    work();
    return (statusKiB("VmHWM:") - before) / 1024.0;
}

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Times
{
    double wallMs; // the median of the runs
    double cpuMs;  // the median processor time of all threads, which other load on the machine changes less
};

Times medianTimes(const std::function<void()> &work)
{
    std::vector<double> wall, cpu;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer clock;
        const double cpuBefore = cpuMs();
        clock.start();
        work();
        wall.push_back(clock.nsecsElapsed() / 1e6);
        cpu.push_back(cpuMs() - cpuBefore);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString photo = dir.filePath(QStringLiteral("camera.jpg"));
    if (!dir.isValid() || !writeCameraJpeg(photo, PhotoWidth, PhotoHeight, false)) {
        std::fprintf(stderr, "could not write the test picture\n");
        return 1;
    }
    std::printf("picture: %d x %d, %lld bytes\n", PhotoWidth, PhotoHeight, QFile(photo).size());

    // The advert as the timekeeper gets it: loaded for the area and drawn once.
    TImage area;
    area.resize(1920, 1080);
    area.SetCenter(true);
    QImage screen(1920, 1080, QImage::Format_RGB32);
    bool shown = true;
    const auto load = [&] { shown = area.LoadFromFile(photo) && shown; };
    const auto show = [&] {
        load();
        area.render(&screen);
    };
    const double showMiB = peakExtraMiB(show);
    const Times showTimes = medianTimes(show);
    const Times loadTimes = medianTimes(load);
    if (!shown || area.PictureRect() != QRect(150, 0, 1620, 1080)) {
        std::fprintf(stderr, "the picture was not shown as expected\n");
        return 1;
    }
    printFigure("adverts: 24 MP JPEG shown in 1920x1080, time", showTimes.wallMs, "ms", "< 150");
    printFigure("adverts: 24 MP JPEG shown in 1920x1080, CPU time", showTimes.cpuMs, "ms", "-");
    printFigure("adverts: of which loading (decode for the area)", loadTimes.wallMs, "ms", "-");
    printFigure("adverts: 24 MP JPEG shown in 1920x1080, peak extra", showMiB, "MiB", "< 64");

    const auto full = [&] { shown = !JpegDecoder::Decode(photo, QSize(PhotoWidth, PhotoHeight)).isNull() && shown; };
    const double fullMiB = peakExtraMiB(full);
    const Times fullTimes = medianTimes(full);
    printFigure("adverts: same JPEG decoded at full size, time", fullTimes.wallMs, "ms", "-");
    printFigure("adverts: same JPEG decoded at full size, CPU time", fullTimes.cpuMs, "ms", "-");
    printFigure("adverts: same JPEG decoded at full size, peak extra", fullMiB, "MiB", "-");
    return shown ? 0 : 1;
}
