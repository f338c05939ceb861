// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsMode.h"
#include "FinalsSetup.h"
#include "NetworkPage.h"
#include "PinGate.h"
#include "RemoteCommand.h"
#include "ServedClock.h"
#include "TCounterLabel.h"
#include "TTimer.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QDialog>
#include <QJsonArray>
#include <QPushButton>
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
    void viewersBeyondTheLimitAreTurnedAway();
    void titleShowsAddressesOnlyWhileServing();
    void phoneRunsFinals();
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
    QTest::newRow("head beyond the limit")
        << "GET / HTTP/1.1\r\nX-Filler: " + QByteArray(FrontDoor::MaxHeadBytes + 10, 'a') << QByteArray() << 0;
    QTest::newRow("request with a body") << QByteArray("POST / HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello")
                                         << QByteArray() << 0;
    QTest::newRow("not a request") << QByteArray("\x16\x03\x01\x02\x00\r\n\r\n", 9) << QByteArray() << 0;
    QTest::newRow("upgrade elsewhere")
        << QByteArray("GET / HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n\r\n") << QByteArray()
        << 0;
    QTest::newRow("message beyond the limit") << QByteArray() << QByteArray(ClockServer::MaxMessageBytes + 1, 'p')
                                              << 1;
    QTest::newRow("not a command") << QByteArray() << QByteArray("start") << 1;
    QTest::newRow("flood") << QByteArray() << QByteArray("pin 000000") << ClockServer::MaxMessagesPerSecond + 1;
}

void tst_network::hostileInputIsRefused()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, message);
    QFETCH(int, times);
    ServedClock clock;
    if (!request.isEmpty()) {
        QVERIFY(!fetch(clock, request).contains("200 OK"));
    } else {
        Listener attacker(clock);
        QVERIFY(attacker.Last(QStringLiteral("screen")).size() > 0);
        for (int sent = 0; sent < times; ++sent)
            attacker.socket.sendTextMessage(QString::fromLatin1(message));
        QVERIFY(attacker.Closed());
    }
    QCOMPARE(clock.form.Phase, PhaseBeforeFirstStart);
    // The server goes on serving.
    QVERIFY(fetch(clock, "GET / HTTP/1.1\r\nHost: x\r\n\r\n").contains("200 OK"));
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

QTEST_MAIN(tst_network)
#include "tst_network.moc"
