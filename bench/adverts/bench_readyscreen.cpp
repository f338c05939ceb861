// SPDX-License-Identifier: GPL-3.0-or-later
// The way into the ready screen with an advert: from the tick that ends an
// end to the start of the three blasts and to the first paint of the advert,
// for a camera JPEG, a progressive one, a metafile and a BMP; once decoded
// on the spot, once prepared while the end ran. And the longest time the
// user-interface thread gave no sign of life during the whole end, in wall
// time and in the processor time the thread itself used in that gap.
#include "AdvertPreparer.h"
#include "BenchFigures.h"
#include "BenchPlatform.h"
#include "CameraPicture.h"
#include "TImage.h"
#include "TTimer.h"
#include "Unit1.h"
#include "WmfWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

constexpr int HeartbeatMs = 1;

// Records when the three blasts start; plays nothing.
class BlastClock : public ISoundPlayer
{
public:
    explicit BlastClock(const QElapsedTimer &clock) : clock(clock) {}
    void PlaySound(const QString &bareName) override
    {
        if (bareName == QLatin1String("3dyt.wav"))
            at = clock.nsecsElapsed();
    }
    qint64 at = -1;

private:
    const QElapsedTimer &clock;
};

// Notes the end of the first paint of the picture area after it is armed.
class PaintClock : public QObject
{
public:
    PaintClock(QWidget *area, const QElapsedTimer &clock) : area(area), clock(clock) { area->installEventFilter(this); }
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (armed && object == area && event->type() == QEvent::Paint) {
            armed = false;
            // Painted once this event has been handled: noted on the way out.
            QTimer::singleShot(0, this, [this] { at = clock.nsecsElapsed(); });
        }
        return false;
    }
    bool armed = false;
    qint64 at = -1;

private:
    QWidget *area;
    const QElapsedTimer &clock;
};

struct Figures
{
    double blastsMs = -1;
    double paintMs = -1;
    double stallMs = 0;     // the longest gap between two heartbeats, less the beat
    double busyStallMs = 0; // the most processor time the thread used in one gap
};

Figures oneEnd(const QString &picture, bool prepared)
{
    QElapsedTimer clock;
    clock.start();
    BlastClock blasts(clock);
    ScopedSeam<ISoundPlayer> sound(&blasts);
    TForm1 form;
    form.resize(1920, 1200);
    form.show();
    QListWidget list;
    list.addItem(picture);
    form.SetAdvertList(&list);
    std::unique_ptr<AdvertPreparer> preparer;
    if (prepared) {
        preparer = std::make_unique<AdvertPreparer>();
        preparer->Attach(&form);
    }
    form.AddsOn = true;
    form.AddCount = 1;
    // A short end: two seconds' walk, three of shooting, one wave.
    form.RedTime = 2;
    form.ShootingTime = 3;
    form.YellowTime = 1;
    form.NumberOfWaves = form.WavesLeft = 1;
    PaintClock paint(form.Billede, clock);
    qint64 tickAt = 0;
    form.Timer1->OnTimer = [&] {
        tickAt = clock.nsecsElapsed();
        paint.armed = true;
        form.Timer1Timer();
    };
    Figures figures;
    qint64 lastBeat = -1;
    double lastCpu = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(HeartbeatMs);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double cpu = threadCpuMs();
        if (lastBeat >= 0) {
            figures.stallMs = std::max(figures.stallMs, (now - lastBeat) / 1e6 - HeartbeatMs);
            figures.busyStallMs = std::max(figures.busyStallMs, cpu - lastCpu);
        }
        lastBeat = now;
        lastCpu = cpu;
        if (paint.at >= 0)
            QCoreApplication::quit();
    });
    QTimer::singleShot(100, &form, [&] {
        heartbeat.start();
        form.StartKnapClick();
    });
    QCoreApplication::exec();
    figures.blastsMs = (blasts.at - tickAt) / 1e6;
    figures.paintMs = (paint.at - tickAt) / 1e6;
    return figures;
}

QString writeMetafile(const QString &path)
{
    const QRect frame(0, 0, 4000, 3000);
    WmfWriter wmf(frame);
    wmf.anisotropic().window(frame);
    wmf.pen(Qt::black, 20).brush(Qt::red).ellipse(QRect(200, 200, 1800, 1800));
    wmf.brush(Qt::blue).polygon(QPolygon({QPoint(2200, 2800), QPoint(3800, 2800), QPoint(3000, 200)}));
    wmf.font(400, "Arial").textColour(QColor(0, 128, 0)).text(QPoint(300, 2600), "Sponsor");
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(wmf.bytes()) > 0 ? path : QString();
}

QString writeBmp(const QString &path)
{
    QImage scan(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < scan.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(scan.scanLine(y));
        for (int x = 0; x < scan.width(); ++x)
            row[x] = qRgb(x * 255 / scan.width(), y * 255 / scan.height(), (x ^ y) & 0xFF);
    }
    return scan.convertToFormat(QImage::Format_RGB888).save(path, "BMP") ? path : QString();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchPlatform platform(QStringLiteral(VANTIX_PROGRAM_FOLDER));
    QTemporaryDir dir;
    struct Kind
    {
        const char *name;
        QString path;
    };
    const QString jpeg = dir.filePath(QStringLiteral("camera.jpg"));
    const QString progressive = dir.filePath(QStringLiteral("camera-progressive.jpg"));
    const Kind kinds[] = {
        {"24 MP JPEG", writeCameraJpeg(jpeg, 6000, 4000, false) ? jpeg : QString()},
        {"24 MP progressive JPEG", writeCameraJpeg(progressive, 6000, 4000, true) ? progressive : QString()},
        {"WMF", writeMetafile(dir.filePath(QStringLiteral("logo.wmf")))},
        {"12 MP BMP", writeBmp(dir.filePath(QStringLiteral("scan.bmp")))},
    };
    double longestStall = 0;
    for (const Kind &kind : kinds) {
        if (kind.path.isEmpty()) {
            std::fprintf(stderr, "could not write the %s\n", kind.name);
            return 1;
        }
        for (bool prepared : {false, true}) {
            const Figures f = oneEnd(kind.path, prepared);
            const QByteArray name = QByteArray("ready screen, ") + kind.name + (prepared ? ", prepared" : ", decoded on the spot");
            printFigure(name + ": tick to three blasts", f.blastsMs, "ms", prepared ? "<= 20" : "-");
            printFigure(name + ": tick to first paint", f.paintMs, "ms", prepared ? "<= 16" : "-");
            printFigure(name + ": longest stall in the end", f.stallMs, "ms", "-");
            printFigure(name + ": longest stall in the end, thread busy", f.busyStallMs, "ms", prepared ? "<= 16" : "-");
            if (prepared)
                longestStall = std::max(longestStall, f.busyStallMs);
        }
    }
    printFigure("ready screen: longest busy stall of an end with adverts prepared", longestStall, "ms", "<= 16");
    return 0;
}
