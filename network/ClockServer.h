// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FrontDoor.h"
#include "PinGate.h"
#include "RemoteButtons.h"
#include "ViewerLink.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHttpServer>
#include <QObject>
#include <QTimer>

class AnnouncingSoundPlayer;
struct ArcherScreen;
class TForm1;
class ViewerLink;

// Serves the clock to web browsers on the local network: the archers' screen
// at "/" for any number of follow displays (up to a limit), the counter on a
// transparent background at "/overlay" for broadcasting software, and the
// clock's buttons at "/remote" for a phone that knows the PIN. Every change
// of the screen and every horn signal goes to every browser at once over its
// WebSocket; a heartbeat each second lets a page notice a lost connection.
// Nothing a browser sends changes anything but through the clock's buttons.
// When every viewer place is taken, the address holding the most gives its
// oldest follow display's place to a newcomer from an address holding fewer.
class ClockServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxViewers = 64;
    static constexpr int MaxMessagesPerSecond = 10;
    static constexpr int MaxMessageBytes = ViewerLink::MaxMessageBytes;
    static constexpr qint64 MaxUnsentBytes = 64 * 1024;
    static constexpr int BeatMs = 1000;

    // horns may be null (no horns in the browser); hornFolder holds the WAVs.
    ClockServer(TForm1 &form, AnnouncingSoundPlayer *horns, const QString &hornFolder, QObject *parent = nullptr);
    ~ClockServer() override;

    // Lets a phone press these buttons too: those of a mode beside the
    // clock's own sequence (finals), pushed to the phones at once.
    void AllowRemote(const QList<QPushButton *> &more);

    // Listens on every IPv6 and IPv4 address, or on every IPv4 address where
    // the machine has no IPv6; port 0 takes any free port.
    bool Listen(quint16 port);
    QString ErrorText() const { return door->errorString(); }
    quint16 Port() const { return door->serverPort(); }
    const QString &Pin() const { return gate.Pin(); }
    int Viewers() const { return int(viewers.size()); }

    // What to type on a display: every non-loopback IPv4 address of this
    // machine with the port, then every global IPv6 one.
    static QStringList Addresses(quint16 port);

private:
    struct Viewer
    {
        QString address;
        qint64 arrived = 0;
        bool remote = false;
        qint64 secondStarted = 0;
        int messages = 0;
    };

    void routePages();
    void arrive(QTcpSocket *socket, const QByteArray &key);
    bool makeRoomFor(const QString &address);
    void welcome(ViewerLink *socket);
    void drop(ViewerLink *socket);
    void readMessage(ViewerLink *socket, const QString &text);
    bool withinRate(Viewer &viewer);
    void press(ViewerLink *socket, std::uint32_t list, int button);
    void sendScreen(const ArcherScreen &screen);
    void sendToAll(const QString &message, bool remotesOnly = false);
    void lookAtButtons();
    QByteArray pictureJpeg(int number);
    QByteArray headOf(const QByteArray &path);

    TForm1 &form;
    // The servers are children of this object: the web server takes the
    // front door as its own once bound to it.
    FrontDoor *door;
    QHttpServer *http;
    QHash<ViewerLink *, Viewer> viewers;
    qint64 arrivals = 0;
    PinGate gate;
    RemoteButtons *buttons;
    QElapsedTimer clock;
    QTimer beat;
    QTimer buttonLook;
    QHash<QString, QByteArray> hornFiles;
    int pictureNumber = 0;
    qint64 pictureKey = 0;
    QByteArray pictureCache;
    QString screenMessage;
};
