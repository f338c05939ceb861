// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QTcpServer>

class QTcpSocket;

// The listening socket in front of the web server. It reads the head of the
// first request of every connection itself, within firm limits, before the
// connection goes any further: a plain GET of a small head goes on to the
// web server, a WebSocket upgrade of /ws goes to the WebSocket server, and
// everything else is answered with an error and closed. It also caps the
// number of open connections and how long a web (not WebSocket) connection
// stays open, so no client can hold memory or sockets for long.
class FrontDoor : public QTcpServer
{
    Q_OBJECT
public:
    static constexpr int MaxHeadBytes = 8 * 1024;
    static constexpr int MaxConnections = 96;
    static constexpr int HeadWaitMs = 5000;
    static constexpr int WebConnectionMs = 30000;

    using QTcpServer::QTcpServer;

    int OpenConnections() const { return open; }

signals:
    // A WebSocket handshake of /ws, still unread in the socket.
    void webSocketArrived(QTcpSocket *socket);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    enum class Way { Wait, Web, WebSocket, Refuse };
    static Way judge(const QByteArray &peeked);

    void readHead(QTcpSocket *socket);
    void refuse(QTcpSocket *socket);

    int open = 0;
    QHash<QTcpSocket *, QMetaObject::Connection> reading;
};
