// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>

#include <functional>
#include <memory>

class QAbstractSocket;
class QTcpSocket;

// The listening socket in front of the web server. It reads the head of the
// request of every connection itself, within firm limits, before the
// connection goes any further: a plain GET of a small head goes on to the
// web server, a WebSocket upgrade of /ws from the server's own pages (or
// from a client that names no page) goes to the clock's viewers, a HEAD is
// answered with the head of what a GET would get, and everything else is
// answered with an error and closed. A connection carries one request: the
// answer says so and the connection is closed once it is out, so every
// request passes the same checks. It also caps the number of open
// connections and how long a web (not WebSocket) connection stays open, so
// no client can hold memory or sockets for long. Only a few connections may
// be sending their head at once: a newcomer beyond them takes the place of
// the one that has been sending the longest (a browser sends its head at
// once; a client sending a byte a second is the oldest). When all places are
// taken, the address holding the most gives up its oldest connection that is
// not a viewer to a newcomer from an address holding fewer, or else the
// oldest connection that is not a viewer and is older than a second gives
// way. An address opening
// more than a hundred connections a second is refused until it slows down.
class FrontDoor : public QTcpServer
{
    Q_OBJECT
public:
    static constexpr int MaxHeadBytes = 8 * 1024;
    static constexpr int MaxConnections = 96;
    static constexpr int HeadWaitMs = 5000;
    static constexpr int WebConnectionMs = 30000;
    static constexpr int MaxNewConnectionsPerSecond = 100;
    // As many as a full house of displays reconnecting at once.
    static constexpr int MaxReadingHeads = 64;
    static constexpr int SlowMs = 1000;

    explicit FrontDoor(QObject *parent = nullptr);

    int OpenConnections() const;
    // The client's address; an IPv4 client of an IPv6 socket by its IPv4 form.
    static QString AddressOf(const QAbstractSocket *socket);

    // The head of the answer a GET of the path would get, for a HEAD of it;
    // without one, every HEAD is answered "not found".
    std::function<QByteArray(const QByteArray &path)> HeadAnswer;

    struct Places;

signals:
    // A WebSocket handshake of /ws, its head read, with its Sec-WebSocket-Key.
    void webSocketArrived(QTcpSocket *socket, const QByteArray &key);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    bool tooFast(const QString &address);
    bool makeRoomFor(const QString &address);
    void makeRoomToRead();
    void readHead(QTcpSocket *socket);
    void passToWeb(QTcpSocket *socket);
    void refuse(QTcpSocket *socket, const QByteArray &answer = QByteArray());

    std::shared_ptr<Places> places;
    // Connections that are not viewers, oldest first.
    struct Other
    {
        QPointer<QTcpSocket> socket;
        qint64 opened = 0;
        bool web = false;
    };
    QList<Other> others;
    QHash<QString, QList<qint64>> arrivals;
    QElapsedTimer clock;
};
