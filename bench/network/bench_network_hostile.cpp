// SPDX-License-Identifier: GPL-3.0-or-later
// The web server under attack on the loopback while the clock runs: 150 slow
// clients, each sending its request a byte a second (from addresses of their
// own, connecting again when cut), and a flood of frames from one more
// address (continuation frames and pings, reconnecting when cut). How evenly
// Timer1 ticks, and how long a real viewer takes from opening its WebSocket
// to holding the screen.
// Usage: bench_network_hostile [ticks] [viewer tries]   (defaults 15 and 20)

#include "BenchFigures.h"
#include "ServedBench.h"

#include <QApplication>
#include <QThread>
#include <QTcpSocket>
#include <QWebSocket>

#include <atomic>
#include <memory>
#include <vector>

namespace {

constexpr int SlowClients = 150;

// The attackers live in a thread of their own, as if on other machines.
class Attackers
{
public:
    explicit Attackers(quint16 port) : port(port)
    {
        thread.start();
        home.moveToThread(&thread);
        QMetaObject::invokeMethod(&home, [this] { start(); });
    }

    ~Attackers()
    {
        QMetaObject::invokeMethod(&home, [this] {
            qDeleteAll(home.children());
            home.moveToThread(QCoreApplication::instance()->thread());
        }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }

    std::atomic<int> cuts{0};

private:
    void start()
    {
        for (int client = 0; client < SlowClients; ++client)
            slow(QStringLiteral("127.0.%1.%2").arg(10 + client / 200).arg(client % 200 + 1));
        flood();
        auto *drip = new QTimer(&home);
        QObject::connect(drip, &QTimer::timeout, &home, [this] {
            for (QTcpSocket *socket : home.findChildren<QTcpSocket *>(QStringLiteral("slow")))
                socket->write("X", 1);
        });
        drip->start(1000);
    }

    QTcpSocket *open(const QString &from, const QString &name)
    {
        auto *socket = new QTcpSocket(&home);
        socket->setObjectName(name);
        socket->bind(QHostAddress(from));
        socket->connectToHost(QHostAddress::LocalHost, port);
        QObject::connect(socket, &QTcpSocket::disconnected, &home, [this, socket, from, name] {
            ++cuts;
            socket->deleteLater();
            QTimer::singleShot(100, &home, [this, from, name] {
                if (name == QLatin1String("slow"))
                    slow(from);
                else
                    flood();
            });
        });
        return socket;
    }

    void slow(const QString &from)
    {
        QTcpSocket *socket = open(from, QStringLiteral("slow"));
        socket->write("GET / HTTP/1.1\r\nX-Slow: ");
    }

    void flood()
    {
        QTcpSocket *socket = open(QStringLiteral("127.0.20.1"), QStringLiteral("flood"));
        socket->write("GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                      "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        // Once switched: masked frames with empty payloads, a text frame
        // begun, then continuations and pings without end.
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            if (!socket->readAll().startsWith("HTTP/1.1 101"))
                return;
            QByteArray frames("\x01\x80\x00\x00\x00\x00", 6);
            for (int frame = 0; frame < 2000; ++frame)
                frames.append(frame % 2 ? QByteArray("\x89\x80\x00\x00\x00\x00", 6)
                                        : QByteArray("\x00\x80\x00\x00\x00\x00", 6));
            socket->write(frames);
        });
    }

    quint16 port;
    QThread thread;
    QObject home;
};

// Opens a viewer from 127.0.0.1 and gives the time until it holds the
// screen, in ms; -1 when it did not within the limit.
double connectViewer(quint16 port, int limitMs)
{
    QWebSocket viewer;
    QElapsedTimer clock;
    bool heard = false;
    QObject::connect(&viewer, &QWebSocket::textMessageReceived, [&](const QString &text) {
        heard = heard || text.contains(QLatin1String("\"screen\""));
    });
    clock.start();
    viewer.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    const bool in = spinUntil([&] { return heard; }, limitMs);
    const double ms = clock.nsecsElapsed() / 1e6;
    viewer.abort();
    return in ? ms : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    const int tries = argc > 2 ? std::max(3, std::atoi(argv[2])) : 20;
    ServedBench bench;
    const double alone = tickJitter(bench.form, ticks);

    Attackers attackers(bench.server.Port());
    spinUntil([] { return false; }, 2000);
    const double attacked = tickJitter(bench.form, ticks);
    std::vector<double> connects;
    int late = 0;
    for (int attempt = 0; attempt < tries; ++attempt) {
        const double ms = connectViewer(bench.server.Port(), 3000);
        if (ms < 0 || ms > 1000)
            ++late;
        if (ms >= 0)
            connects.push_back(ms);
        spinUntil([] { return false; }, 300);
    }
    printFigure("tick jitter without attackers, max deviation", alone, "ms", "<= 2");
    printFigure("tick jitter with 150 slow clients and a frame flood, max deviation", attacked, "ms", "<= 2");
    printFigure("real viewer connect time under attack, median", percentile(connects, 0.5), "ms", "");
    printFigure("real viewer connect time under attack, worst", percentile(connects, 1.0), "ms", "<= 1000");
    printFigure("viewers not in within 1 s", late, "viewers", "0");
    printFigure("viewers tried", tries, "viewers", "");
    printFigure("attacking connections cut by the server", attackers.cuts.load(), "connections", "");
    return 0;
}
