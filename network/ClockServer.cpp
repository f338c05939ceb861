// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClockServer.h"

#include "AnnouncingSoundPlayer.h"
#include "RemoteCommand.h"
#include "ScreenMessage.h"
#include "Unit1.h"

#include <QBuffer>
#include <QFile>
#include <QHttpServerResponse>
#include <QNetworkInterface>
#include <QWebSocket>

#include <algorithm>

namespace {

// The picture goes to the browsers no larger than a full-HD screen needs.
constexpr int PictureWidth = 1920;
constexpr int PictureHeight = 1080;
constexpr int PictureQuality = 85;

QHttpServerResponse resource(const QString &path, const QByteArray &type)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    return QHttpServerResponse(type, file.readAll());
}

} // namespace

ClockServer::ClockServer(TForm1 &form, AnnouncingSoundPlayer *horns, const QString &hornFolder, QObject *parent)
    : QObject(parent), form(form), door(new FrontDoor(this)), http(new QHttpServer(this)),
      sockets(new QWebSocketServer(QStringLiteral("Vantix"), QWebSocketServer::NonSecureMode, this)),
      buttons(form.Panel1, {form.SetupKnap, form.OmKnap, form.AfslutKnap})
{
    clock.start();
    // The emergency stop's five blasts are served when the file is there.
    for (const char *name : {"1dyt.wav", "2dyt.wav", "3dyt.wav", "5dyt.wav"}) {
        QFile file(hornFolder + QLatin1String(name));
        if (file.open(QIODevice::ReadOnly))
            hornFiles.insert(QLatin1String(name), file.readAll());
    }
    routePages();
    sockets->setHandshakeTimeout(FrontDoor::HeadWaitMs);
    connect(door, &FrontDoor::webSocketArrived, this, [this](QTcpSocket *socket) { sockets->handleConnection(socket); });
    connect(sockets, &QWebSocketServer::newConnection, this, &ClockServer::acceptViewers);

    sendScreen(form.Published->Current());
    connect(form.Published, &ScreenPublisher::screenChanged, this, &ClockServer::sendScreen);
    if (horns != nullptr)
        connect(horns, &AnnouncingSoundPlayer::played, this,
                [this](const QString &name) { sendToAll(ScreenMessage::Horn(name)); });
    connect(&beat, &QTimer::timeout, this, [this] { sendToAll(ScreenMessage::Beat()); });
    connect(&buttonLook, &QTimer::timeout, this, &ClockServer::lookAtButtons);
}

ClockServer::~ClockServer()
{
    for (QWebSocket *socket : viewers.keys()) {
        socket->disconnect(this);
        delete socket;
    }
}

bool ClockServer::Listen(quint16 port)
{
    if (!door->listen(QHostAddress::AnyIPv4, port))
        return false;
    http->bind(door);
    beat.start(BeatMs);
    return true;
}

QStringList ClockServer::Addresses(quint16 port)
{
    QStringList addresses;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            addresses.append(QStringLiteral("http://%1:%2/").arg(address.toString()).arg(port));
    }
    return addresses;
}

void ClockServer::routePages()
{
    const auto get = QHttpServerRequest::Method::Get;
    http->route(QStringLiteral("/"), get,
               [] { return resource(QStringLiteral(":/network/index.html"), "text/html; charset=utf-8"); });
    http->route(QStringLiteral("/remote"), get,
               [] { return resource(QStringLiteral(":/network/remote.html"), "text/html; charset=utf-8"); });
    http->route(QStringLiteral("/link.js"), get,
                [] { return resource(QStringLiteral(":/network/link.js"), "text/javascript; charset=utf-8"); });
    http->route(QStringLiteral("/picture/<arg>"), get, [this](int number) {
        const QByteArray jpeg = pictureJpeg(number);
        if (jpeg.isEmpty())
            return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
        return QHttpServerResponse("image/jpeg", jpeg);
    });
    http->route(QStringLiteral("/horn/<arg>"), get, [this](const QString &name) {
        if (!hornFiles.contains(name))
            return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
        return QHttpServerResponse("audio/wav", hornFiles.value(name));
    });
}

void ClockServer::acceptViewers()
{
    while (QWebSocket *socket = sockets->nextPendingConnection()) {
        if (viewers.size() >= MaxViewers) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        welcome(socket);
    }
}

void ClockServer::welcome(QWebSocket *socket)
{
    socket->setParent(this);
    socket->setMaxAllowedIncomingFrameSize(MaxMessageBytes);
    socket->setMaxAllowedIncomingMessageSize(MaxMessageBytes);
    viewers.insert(socket, Viewer{socket->peerAddress().toString()});
    connect(socket, &QWebSocket::textMessageReceived, this,
            [this, socket](const QString &text) { readMessage(socket, text); });
    // Only short text commands are expected.
    connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket] { drop(socket); });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { drop(socket); });
    socket->sendTextMessage(screenMessage);
}

void ClockServer::drop(QWebSocket *socket)
{
    if (!viewers.remove(socket))
        return;
    socket->abort();
    socket->deleteLater();
    if (std::none_of(viewers.cbegin(), viewers.cend(), [](const Viewer &viewer) { return viewer.remote; }))
        buttonLook.stop();
}

bool ClockServer::withinRate(Viewer &viewer)
{
    const qint64 now = clock.elapsed();
    if (now - viewer.secondStarted >= 1000) {
        viewer.secondStarted = now;
        viewer.messages = 0;
    }
    return ++viewer.messages <= MaxMessagesPerSecond;
}

void ClockServer::readMessage(QWebSocket *socket, const QString &text)
{
    auto found = viewers.find(socket);
    if (found == viewers.end())
        return;
    Viewer &viewer = *found;
    const std::optional<RemoteCommand> command = RemoteCommand::Parse(text.toUtf8());
    if (!withinRate(viewer) || !command || (command->kind == RemoteCommand::Kind::Press && !viewer.remote)) {
        drop(socket);
        return;
    }
    if (command->kind == RemoteCommand::Kind::Press) {
        press(socket, command->list, command->button);
        return;
    }
    const PinGate::Verdict verdict = gate.Try(viewer.address, command->pin, clock.elapsed());
    viewer.remote = viewer.remote || verdict == PinGate::Verdict::Accepted;
    socket->sendTextMessage(ScreenMessage::PinAnswer(verdict == PinGate::Verdict::Accepted,
                                                     verdict == PinGate::Verdict::Waiting));
    if (verdict == PinGate::Verdict::Accepted) {
        buttons.Refresh();
        socket->sendTextMessage(ScreenMessage::Buttons(buttons.ListNumber(), buttons.Captions()));
        buttonLook.start(ButtonLookMs);
    }
}

void ClockServer::press(QWebSocket *socket, std::uint32_t list, int button)
{
    // The click runs after this message is done with: a handler may open a
    // message box, whose loop goes on reading the network.
    QPointer<QWebSocket> asker(socket);
    QTimer::singleShot(0, this, [this, asker, list, button] {
        const bool pressed = buttons.Press(list, button);
        if (!pressed && asker != nullptr && viewers.contains(asker))
            asker->sendTextMessage(ScreenMessage::Refused());
        lookAtButtons();
    });
}

void ClockServer::lookAtButtons()
{
    if (buttons.Refresh())
        sendToAll(ScreenMessage::Buttons(buttons.ListNumber(), buttons.Captions()), true);
}

void ClockServer::sendScreen(const ArcherScreen &screen)
{
    const bool picture = screen.pictureShown && !screen.picture.isNull();
    if (picture && screen.picture.cacheKey() != pictureKey) {
        pictureKey = screen.picture.cacheKey();
        ++pictureNumber;
        pictureCache.clear();
    }
    screenMessage = ScreenMessage::Screen(screen, picture ? pictureNumber : 0);
    sendToAll(screenMessage);
}

void ClockServer::sendToAll(const QString &message, bool remotesOnly)
{
    // A write that fails drops its viewer at once, so the list is walked
    // from a copy of its keys.
    const QList<QWebSocket *> targets = viewers.keys();
    for (QWebSocket *socket : targets) {
        const auto found = viewers.constFind(socket);
        if (found == viewers.cend() || (remotesOnly && !found->remote))
            continue;
        // A display that has stopped reading (a television asleep with its
        // connection still open) would make its unsent messages grow all
        // day; it is closed and reconnects when it wakes.
        if (socket->bytesToWrite() > MaxUnsentBytes) {
            socket->abort();
            continue;
        }
        // Out at once, not after the main window has repainted its counter.
        socket->sendTextMessage(message);
        socket->flush();
    }
}

QByteArray ClockServer::pictureJpeg(int number)
{
    const ArcherScreen &screen = form.Published->Current();
    if (number != pictureNumber || screen.picture.isNull() || screen.picture.cacheKey() != pictureKey)
        return QByteArray();
    if (pictureCache.isEmpty()) {
        QImage image = screen.picture;
        if (image.width() > PictureWidth || image.height() > PictureHeight)
            image = image.scaled(PictureWidth, PictureHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QBuffer buffer(&pictureCache);
        buffer.open(QIODevice::WriteOnly);
        image.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPG", PictureQuality);
    }
    return pictureCache;
}
