// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsMode.h"
#include "FinalsSetup.h"
#include "NetworkPage.h"
#include "PinGate.h"
#include "QrPicture.h"
#include "RemoteCommand.h"
#include "ServedClock.h"
#include "TCounterLabel.h"
#include "TTimer.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <vector>

namespace {

QString wrongPin(const QString &pin)
{
    QString wrong = pin;
    wrong[0] = QChar(u'0' + (pin[0].unicode() - u'0' + 1) % 10);
    return wrong;
}

bool complete(const QByteArray &answer)
{
    const qsizetype headEnd = answer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const QRegularExpression length(QStringLiteral("content-length: *([0-9]+)"),
                                    QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = length.match(QString::fromLatin1(answer.left(headEnd)));
    return match.hasMatch() && answer.size() - headEnd - 4 >= match.captured(1).toLongLong();
}

// What a plain web request gets back: the whole answer, once the server closes
// or the answer is complete.
QByteArray fetch(const ServedClock &clock, const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, clock.server->Port());
    if (!socket.waitForConnected(5000))
        return QByteArray();
    socket.write(request);
    QByteArray answer;
    (void)QTest::qWaitFor([&] {
        answer += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState || complete(answer);
    }, 5000);
    return answer + socket.readAll();
}

// What a phone's camera reads from a QR code, through zbar's reader.
QString readCode(const QImage &code)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("code.png"));
    if (code.isNull() || !code.save(file))
        return QString();
    QProcess reader;
    reader.start(QStandardPaths::findExecutable(QStringLiteral("zbarimg")),
                 {QStringLiteral("--raw"), QStringLiteral("-q"), file});
    reader.waitForFinished(10000);
    return QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
}

// A WebSocket client made by hand, from a loopback address of its own, for
// what a well-behaved client library never sends.
struct RawClient
{
    QTcpSocket socket;
    QByteArray heard;

    RawClient(const ServedClock &clock, const QString &from)
    {
        socket.bind(QHostAddress(from));
        socket.connectToHost(QHostAddress::LocalHost, clock.server->Port());
        port = clock.server->Port();
    }

    // Sends the handshake; true when the server switched to WebSocket.
    bool Upgrade(const QByteArray &origin = QByteArray())
    {
        if (!socket.waitForConnected(5000))
            return false;
        QByteArray head = "GET /ws HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                          "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                          "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n";
        if (!origin.isEmpty())
            head += "Origin: " + origin + "\r\n";
        socket.write(head + "\r\n");
        (void)QTest::qWaitFor([&] {
            heard += socket.readAll();
            return heard.contains("\r\n\r\n") || socket.state() == QAbstractSocket::UnconnectedState;
        }, 5000);
        const bool switched = heard.startsWith("HTTP/1.1 101");
        heard = heard.mid(heard.indexOf("\r\n\r\n") + 4);
        return switched;
    }

    void Frame(int opcode, const QByteArray &payload, bool fin = true, bool masked = true)
    {
        QByteArray frame(1, char((fin ? 0x80 : 0) | opcode));
        frame.append(char((masked ? 0x80 : 0) | payload.size()));
        const QByteArray mask = masked ? QByteArray("\x12\x34\x56\x78") : QByteArray();
        frame.append(mask);
        for (qsizetype at = 0; at < payload.size(); ++at)
            frame.append(masked ? char(payload[at] ^ mask[at % 4]) : payload[at]);
        socket.write(frame);
    }

    // The next text message of that kind the server sends.
    QJsonObject Next(const QString &kind)
    {
        QJsonObject found;
        (void)QTest::qWaitFor([&] {
            heard += socket.readAll();
            // A server's frame is unmasked; a length of 126 is followed by
            // the length in two bytes (a screen with finals is longer than 125).
            while (heard.size() >= 2) {
                const int shortLength = quint8(heard[1]) & 0x7f;
                const int start = shortLength == 126 ? 4 : 2;
                if (heard.size() < start)
                    break;
                const int length = shortLength == 126 ? (quint8(heard[2]) << 8 | quint8(heard[3])) : shortLength;
                if (heard.size() < start + length)
                    break;
                const QJsonObject message = QJsonDocument::fromJson(heard.mid(start, length)).object();
                heard.remove(0, start + length);
                if (message["t"].toString() == kind) {
                    found = message;
                    return true;
                }
            }
            return false;
        }, 5000);
        return found;
    }

    bool Closed(int ms)
    {
        return QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, ms);
    }

    quint16 port = 0;
};

QString loopback(int third, int fourth)
{
    return QStringLiteral("127.0.%1.%2").arg(third).arg(fourth);
}

// The ways a client tries to wear the server down, beside plain bad requests
// and messages.
enum Attack {
    None,
    PlacesEndedByClients,
    OneAddressCrowds,
    PinsFromManyAddresses,
    ContinuationFlood,
    PingFlood,
    ReconnectStorm,
    ForeignOrigin,
    UnmaskedFrame,
};

// True when the server withstood the attack as it should.
bool withstands(ServedClock &clock, int attack)
{
    switch (attack) {
    case PlacesEndedByClients:
        // More connections than there are places, each ended by the client.
        for (int at = 0; at < 2 * FrontDoor::MaxConnections + 8; ++at) {
            RawClient display(clock, loopback(1, at % 4 + 1));
            if (display.Upgrade())
                (void)display.Next(QStringLiteral("screen"));
            display.socket.disconnectFromHost();
            (void)QTest::qWaitFor([&] { return clock.server->Viewers() == 0; }, 2000);
        }
        return true;
    case OneAddressCrowds: {
        std::vector<std::unique_ptr<RawClient>> crowd;
        for (int viewer = 0; viewer < ClockServer::MaxViewers; ++viewer) {
            crowd.push_back(std::make_unique<RawClient>(clock, loopback(2, 1)));
            if (!crowd.back()->Upgrade())
                return false;
        }
        RawClient other(clock, loopback(2, 2));
        return other.Upgrade() && !other.Next(QStringLiteral("screen")).isEmpty() &&
               clock.server->Viewers() == ClockServer::MaxViewers;
    }
    case PinsFromManyAddresses: {
        const QString wrong = wrongPin(clock.server->Pin());
        for (int address = 1; address <= PinGate::AllTriesPerMinute; ++address) {
            RawClient phone(clock, loopback(3, address));
            if (!phone.Upgrade())
                return false;
            phone.Frame(0x1, "pin " + wrong.toLatin1());
            if (phone.Next(QStringLiteral("pin"))["wait"].toBool())
                return false;
        }
        RawClient next(clock, loopback(3, 200));
        next.Upgrade();
        next.Frame(0x1, "pin " + clock.server->Pin().toLatin1());
        return next.Next(QStringLiteral("pin"))["wait"].toBool();
    }
    case ContinuationFlood:
    case PingFlood: {
        RawClient flooder(clock, loopback(4, 1));
        if (!flooder.Upgrade())
            return false;
        if (attack == ContinuationFlood)
            flooder.Frame(0x1, "p", false);
        for (int frame = 0; frame < 1000; ++frame)
            flooder.Frame(attack == ContinuationFlood ? 0x0 : 0x9, QByteArray(), attack == PingFlood);
        return flooder.Closed(1000);
    }
    case ReconnectStorm: {
        // Batches of connections, each of which asks for the page and goes.
        QElapsedTimer storm;
        storm.start();
        int served = 0, refused = 0;
        for (int batch = 0; batch < 6; ++batch) {
            std::vector<std::unique_ptr<QTcpSocket>> wave;
            for (int at = 0; at < 50; ++at) {
                wave.push_back(std::make_unique<QTcpSocket>());
                wave.back()->bind(QHostAddress(loopback(5, 1)));
                wave.back()->connectToHost(QHostAddress::LocalHost, clock.server->Port());
                wave.back()->write("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
            }
            for (auto &socket : wave) {
                QByteArray answer;
                (void)QTest::qWaitFor([&] {
                    answer += socket->readAll();
                    return answer.contains("200 OK") || socket->state() == QAbstractSocket::UnconnectedState;
                }, 5000);
                answer += socket->readAll();
                (answer.contains("200 OK") ? served : refused) += 1;
            }
        }
        const qint64 seconds = storm.elapsed() / 1000 + 1;
        return refused > 0 && served <= FrontDoor::MaxNewConnectionsPerSecond * seconds;
    }
    case ForeignOrigin: {
        RawClient page(clock, loopback(6, 1));
        return !page.Upgrade("http://elsewhere.example");
    }
    case UnmaskedFrame: {
        RawClient client(clock, loopback(6, 2));
        if (!client.Upgrade())
            return false;
        client.Frame(0x1, "pin 000000", true, false);
        return client.Closed(1000);
    }
    default:
        return true;
    }
}

} // namespace

class tst_network : public QObject
{
    Q_OBJECT
private slots:
    void remoteCommand_data();
    void remoteCommand();
    void wrongPinsWaitAMinute();
    void viewersHearEveryChangeAndSignal();
    void remotePressesOnlyWithThePin();
    void hostileInputIsRefused_data();
    void hostileInputIsRefused();
    void webAnswersAsHttpSays_data();
    void webAnswersAsHttpSays();
    void wrongPinsFromEverywhereMakeEveryoneWait();
    void servesIpv6WhereTheMachineHasIt();
    void viewersBeyondTheLimitAreTurnedAway();
    void titleShowsAddressesOnlyWhileServing();
    void phoneRunsFinals();
    void pageShowsCodesAPhoneReads();
};

void tst_network::remoteCommand_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("button");
    QTest::newRow("pin") << QByteArray("pin 012345") << true << -1;
    QTest::newRow("press") << QByteArray("press 7 2") << true << 2;
    QTest::newRow("short pin") << QByteArray("pin 12345") << false << -1;
    QTest::newRow("pin with letters") << QByteArray("pin 12a456") << false << -1;
    QTest::newRow("extra space") << QByteArray("press 7  2") << false << -1;
    QTest::newRow("signed") << QByteArray("press -1 2") << false << -1;
    QTest::newRow("huge list") << QByteArray("press 99999999999 0") << false << -1;
    QTest::newRow("button beyond a row") << QByteArray("press 1 100") << false << -1;
    QTest::newRow("upper case") << QByteArray("PIN 123456") << false << -1;
    QTest::newRow("trailing newline") << QByteArray("pin 123456\n") << false << -1;
    QTest::newRow("too long") << QByteArray("press 1 1").append(RemoteCommand::MaxLength, ' ') << false << -1;
    QTest::newRow("empty") << QByteArray() << false << -1;
}

void tst_network::remoteCommand()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, read);
    QFETCH(int, button);
    const std::optional<RemoteCommand> command = RemoteCommand::Parse(text);
    QCOMPARE(command.has_value(), read);
    if (command && button >= 0)
        QCOMPARE(command->button, button);
}

void tst_network::wrongPinsWaitAMinute()
{
    PinGate gate;
    const QString pin = gate.Pin();
    QVERIFY(QRegularExpression(QStringLiteral("^[0-9]{6}$")).match(pin).hasMatch());
    for (int tries = 0; tries < PinGate::TriesPerMinute; ++tries)
        QCOMPARE(gate.Try(QStringLiteral("10.0.0.9"), wrongPin(pin), 1000 * tries), PinGate::Verdict::Wrong);
    // Even the right PIN waits now, but only from that address.
    QCOMPARE(gate.Try(QStringLiteral("10.0.0.9"), pin, 10000), PinGate::Verdict::Waiting);
    QCOMPARE(gate.Try(QStringLiteral("10.0.0.8"), pin, 10000), PinGate::Verdict::Accepted);
    QCOMPARE(gate.Try(QStringLiteral("10.0.0.9"), pin, 60000), PinGate::Verdict::Accepted);
}

void tst_network::viewersHearEveryChangeAndSignal()
{
    ServedClock clock;
    Listener viewer(clock);
    QCOMPARE(viewer.Last(QStringLiteral("screen"))["shown"].toBool(), false);

    clock.form.StartKnap->click();
    QTRY_COMPARE(viewer.Last(QStringLiteral("horn"))["name"].toString(), QStringLiteral("2dyt.wav"));
    QCOMPARE(clock.platform.sound.played, QStringList{QStringLiteral("2dyt.wav")});
    clock.form.Timer1Timer();
    QTRY_COMPARE(viewer.Last(QStringLiteral("screen"))["text"].toString(), clock.form.SekunderTilbage->text());
    const QJsonObject screen = viewer.Last(QStringLiteral("screen"));
    QVERIFY(screen["shown"].toBool());
    QCOMPARE(screen["color"].toString(), QStringLiteral("#ff0000"));

    // The ready screen's picture comes by its number, as a JPEG.
    clock.form.Published->Change([](ArcherScreen &shown) {
        shown.pictureShown = true;
        shown.picture = QImage(64, 48, QImage::Format_RGB32);
        shown.picture.fill(Qt::blue);
    });
    int picture = 0;
    QTRY_VERIFY((picture = viewer.Last(QStringLiteral("screen"))["picture"].toInt()) > 0);
    const QByteArray answer = fetch(clock, QStringLiteral("GET /picture/%1 HTTP/1.1\r\n\r\n").arg(picture).toLatin1());
    QVERIFY(answer.contains("image/jpeg"));
    QCOMPARE(QImage::fromData(answer.mid(answer.indexOf("\r\n\r\n") + 4), "JPG").size(), QSize(64, 48));

    // A viewer that comes later gets the screen as it is now.
    Listener late(clock);
    QCOMPARE(late.Last(QStringLiteral("screen"))["text"].toString(), clock.form.SekunderTilbage->text());
    QCOMPARE(clock.server->Viewers(), 2);
}

void tst_network::remotePressesOnlyWithThePin()
{
    ServedClock clock;
    // A button a rule adds to the row is not the clock's: no phone presses it.
    auto *added = new QPushButton(QStringLiteral("Added"), clock.form.Panel1);
    added->show();
    Listener stranger(clock);
    QVERIFY(stranger.Last(QStringLiteral("screen")).size() > 0);
    stranger.socket.sendTextMessage(QStringLiteral("press 1 0"));
    QVERIFY(stranger.Closed());

    Listener phone(clock);
    phone.socket.sendTextMessage(QStringLiteral("pin ") + wrongPin(clock.server->Pin()));
    QCOMPARE(phone.Last(QStringLiteral("pin"))["ok"].toBool(), false);
    phone.socket.sendTextMessage(QStringLiteral("pin ") + clock.server->Pin());
    QJsonObject buttons = phone.Last(QStringLiteral("buttons"));
    QStringList captions = buttons["captions"].toVariant().toStringList();
    QCOMPARE(captions, QStringList{clock.form.StartKnap->text().remove(u'&')});
    QCOMPARE(clock.form.Phase, PhaseBeforeFirstStart);

    // While the operator has a dialog open, the phone's press waits for nobody.
    auto *dialog = new QDialog(&clock.form);
    dialog->setModal(true);
    dialog->show();
    phone.socket.sendTextMessage(QStringLiteral("press %1 0").arg(buttons["list"].toInteger()));
    QVERIFY(phone.Last(QStringLiteral("refused")).size() > 0);
    QCOMPARE(clock.form.Phase, PhaseBeforeFirstStart);
    delete dialog;

    phone.socket.sendTextMessage(QStringLiteral("press %1 0").arg(buttons["list"].toInteger()));
    QTRY_COMPARE(clock.form.Phase, PhaseRed);
    QVERIFY(clock.form.SekunderTilbage->isVisibleTo(&clock.form));
    // The row has changed under the phone: the new list shows Stop time too.
    QTRY_VERIFY(phone.Last(QStringLiteral("buttons"))["captions"].toArray().size() == 2);
}

void tst_network::hostileInputIsRefused_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("served");
    QTest::addColumn<int>("attack");
    QTest::newRow("head beyond the limit")
        << "GET / HTTP/1.1\r\nX-Filler: " + QByteArray(FrontDoor::MaxHeadBytes + 10, 'a') << QByteArray() << 0 << 0
        << int(None);
    QTest::newRow("request with a body") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello")
                                         << QByteArray() << 0 << 0 << int(None);
    QTest::newRow("not a request") << QByteArray("\x16\x03\x01\x02\x00\r\n\r\n", 9) << QByteArray() << 0 << 0
                                   << int(None);
    QTest::newRow("upgrade elsewhere")
        << QByteArray("GET / HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n") << QByteArray()
        << 0 << 0 << int(None);
    QTest::newRow("pipelined oversized second request")
        << "GET / HTTP/1.1\r\nHost: x\r\n\r\nGET / HTTP/1.1\r\nX-Filler: " + QByteArray(12 * 1024, 'a') +
               "\r\n\r\n"
        << QByteArray() << 0 << 1 << int(None);
    QTest::newRow("message beyond the limit") << QByteArray() << QByteArray(ClockServer::MaxMessageBytes + 1, 'p')
                                              << 1 << 0 << int(None);
    QTest::newRow("not a command") << QByteArray() << QByteArray("start") << 1 << 0 << int(None);
    QTest::newRow("flood") << QByteArray() << QByteArray("pin 000000") << ClockServer::MaxMessagesPerSecond + 1
                           << 0 << int(None);
    QTest::newRow("places of connections the clients ended") << QByteArray() << QByteArray() << 0 << 0
                                                             << int(PlacesEndedByClients);
    QTest::newRow("one address holding every viewer place") << QByteArray() << QByteArray() << 0 << 0
                                                            << int(OneAddressCrowds);
    QTest::newRow("wrong PINs from many addresses") << QByteArray() << QByteArray() << 0 << 0
                                                    << int(PinsFromManyAddresses);
    QTest::newRow("continuation-frame flood") << QByteArray() << QByteArray() << 0 << 0 << int(ContinuationFlood);
    QTest::newRow("ping flood") << QByteArray() << QByteArray() << 0 << 0 << int(PingFlood);
    QTest::newRow("reconnect storm") << QByteArray() << QByteArray() << 0 << 0 << int(ReconnectStorm);
    QTest::newRow("page of another origin") << QByteArray() << QByteArray() << 0 << 0 << int(ForeignOrigin);
    QTest::newRow("unmasked frame") << QByteArray() << QByteArray() << 0 << 0 << int(UnmaskedFrame);
}

void tst_network::hostileInputIsRefused()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, message);
    QFETCH(int, times);
    QFETCH(int, served);
    QFETCH(int, attack);
    ServedClock clock;
    if (attack != None) {
        QVERIFY(withstands(clock, attack));
    } else if (!request.isEmpty()) {
        QVERIFY(fetch(clock, request).count("200 OK") <= served);
    } else {
        Listener attacker(clock);
        QVERIFY(attacker.Last(QStringLiteral("screen")).size() > 0);
        for (int sent = 0; sent < times; ++sent)
            attacker.socket.sendTextMessage(QString::fromLatin1(message));
        QVERIFY(attacker.Closed());
    }
    QCOMPARE(clock.form.Phase, PhaseBeforeFirstStart);
    // The server goes on serving, pages and displays, at once.
    QVERIFY(fetch(clock, "GET / HTTP/1.1\r\nHost: x\r\n\r\n").contains("200 OK"));
    Listener display(clock);
    QVERIFY(display.Last(QStringLiteral("screen"), 1000).size() > 0);
}

void tst_network::webAnswersAsHttpSays_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<bool>("body");
    QTest::newRow("HEAD: the head of the page, no body") << QByteArray("HEAD / HTTP/1.1\r\nHost: x\r\n\r\n") << false;
    QTest::newRow("Connection: close, closed after the answer")
        << QByteArray("GET /link.js HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n") << true;
}

void tst_network::webAnswersAsHttpSays()
{
    QFETCH(QByteArray, request);
    QFETCH(bool, body);
    ServedClock clock;
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, clock.server->Port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write(request);
    QByteArray answer;
    // Closed by the server well before the web connections' time is up.
    QVERIFY(QTest::qWaitFor([&] {
        answer += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState;
    }, 2000));
    answer += socket.readAll();
    QVERIFY2(answer.startsWith("HTTP/1.1 200"), answer.left(40).constData());
    const qsizetype headEnd = answer.indexOf("\r\n\r\n");
    const QByteArray get = fetch(clock, request.replace("HEAD ", "GET "));
    const QByteArray getBody = get.mid(get.indexOf("\r\n\r\n") + 4);
    QVERIFY(!getBody.isEmpty());
    QVERIFY(answer.toLower().contains("content-length: " + QByteArray::number(getBody.size())));
    QCOMPARE(answer.mid(headEnd + 4), body ? getBody : QByteArray());
}

void tst_network::wrongPinsFromEverywhereMakeEveryoneWait()
{
    PinGate gate;
    const QString pin = gate.Pin();
    qint64 now = 0, lastWait = 0;
    for (int round = 0; round < 3; ++round) {
        for (int tries = 0; tries < PinGate::AllTriesPerMinute; ++tries)
            QCOMPARE(gate.Try(QStringLiteral("10.1.0.%1").arg(tries), wrongPin(pin), now), PinGate::Verdict::Wrong);
        if (round == 2)
            break;
        // Every address waits, longer each time.
        const qint64 lockedAt = now;
        while (gate.Try(QStringLiteral("10.2.0.1"), wrongPin(pin), now) == PinGate::Verdict::Waiting)
            now += 1000;
        QVERIFY2(now - lockedAt > lastWait, "the wait did not grow");
        lastWait = now - lockedAt;
        now += 60 * 1000;
    }
    // The phone's right PIN waits too, and gets through once the wait is over.
    QCOMPARE(gate.Try(QStringLiteral("10.3.0.1"), pin, now), PinGate::Verdict::Waiting);
    while (gate.Try(QStringLiteral("10.3.0.1"), pin, now) == PinGate::Verdict::Waiting)
        now += 1000;
    QCOMPARE(gate.Try(QStringLiteral("10.3.0.1"), pin, now), PinGate::Verdict::Accepted);
}

void tst_network::servesIpv6WhereTheMachineHasIt()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHostIPv6))
        QSKIP("this machine has no IPv6 loopback");
    ServedClock clock;
    QWebSocket viewer;
    bool heard = false;
    QObject::connect(&viewer, &QWebSocket::textMessageReceived, [&](const QString &) { heard = true; });
    viewer.open(QUrl(QStringLiteral("ws://[::1]:%1/ws").arg(clock.server->Port())));
    QTRY_VERIFY(heard);
}

void tst_network::viewersBeyondTheLimitAreTurnedAway()
{
    ServedClock clock;
    std::vector<std::unique_ptr<Listener>> crowd;
    for (int viewer = 0; viewer < ClockServer::MaxViewers; ++viewer)
        crowd.push_back(std::make_unique<Listener>(clock));
    QTRY_COMPARE(clock.server->Viewers(), ClockServer::MaxViewers);
    Listener oneTooMany(clock);
    QVERIFY(oneTooMany.Closed());
    QCOMPARE(clock.server->Viewers(), ClockServer::MaxViewers);
}

void tst_network::titleShowsAddressesOnlyWhileServing()
{
    TestPlatform platform;
    TForm1 form;
    NetworkPage page(form, nullptr, QString());
    QVERIFY(page.Server() == nullptr);
    form.setWindowTitle(QStringLiteral("FletchWise - Cup"));
    QCOMPARE(form.windowTitle(), QStringLiteral("FletchWise - Cup"));

    QVERIFY(page.Serve(0));
    QVERIFY(page.StatusText().contains(page.Server()->Pin()));
    form.setWindowTitle(QStringLiteral("FletchWise - Final"));
    QVERIFY(form.windowTitle().startsWith(QStringLiteral("FletchWise - Final - ")));
    QVERIFY(!form.windowTitle().contains(page.Server()->Pin()));

    page.ServeBox->click();
    QVERIFY(page.Server() == nullptr);
    QCOMPARE(form.windowTitle(), QStringLiteral("FletchWise - Final"));
}

// With finals on, the phone offers the finals buttons, and its presses
// reach the finals clocks that every viewer hears.
void tst_network::phoneRunsFinals()
{
    ServedClock clock;
    FinalsMode *finals = AttachFinals(clock.form, nullptr, nullptr, nullptr);
    finals->Timer->SetInterval(3600 * 1000); // no tick during the test
    finals->SetOn(true);
    clock.server->AllowRemote(finals->Buttons());
    Listener phone(clock);
    QVERIFY(phone.Last(QStringLiteral("screen")).size() > 0);
    phone.socket.sendTextMessage(QStringLiteral("pin ") + clock.server->Pin());
    QJsonObject buttons;
    const QStringList ready = {uVantixStrings::FinalsStartButton, uVantixStrings::FinalsLeftStartsButton,
                               uVantixStrings::FinalsRightStartsButton};
    QTRY_COMPARE((buttons = phone.Last(QStringLiteral("buttons")))["captions"].toVariant().toStringList(), ready);
    const auto press = [&](const QString &caption) {
        const int at = int(buttons["captions"].toVariant().toStringList().indexOf(caption));
        phone.socket.sendTextMessage(QStringLiteral("press %1 %2").arg(buttons["list"].toInteger()).arg(at));
    };
    press(uVantixStrings::FinalsRightStartsButton);
    QTRY_COMPARE(finals->Engine.Starter(), FinalsScreen::Side::Right);
    press(uVantixStrings::FinalsStartButton);
    QTRY_COMPARE(finals->Engine.CurrentState(), FinalsEngine::State::WalkUp);
    // The walk-up counts on the side that starts.
    const auto finalsHeard = [&] { return phone.Last(QStringLiteral("screen"))["finals"].toObject(); };
    QTRY_COMPARE(finalsHeard()["right"].toObject()["text"].toString(), QStringLiteral("10"));
    const QJsonObject shown = finalsHeard();
    QCOMPARE(shown["shooting"].toString(), QStringLiteral("right"));
    QCOMPARE(shown["left"].toObject()["text"].toString(), QStringLiteral("20"));
    QCOMPARE(shown["left"].toObject()["arrows"].toInt(), 3);
    QTRY_VERIFY(phone.Last(QStringLiteral("buttons"))["captions"].toVariant().toStringList().contains(
        uVantixStrings::StopTimeButton));
}

void tst_network::pageShowsCodesAPhoneReads()
{
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        QSKIP("no QR reader (zbarimg) to read the codes");
    const QString remote = QStringLiteral("http://192.168.1.20:8080/remote");
    QCOMPARE(readCode(QrPicture::Make(remote, 3)), remote);

    TestPlatform platform;
    TForm1 form;
    NetworkPage page(form, nullptr, QString());
    QVERIFY(page.Serve(0));
    const QStringList addresses = ClockServer::Addresses(page.Server()->Port());
    QCOMPARE(page.FollowCode->isVisibleTo(&page), !addresses.isEmpty());
    if (!addresses.isEmpty()) {
        QCOMPARE(readCode(page.FollowCode->pixmap().toImage()), addresses[0]);
        QCOMPARE(readCode(page.RemoteCode->pixmap().toImage()), addresses[0] + QStringLiteral("remote"));
    }
    page.Stop();
    QVERIFY(!page.FollowCode->isVisibleTo(&page) && !page.RemoteCode->isVisibleTo(&page));
}

QTEST_MAIN(tst_network)
#include "tst_network.moc"
