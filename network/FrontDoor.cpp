// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrontDoor.h"

#include <QList>
#include <QTcpSocket>
#include <QTimer>

namespace {

const QString DeadlineName = QStringLiteral("deadline");

// The head of a request as the front door needs it: the request line's
// method and path, and the few header fields that decide the way.
struct Head
{
    QByteArray method;
    QByteArray path;
    bool upgrade = false;
    bool body = false;
    bool wellFormed = false;
};

Head readHeadFields(const QByteArray &head)
{
    Head result;
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> request = lines.value(0).trimmed().split(' ');
    if (request.size() != 3 || !request[2].startsWith("HTTP/1."))
        return result;
    result.method = request[0];
    result.path = request[1];
    for (qsizetype at = 1; at < lines.size(); ++at) {
        const QByteArray line = lines[at].trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return result;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed().toLower();
        if (name == "upgrade")
            result.upgrade = value == "websocket";
        else if (name == "transfer-encoding" || (name == "content-length" && value != "0"))
            result.body = true;
    }
    result.wellFormed = true;
    return result;
}

} // namespace

FrontDoor::Way FrontDoor::judge(const QByteArray &peeked)
{
    const qsizetype end = peeked.indexOf("\r\n\r\n");
    if (end < 0)
        return peeked.size() > MaxHeadBytes ? Way::Refuse : Way::Wait;
    const Head head = readHeadFields(peeked.left(end));
    // Only reading is offered: no request carries a body.
    if (!head.wellFormed || head.method != "GET" || head.body || !head.path.startsWith('/'))
        return Way::Refuse;
    if (head.upgrade)
        return head.path == "/ws" ? Way::WebSocket : Way::Refuse;
    return Way::Web;
}

void FrontDoor::incomingConnection(qintptr descriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    if (open >= MaxConnections) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++open;
    connect(socket, &QObject::destroyed, this, [this, socket] {
        --open;
        reading.remove(socket);
    });
    // The socket never holds more than this unread; a client that sends
    // faster simply waits.
    socket->setReadBufferSize(MaxHeadBytes * 2);
    auto *deadline = new QTimer(socket);
    deadline->setObjectName(DeadlineName);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, socket, [socket] { socket->abort(); });
    deadline->start(HeadWaitMs);
    reading[socket] = connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readHead(socket); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void FrontDoor::readHead(QTcpSocket *socket)
{
    const Way way = judge(socket->peek(MaxHeadBytes + 1));
    if (way == Way::Wait)
        return;
    if (way == Way::Refuse) {
        refuse(socket);
        return;
    }
    // From here the socket belongs to the server it goes to; only the
    // deadline stays, for web connections.
    disconnect(reading.take(socket));
    auto *deadline = socket->findChild<QTimer *>(DeadlineName, Qt::FindDirectChildrenOnly);
    if (way == Way::WebSocket) {
        delete deadline;
        emit webSocketArrived(socket);
        return;
    }
    deadline->start(WebConnectionMs);
    addPendingConnection(socket);
    emit newConnection();
    // The web server listens for new data; what came already is waiting.
    emit socket->readyRead();
}

void FrontDoor::refuse(QTcpSocket *socket)
{
    disconnect(reading.take(socket));
    socket->write("HTTP/1.1 400 Bad Request\r\nConnection: close\r\nContent-Length: 0\r\n\r\n");
    socket->disconnectFromHost();
    QTimer::singleShot(1000, socket, [socket] { socket->abort(); });
}
