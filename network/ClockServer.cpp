// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClockServer.h"

#include "AnnouncingSoundPlayer.h"
#include "RemoteCommand.h"
#include "ScreenMessage.h"
#include "Unit1.h"
#include "uVantixStrings.h"

#include <QBuffer>
#include <QFile>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QTcpSocket>

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

// The texts the pages show, from the text table, as a script of their own.
QByteArray pageTexts()
{
    QJsonObject texts;
    for (const uVantixStrings::TextEntry &entry : uVantixStrings::OptionEntries()) {
        if (qstrcmp(entry.section, "Network") == 0)
            texts.insert(QLatin1String(entry.key), *entry.value);
    }
    return "\"use strict\";\nconst texts = " + QJsonDocument(texts).toJson(QJsonDocument::Compact) + ";\n";
}

QByteArray answerHead(const QByteArray &type, qsizetype length)
{
    if (type.isEmpty())
        return "HTTP/1.1 404 Not Found\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";
    return "HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(length) +
           "\r\nConnection: close\r\n\r\n";
}

// The pages built into the program, by their paths.
struct Page
{
    const char *path;
    const char *resource;
    const char *type;
};
constexpr Page Pages[] = {
    {"/", ":/network/index.html", "text/html; charset=utf-8"},
    {"/remote", ":/network/remote.html", "text/html; charset=utf-8"},
    {"/overlay", ":/network/overlay.html", "text/html; charset=utf-8"},
    {"/link.js", ":/network/link.js", "text/javascript; charset=utf-8"},
};

} // namespace

ClockServer::ClockServer(TForm1 &form, AnnouncingSoundPlayer *horns, const QString &hornFolder, QObject *parent)
    : QObject(parent), form(form), door(new FrontDoor(this)), http(new QHttpServer(this)),
      // The clock's own buttons, and none that opens the operator's dialogs
      // or ends the program.
      buttons(new RemoteButtons({form.StartKnap, form.Afbryd_TidKnap, form.nulstilleknap, form.nulstilholdknap,
                                 form.ResumeKnap},
                                this))
{
    clock.start();
    // The emergency stop's five blasts are served when the file is there.
    for (const char *name : {"1dyt.wav", "2dyt.wav", "3dyt.wav", "5dyt.wav"}) {
        QFile file(hornFolder + QLatin1String(name));
        if (file.open(QIODevice::ReadOnly))
            hornFiles.insert(QLatin1String(name), file.readAll());
    }
    routePages();
    door->HeadAnswer = [this](const QByteArray &path) { return headOf(path); };
    connect(door, &FrontDoor::webSocketArrived, this, &ClockServer::arrive);

    sendScreen(form.Published->Current());
    connect(form.Published, &ScreenPublisher::screenChanged, this, &ClockServer::sendScreen);
    if (horns != nullptr)
        connect(horns, &AnnouncingSoundPlayer::played, this,
                [this](const QString &name) { sendToAll(ScreenMessage::Horn(name)); });
    connect(&beat, &QTimer::timeout, this, [this] { sendToAll(ScreenMessage::Beat()); });
    // What a phone may press is sent when it changes: a button shows, hides,
    // changes its state, or a handler has changed the screen (and captions).
    buttonLook.setSingleShot(true);
    buttonLook.setInterval(0);
    connect(&buttonLook, &QTimer::timeout, this, &ClockServer::lookAtButtons);
    connect(buttons, &RemoteButtons::mayHaveChanged, &buttonLook, qOverload<>(&QTimer::start));
    connect(form.Published, &ScreenPublisher::screenChanged, &buttonLook, qOverload<>(&QTimer::start));
}

ClockServer::~ClockServer()
{
    for (ViewerLink *socket : viewers.keys()) {
        socket->disconnect(this);
        delete socket;
    }
}

bool ClockServer::Listen(quint16 port)
{
    // Where the machine has no IPv6 the dual address cannot be opened.
    if (!door->listen(QHostAddress::Any, port) && !door->listen(QHostAddress::AnyIPv4, port))
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
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv6Protocol && address.isGlobal())
            addresses.append(QStringLiteral("http://[%1]:%2/").arg(address.toString()).arg(port));
    }
    return addresses;
}

void ClockServer::routePages()
{
    const auto get = QHttpServerRequest::Method::Get;
    for (const Page &page : Pages) {
        http->route(QLatin1String(page.path), get,
                    [page] { return resource(QLatin1String(page.resource), page.type); });
    }
    http->route(QStringLiteral("/texts.js"), get,
                [] { return QHttpServerResponse("text/javascript; charset=utf-8", pageTexts()); });
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
    // Each connection carries one request, and says so.
    http->afterRequest([](QHttpServerResponse &&response) {
        response.setHeader("Connection", "close");
        return std::move(response);
    });
}

QByteArray ClockServer::headOf(const QByteArray &path)
{
    for (const Page &page : Pages) {
        if (path == page.path) {
            QFile file(QLatin1String(page.resource));
            return answerHead(page.type, file.open(QIODevice::ReadOnly) ? file.size() : 0);
        }
    }
    if (path == "/texts.js")
        return answerHead("text/javascript; charset=utf-8", pageTexts().size());
    if (path.startsWith("/horn/") && hornFiles.contains(QString::fromLatin1(path.mid(6))))
        return answerHead("audio/wav", hornFiles.value(QString::fromLatin1(path.mid(6))).size());
    if (path.startsWith("/picture/")) {
        bool number = false;
        const QByteArray jpeg = pictureJpeg(path.mid(9).toInt(&number));
        if (number && !jpeg.isEmpty())
            return answerHead("image/jpeg", jpeg.size());
    }
    return answerHead(QByteArray(), 0);
}

void ClockServer::arrive(QTcpSocket *socket, const QByteArray &key)
{
    const QString address = FrontDoor::AddressOf(socket);
    if (viewers.size() >= MaxViewers && !makeRoomFor(address)) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    welcome(new ViewerLink(socket, key, [this] { return clock.elapsed(); }, this));
}

bool ClockServer::makeRoomFor(const QString &address)
{
    QHash<QString, int> held;
    for (const Viewer &viewer : std::as_const(viewers))
        ++held[viewer.address];
    const auto biggest = std::max_element(held.cbegin(), held.cend());
    if (biggest == held.cend() || *biggest <= held.value(address) + 1)
        return false;
    // The oldest follow display of that address; a phone only when it has
    // nothing else.
    ViewerLink *oldest = nullptr;
    for (auto at = viewers.cbegin(); at != viewers.cend(); ++at) {
        if (at->address != biggest.key())
            continue;
        const auto current = viewers.constFind(oldest);
        if (oldest == nullptr || std::pair(at->remote, at->arrived) < std::pair(current->remote, current->arrived))
            oldest = at.key();
    }
    drop(oldest);
    return true;
}

void ClockServer::welcome(ViewerLink *socket)
{
    viewers.insert(socket, Viewer{socket->Address(), ++arrivals});
    connect(socket, &ViewerLink::textReceived, this,
            [this, socket](const QByteArray &text) { readMessage(socket, QString::fromUtf8(text)); });
    connect(socket, &ViewerLink::closed, this, [this, socket] { drop(socket); });
    socket->SendText(screenMessage.toUtf8());
}

void ClockServer::drop(ViewerLink *socket)
{
    if (!viewers.remove(socket))
        return;
    socket->Abort();
    socket->deleteLater();
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

void ClockServer::readMessage(ViewerLink *socket, const QString &text)
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
    socket->SendText(ScreenMessage::PinAnswer(verdict == PinGate::Verdict::Accepted,
                                              verdict == PinGate::Verdict::Waiting)
                         .toUtf8());
    if (verdict == PinGate::Verdict::Accepted) {
        buttons->Refresh();
        socket->SendText(ScreenMessage::Buttons(buttons->ListNumber(), buttons->Captions()).toUtf8());
    }
}

void ClockServer::press(ViewerLink *socket, std::uint32_t list, int button)
{
    // The click runs after this message is done with: a handler may open a
    // message box, whose loop goes on reading the network.
    QPointer<ViewerLink> asker(socket);
    QTimer::singleShot(0, this, [this, asker, list, button] {
        const bool pressed = buttons->Press(list, button);
        if (!pressed && asker != nullptr && viewers.contains(asker))
            asker->SendText(ScreenMessage::Refused().toUtf8());
        lookAtButtons();
    });
}

void ClockServer::AllowRemote(const QList<QPushButton *> &more)
{
    buttons->Allow(more);
}

void ClockServer::lookAtButtons()
{
    if (buttons->Refresh())
        sendToAll(ScreenMessage::Buttons(buttons->ListNumber(), buttons->Captions()), true);
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
    const QByteArray text = message.toUtf8();
    const QList<ViewerLink *> targets = viewers.keys();
    for (ViewerLink *socket : targets) {
        const auto found = viewers.constFind(socket);
        if (found == viewers.cend() || (remotesOnly && !found->remote))
            continue;
        // A display that has stopped reading (a television asleep with its
        // connection still open) would make its unsent messages grow all
        // day; it is closed and reconnects when it wakes.
        if (socket->Unsent() > MaxUnsentBytes) {
            socket->Abort();
            continue;
        }
        // Out at once, not after the main window has repainted its counter.
        socket->SendText(text);
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
