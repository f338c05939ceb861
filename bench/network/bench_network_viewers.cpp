// SPDX-License-Identifier: GPL-3.0-or-later
// Fifty follow displays on the loopback: how long from a tick of the main
// window until the last of 50 WebSocket viewers holds the new value, and how
// evenly Timer1 ticks without and with the viewers.
// Usage: bench_network_viewers [ticks for each jitter run] [latency samples]
//        (defaults 15 and 300; the jitter runs take ticks x 988 ms each)

#include "BenchFigures.h"
#include "ServedBench.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <QWebSocket>

#include <mutex>

namespace {

constexpr int ViewerCount = 50;

// The viewers live in a thread of their own, as if on other machines, and
// note when each screen text reaches them.
class Crowd
{
public:
    Crowd(quint16 port, const QElapsedTimer &clock) : clock(clock), receipts(ViewerCount)
    {
        thread.start();
        home.moveToThread(&thread);
        QMetaObject::invokeMethod(&home, [this, port] {
            for (int viewer = 0; viewer < ViewerCount; ++viewer) {
                auto *socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, &home);
                QObject::connect(socket, &QWebSocket::textMessageReceived, &home,
                                 [this, viewer](const QString &text) { note(viewer, text); });
                socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
            }
        });
    }

    ~Crowd()
    {
        QMetaObject::invokeMethod(&home, [this] { qDeleteAll(home.children()); }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }

    // When the last viewer first held the text at or after the moment, or -1.
    qint64 LastReceipt(const QString &text, qint64 from)
    {
        const std::lock_guard<std::mutex> hold(lock);
        qint64 last = -1;
        for (const auto &viewer : receipts) {
            qint64 first = -1;
            for (const auto &[heard, at] : viewer) {
                if (at >= from && heard == text) {
                    first = at;
                    break;
                }
            }
            if (first < 0)
                return -1;
            last = std::max(last, first);
        }
        return last;
    }

private:
    void note(int viewer, const QString &text)
    {
        const qint64 at = clock.nsecsElapsed();
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        if (message[QStringLiteral("t")].toString() != QLatin1String("screen"))
            return;
        const std::lock_guard<std::mutex> hold(lock);
        receipts[viewer].emplace_back(message[QStringLiteral("text")].toString(), at);
    }

    const QElapsedTimer &clock;
    QThread thread;
    QObject home;
    std::mutex lock;
    std::vector<std::vector<std::pair<QString, qint64>>> receipts;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const int samples = argc > 2 ? std::max(10, std::atoi(argv[2])) : 300;
    ServedBench bench;

    const double alone = tickJitter(bench.form, ticks);

    QElapsedTimer clock;
    clock.start();
    Crowd crowd(bench.server.Port(), clock);
    if (!spinUntil([&] { return bench.server.Viewers() == ViewerCount; }, 20000)) {
        std::fprintf(stderr, "only %d of %d viewers connected\n", bench.server.Viewers(), ViewerCount);
        return 1;
    }

    // Ticks 50 ms apart, each handled inside the running event loop as
    // Timer1's own would be.
    bench.form.StartKnapClick();
    bench.form.Timer1->SetEnabled(false);
    std::vector<double> latencies;
    int missed = 0;
    for (int sample = 0; sample < samples; ++sample) {
        const qint64 tick = clock.nsecsElapsed();
        bench.form.Timer1Timer();
        const QString text = bench.form.Published->Current().counterText;
        qint64 last = -1;
        if (spinUntil([&] { return (last = crowd.LastReceipt(text, tick)) >= 0; }, 1000))
            latencies.push_back((last - tick) / 1e6);
        else
            ++missed;
        spinUntil([] { return false; }, 50);
    }

    const double crowded = tickJitter(bench.form, ticks);
    printFigure("tick -> last of 50 viewers, median", percentile(latencies, 0.5), "ms", "");
    printFigure("tick -> last of 50 viewers, p99", percentile(latencies, 0.99), "ms", "<= 20");
    printFigure("ticks not received by all viewers within 1 s", missed, "ticks", "0");
    printFigure("tick jitter without viewers, max deviation", alone, "ms", "<= 2");
    printFigure("tick jitter with 50 viewers, max deviation", crowded, "ms", "<= 2, as without");
    return 0;
}
