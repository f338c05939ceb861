// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrontDoor.h"

#include <QHostAddress>
#include <QList>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

// The open connections, counted by something each connection owns, so a
// place is given back however the connection ends.
struct FrontDoor::Places
{
    int open = 0;
    QHash<QString, int> byAddress;
};

namespace {

const QString DeadlineName = QStringLiteral("deadline");
const QString PlaceName = QStringLiteral("place");

// A connection's place: a child of its socket, given back when the socket
// disconnects or is destroyed, whichever comes first.
class Place : public QObject
{
public:
    Place(QTcpSocket *socket, std::shared_ptr<FrontDoor::Places> places, QString address)
        : QObject(socket), places(std::move(places)), address(std::move(address))
    {
        setObjectName(PlaceName);
        ++this->places->open;
        ++this->places->byAddress[this->address];
        connect(socket, &QTcpSocket::disconnected, this, &Place::Release);
    }
    ~Place() override { Release(); }

    void Release()
    {
        if (released)
            return;
        released = true;
        --places->open;
        if (--places->byAddress[address] <= 0)
            places->byAddress.remove(address);
    }

private:
    std::shared_ptr<FrontDoor::Places> places;
    QString address;
    bool released = false;
};

void release(QTcpSocket *socket)
{
    if (auto *place = socket->findChild<Place *>(PlaceName, Qt::FindDirectChildrenOnly))
        place->Release();
}

// The head of a request as the front door needs it: the request line's
// method and path, and the few header fields that decide the way.
struct Head
{
    QByteArray method;
    QByteArray path;
    QByteArray host;
    QByteArray origin;
    QByteArray key;
    QByteArray version;
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
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "upgrade")
            result.upgrade = value.toLower() == "websocket";
        else if (name == "transfer-encoding" || (name == "content-length" && value != "0"))
            result.body = true;
        else if (name == "host")
            result.host = value.toLower();
        else if (name == "origin")
            result.origin = value.toLower();
        else if (name == "sec-websocket-key")
            result.key = value;
        else if (name == "sec-websocket-version")
            result.version = value;
    }
    result.wellFormed = true;
    return result;
}

enum class Way { Wait, Web, Head, WebSocket, Refuse };

Way judge(const QByteArray &peeked, Head *head, qsizetype *length)
{
    const qsizetype end = peeked.indexOf("\r\n\r\n");
    if (end < 0)
        return peeked.size() > FrontDoor::MaxHeadBytes ? Way::Refuse : Way::Wait;
    *length = end + 4;
    *head = readHeadFields(peeked.left(end));
    // Only reading is offered: no request carries a body, and a connection
    // carries one request.
    if (!head->wellFormed || (head->method != "GET" && head->method != "HEAD") || head->body ||
        !head->path.startsWith('/') || peeked.size() > *length)
        return Way::Refuse;
    if (head->method == "HEAD")
        return head->upgrade ? Way::Refuse : Way::Head;
    if (!head->upgrade)
        return Way::Web;
    // A browser names the page that opens the WebSocket; only the server's
    // own pages may, and a client that names none.
    const bool ownPage = head->origin.isEmpty() || head->origin == "http://" + head->host;
    const bool handshake = QByteArray::fromBase64(head->key).size() == 16 && head->version == "13";
    return head->path == "/ws" && ownPage && handshake && !head->host.isEmpty() ? Way::WebSocket : Way::Refuse;
}

} // namespace

FrontDoor::FrontDoor(QObject *parent) : QTcpServer(parent), places(std::make_shared<Places>())
{
    clock.start();
}

int FrontDoor::OpenConnections() const
{
    return places->open;
}

QString FrontDoor::AddressOf(const QAbstractSocket *socket)
{
    const QHostAddress peer = socket->peerAddress();
    bool mapped = false;
    const quint32 v4 = peer.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4).toString() : peer.toString();
}

bool FrontDoor::tooFast(const QString &address)
{
    const qint64 now = clock.elapsed();
    if (arrivals.size() > 4 * MaxConnections) {
        for (auto at = arrivals.begin(); at != arrivals.end();)
            at = at->isEmpty() || now - at->last() >= 1000 ? arrivals.erase(at) : std::next(at);
    }
    QList<qint64> &times = arrivals[address];
    times.removeIf([now](qint64 at) { return now - at >= 1000; });
    if (times.size() >= MaxNewConnectionsPerSecond)
        return true;
    times.append(now);
    return false;
}

namespace {

bool evict(QTcpSocket *socket)
{
    release(socket);
    socket->abort();
    return true;
}

} // namespace

void FrontDoor::makeRoomToRead()
{
    others.removeIf([](const Other &other) {
        return other.socket.isNull() || other.socket->state() != QAbstractSocket::ConnectedState;
    });
    const auto reading = [](const Other &other) { return !other.web; };
    if (std::count_if(others.cbegin(), others.cend(), reading) >= MaxReadingHeads)
        evict(std::find_if(others.cbegin(), others.cend(), reading)->socket);
}

bool FrontDoor::makeRoomFor(const QString &address)
{
    const auto biggest = std::max_element(places->byAddress.cbegin(), places->byAddress.cend());
    if (biggest != places->byAddress.cend() && *biggest > places->byAddress.value(address) + 1) {
        const QString holder = biggest.key();
        for (const Other &other : std::as_const(others)) {
            if (AddressOf(other.socket) == holder)
                return evict(other.socket);
        }
    }
    if (!others.isEmpty() && clock.elapsed() - others.first().opened > SlowMs)
        return evict(others.first().socket);
    return false;
}

void FrontDoor::incomingConnection(qintptr descriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    const QString address = AddressOf(socket);
    const bool fast = tooFast(address);
    if (!fast)
        makeRoomToRead();
    if (fast || (places->open >= MaxConnections && !makeRoomFor(address))) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    new Place(socket, places, address);
    others.append({socket, clock.elapsed()});
    // The socket never holds more than this unread; a client that sends
    // faster simply waits.
    socket->setReadBufferSize(MaxHeadBytes * 2);
    auto *deadline = new QTimer(socket);
    deadline->setObjectName(DeadlineName);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, socket, [socket] { socket->abort(); });
    deadline->start(HeadWaitMs);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readHead(socket); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void FrontDoor::readHead(QTcpSocket *socket)
{
    Head head;
    qsizetype length = 0;
    const Way way = judge(socket->peek(MaxHeadBytes + 1), &head, &length);
    if (way == Way::Wait)
        return;
    if (way == Way::Refuse) {
        refuse(socket);
        return;
    }
    if (way == Way::Head) {
        const QByteArray answer = HeadAnswer ? HeadAnswer(head.path) : QByteArray();
        refuse(socket, answer.isEmpty() ? "HTTP/1.1 404 Not Found\r\nConnection: close\r\nContent-Length: 0\r\n\r\n"
                                        : answer);
        return;
    }
    // From here the socket belongs to the server it goes to; only the
    // deadline stays, for web connections.
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    auto *deadline = socket->findChild<QTimer *>(DeadlineName, Qt::FindDirectChildrenOnly);
    if (way == Way::WebSocket) {
        delete deadline;
        others.removeIf([socket](const Other &other) { return other.socket == socket; });
        socket->read(length);
        emit webSocketArrived(socket, head.key);
        return;
    }
    deadline->start(WebConnectionMs);
    for (Other &other : others) {
        if (other.socket == socket)
            other.web = true;
    }
    passToWeb(socket);
}

void FrontDoor::passToWeb(QTcpSocket *socket)
{
    // The web server reads the one request waiting; anything sent after it
    // is a second request, which this connection does not carry. This is
    // connected before the web server's own reader, so it looks first.
    auto first = std::make_shared<bool>(true);
    connect(socket, &QTcpSocket::readyRead, this, [socket, first] {
        if (!std::exchange(*first, false) && socket->bytesAvailable() > 0)
            socket->abort();
    });
    // The answer says the connection closes; it does once the answer is out.
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
        if (socket->bytesToWrite() == 0)
            socket->disconnectFromHost();
    });
    addPendingConnection(socket);
    emit newConnection();
    // The web server listens for new data; what came already is waiting.
    emit socket->readyRead();
}

void FrontDoor::refuse(QTcpSocket *socket, const QByteArray &answer)
{
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    socket->write(answer.isEmpty() ? QByteArray("HTTP/1.1 400 Bad Request\r\nConnection: close\r\nContent-Length: 0\r\n\r\n")
                                   : answer);
    socket->disconnectFromHost();
    QTimer::singleShot(1000, socket, [socket] { socket->abort(); });
}
