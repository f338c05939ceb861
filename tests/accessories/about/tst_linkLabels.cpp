// SPDX-License-Identifier: GPL-3.0-or-later
// The link labels, driven by mouse input through the window system as a
// user gives it: enter, leave, presses and releases of each button, double
// clicks. The shell is a recorder.

// Mouse input goes through the window, so Qt itself delivers enter and
// leave, keeps the mouse with the pressed label and makes double clicks.
#define QTEST_QPA_MOUSE_HANDLING

#include "CLabels.h"
#include "EMailLabel.h"
#include "FakeMessageBoxes.h"
#include "FakeShell.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(Qt::MouseButton)

namespace {

// A shown window holding the label, with room around it for the pointer.
struct Stage
{
    FakeShell shell;
    FakeMessageBoxes messageBoxes;
    ScopedSeam<IShell> shellSeam{&shell};
    ScopedSeam<IMessageBoxes> messageBoxesSeam{&messageBoxes};
    QWidget form;
    TOHUrlLabel *url = new TOHUrlLabel(&form);
    TEMailLabel *mail = new TEMailLabel(&form);

    Stage()
    {
        form.setGeometry(100, 100, 400, 160);
        url->setObjectName(QStringLiteral("OHUrlLabel1"));
        url->SetCaption(QStringLiteral("www.fletchwise.example"));
        url->move(40, 30);
        mail->setObjectName(QStringLiteral("EMailLabel1"));
        mail->move(40, 90);
        form.show();
    }
};

void hover(QWidget *label)
{
    QTest::mouseMove(label, label->rect().center());
}

void moveOff(QWidget *label)
{
    QTest::mouseMove(label, QPoint(-15, -15));
}

bool drawnInColour(QWidget *label, TColor color)
{
    const QImage picture = label->grab().toImage();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (fromQColor(picture.pixelColor(x, y)) == color)
                return true;
    return false;
}

} // namespace

class tst_linkLabels : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { stage.reset(); }

    void defaults();
    void urlColoursThroughAVisit();
    void urlRelease_data();
    void urlRelease();
    void urlTargets();
    void urlPressMoveOffRelease();
    void urlFontColourRule();
    void urlLinkColourSetters();
    void urlWithoutWindowReportsError();
    void urlIgnoresBackAndForward();

    void mailEnterLeave_data();
    void mailEnterLeave();
    void mailClickStartsOneMail_data();
    void mailClickStartsOneMail();
    void mailColourAfterMail();
    void mailLongAddressPassesWhole();
    void mailEnterLeaveSetWholeStyle();

private:
    std::unique_ptr<Stage> stage;
};

void tst_linkLabels::init()
{
    stage = std::make_unique<Stage>();
    QVERIFY(QTest::qWaitForWindowExposed(&stage->form));
    // The pointer comes into the window and moves about in it before it
    // reaches a label, so the window system knows where it was.
    QTest::mouseMove(&stage->form, QPoint(2, 2));
    QTest::mouseMove(&stage->form, QPoint(3, 3));
}

void tst_linkLabels::defaults()
{
    TOHUrlLabel url;
    QCOMPARE(url.FontColor(), clBlue);
    QVERIFY(url.FontUnderline() && url.URL().isEmpty() && !url.Visited());
    QCOMPARE(QList<TColor>({url.LinkColor(), url.ALinkColor(), url.VLinkColor(), url.HotColor()}),
             QList<TColor>({clBlue, clRed, clNavy, clRed}));
    QCOMPARE(url.Cursor(), Qt::PointingHandCursor);
    TEMailLabel mail;
    QCOMPARE(mail.Caption(), QStringLiteral("info@fletchwise.example"));
    QCOMPARE(QList<TColor>({mail.FontColorAfter(), mail.FontColorin(), mail.FontColorOut()}),
             QList<TColor>({clMaroon, clBlue, clBlack}));
    QVERIFY(mail.Underline());
    QCOMPARE(mail.cursor().shape(), Qt::PointingHandCursor);
    mail.SetEMailAddress(QStringLiteral("judge@fletchwise.example"));
    QCOMPARE(mail.text(), QStringLiteral("judge@fletchwise.example"));
    mail.SetFontColorOut(clNavy);
    QCOMPARE(mail.FontColor(), clNavy);
}

void tst_linkLabels::urlColoursThroughAVisit()
{
    TOHUrlLabel *url = stage->url;
    hover(url);
    QCOMPARE(url->FontColor(), clRed);
    QVERIFY(drawnInColour(url, clRed));
    url->SetALinkColor(clGreen);
    QTest::mousePress(url, Qt::LeftButton);
    QCOMPARE(url->FontColor(), clGreen);
    QTest::mouseRelease(url, Qt::LeftButton);
    QCOMPARE(url->FontColor(), clNavy); // shown at once, the pointer still over it
    QVERIFY(url->Visited());
    QCOMPARE(stage->shell.calls.size(), 1);
    const FakeShell::Call &call = stage->shell.calls.first();
    QCOMPARE(call.owner.data(), &stage->form);
    QCOMPARE(call.operation, QStringLiteral("open"));
    QCOMPARE(call.file, QStringLiteral("www.fletchwise.example"));
    QCOMPARE(call.showCommand, SW_SHOW);
    moveOff(url);
    QCOMPARE(url->FontColor(), clNavy);
    hover(url);
    QCOMPARE(url->FontColor(), clRed);
    moveOff(url);
    QCOMPARE(url->FontColor(), clNavy);
    QCOMPARE(url->LinkColor(), clBlue);
    QCOMPARE(url->VLinkColor(), clNavy);
}

void tst_linkLabels::urlRelease_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("offset"); // from the bottom-right pixel, or from the centre when null
    QTest::addColumn<bool>("opens");
    const std::pair<const char *, Qt::MouseButton> buttons[] = {
        {"left", Qt::LeftButton}, {"right", Qt::RightButton}, {"middle", Qt::MiddleButton}};
    for (const auto &[name, button] : buttons) {
        const QByteArray b(name);
        QTest::newRow(b + ", inside") << button << QPoint() << true;
        QTest::newRow(b + ", column right of it") << button << QPoint(1, 0) << true;
        QTest::newRow(b + ", row below it") << button << QPoint(0, 1) << true;
        QTest::newRow(b + ", corner outside") << button << QPoint(1, 1) << true;
        QTest::newRow(b + ", two columns right") << button << QPoint(2, 0) << false;
        QTest::newRow(b + ", two rows below") << button << QPoint(0, 2) << false;
    }
    QTest::newRow("left, column left of it") << Qt::LeftButton << QPoint(-1000, 0) << false;
}

void tst_linkLabels::urlRelease()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, offset);
    QFETCH(bool, opens);
    TOHUrlLabel *url = stage->url;
    const QPoint lastPixel(url->width() - 1, url->height() - 1);
    QPoint at = offset.isNull() ? url->rect().center() : lastPixel + offset;
    if (at.x() < -100)
        at.setX(-1);
    QTest::mousePress(url, button, {}, url->rect().center());
    QCOMPARE(url->FontColor(), clRed);
    QTest::mouseRelease(url, button, {}, at);
    QCOMPARE(stage->shell.calls.size(), opens ? 1 : 0);
    QCOMPARE(url->Visited(), opens);
    moveOff(url);
    QCOMPARE(url->FontColor(), opens ? clNavy : clBlue);
}

// Each press and release of a double click opens the target.
void tst_linkLabels::urlTargets()
{
    TOHUrlLabel *url = stage->url;
    QTest::mouseDClick(url, Qt::LeftButton);
    url->SetURL(QStringLiteral("https://www.fletchwise.example/vantix"));
    QTest::mouseClick(url, Qt::LeftButton);
    QCOMPARE(stage->shell.files(), QStringList({"www.fletchwise.example", "www.fletchwise.example",
                                                "https://www.fletchwise.example/vantix"}));
}

void tst_linkLabels::urlPressMoveOffRelease()
{
    TOHUrlLabel *url = stage->url;
    url->SetALinkColor(clGreen);
    hover(url);
    QTest::mousePress(url, Qt::LeftButton);
    QTest::mouseMove(url, QPoint(url->width() + 30, url->height() / 2));
    QCOMPARE(url->FontColor(), clBlue);
    hover(url); // back over it with the button still down
    QCOMPARE(url->FontColor(), clGreen);
    QTest::mouseMove(url, QPoint(url->width() + 30, url->height() / 2));
    QTest::mouseRelease(url, Qt::LeftButton, {}, QPoint(url->width() + 30, url->height() / 2));
    QVERIFY(stage->shell.calls.isEmpty());
    QCOMPARE(url->FontColor(), clBlue);
    hover(url); // neither pressed nor left behind as pointer-inside
    QCOMPARE(url->FontColor(), clRed);
    QCOMPARE(url->LinkColor(), clBlue);
}

void tst_linkLabels::urlFontColourRule()
{
    TOHUrlLabel *url = stage->url;
    hover(url);
    url->SetFontColor(clGreen);
    QCOMPARE(url->FontColor(), clGreen);
    QVERIFY(drawnInColour(url, clGreen));
    QCOMPARE(url->LinkColor(), clBlue);
    QCOMPARE(url->VLinkColor(), clNavy);
    moveOff(url);
    url->SetFontColor(clGreen); // at rest: the rest colour of its state
    QCOMPARE(url->LinkColor(), clGreen);
    QTest::mouseClick(url, Qt::LeftButton);
    moveOff(url);
    url->SetFontColor(clYellow);
    QCOMPARE(url->VLinkColor(), clYellow);
    QCOMPARE(url->LinkColor(), clGreen);
}

void tst_linkLabels::urlLinkColourSetters()
{
    TOHUrlLabel *url = stage->url;
    url->SetLinkColor(clGreen);
    QCOMPARE(url->FontColor(), clGreen);
    QCOMPARE(url->LinkColor(), clGreen);
    url->SetVLinkColor(clMaroon);
    QCOMPARE(url->FontColor(), clGreen);
    QCOMPARE(url->VLinkColor(), clMaroon);
    QTest::mouseClick(url, Qt::LeftButton);
    moveOff(url);
    QCOMPARE(url->FontColor(), clMaroon);
    url->SetLinkColor(clYellow);
    QCOMPARE(url->FontColor(), clMaroon);
    QCOMPARE(url->LinkColor(), clYellow);
    url->SetVLinkColor(clBlack);
    QCOMPARE(url->FontColor(), clBlack);
    QCOMPARE(url->VLinkColor(), clBlack);
}

void tst_linkLabels::urlWithoutWindowReportsError()
{
    TOHUrlLabel orphan;
    orphan.setObjectName(QStringLiteral("Orphan"));
    orphan.SetCaption(QStringLiteral("www.fletchwise.example"));
    orphan.show();
    QVERIFY(QTest::qWaitForWindowExposed(&orphan));
    QTest::mouseClick(&orphan, Qt::LeftButton);
    QVERIFY(stage->shell.calls.isEmpty());
    QCOMPARE(stage->messageBoxes.texts(), QStringList{QStringLiteral("Control 'Orphan' has no parent window")});
    QCOMPARE(stage->messageBoxes.shown.first().kind, MessageKind::Error);
}

void tst_linkLabels::mailEnterLeave_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("underline");
    QTest::newRow("enabled, underline") << true << true;
    QTest::newRow("enabled, no underline") << true << false;
    QTest::newRow("disabled") << false << true;
}

void tst_linkLabels::mailEnterLeave()
{
    QFETCH(bool, enabled);
    QFETCH(bool, underline);
    TEMailLabel *mail = stage->mail;
    mail->SetFontColorOut(clGreen);
    mail->SetUnderline(underline);
    mail->setEnabled(enabled);
    QStringList raised;
    mail->OnMouseOver = [&](TEMailLabel *sender) { raised << QStringLiteral("over ") + sender->objectName(); };
    mail->OnMouseOut = [&](TEMailLabel *sender) { raised << QStringLiteral("out ") + sender->objectName(); };
    hover(mail);
    QCOMPARE(raised, QStringList{QStringLiteral("over EMailLabel1")});
    QCOMPARE(mail->FontColor(), enabled ? clBlue : clGreen);
    QCOMPARE(mail->FontUnderline(), enabled && underline);
    mail->SetFontUnderline(true); // the leave makes it plain again, enabled or not
    moveOff(mail);
    QCOMPARE(raised.size(), 2);
    QCOMPARE(raised.last(), QStringLiteral("out EMailLabel1"));
    QCOMPARE(mail->FontColor(), clGreen);
    QVERIFY(!mail->FontUnderline());
}

void tst_linkLabels::mailClickStartsOneMail_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("mails");
    QTest::newRow("left click") << Qt::LeftButton << false << 1;
    QTest::newRow("left double click") << Qt::LeftButton << true << 1;
    QTest::newRow("right click") << Qt::RightButton << false << 0;
    QTest::newRow("middle click") << Qt::MiddleButton << false << 0;
}

void tst_linkLabels::mailClickStartsOneMail()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, doubleClick);
    QFETCH(int, mails);
    if (doubleClick)
        QTest::mouseDClick(stage->mail, button);
    else
        QTest::mouseClick(stage->mail, button);
    QCOMPARE(stage->shell.calls.size(), mails);
    for (const FakeShell::Call &call : stage->shell.calls) {
        QVERIFY(!call.ownerGiven); // the application's window
        QCOMPARE(call.operation, QStringLiteral("open"));
        QCOMPARE(call.file, QStringLiteral("mailto:info@fletchwise.example"));
        QCOMPARE(call.showCommand, SW_SHOWNORMAL);
    }
}

void tst_linkLabels::mailColourAfterMail()
{
    TEMailLabel *mail = stage->mail;
    hover(mail);
    QTest::mousePress(mail, Qt::LeftButton);
    QTest::mouseRelease(mail, Qt::LeftButton, {}, QPoint(mail->width(), 0)); // just outside: no mail
    QVERIFY(stage->shell.calls.isEmpty());
    hover(mail);
    QTest::mouseClick(mail, Qt::LeftButton);
    QCOMPARE(stage->shell.calls.size(), 1);
    QCOMPARE(mail->FontColor(), clBlue);
    QCOMPARE(mail->FontColorOut(), clMaroon);
    moveOff(mail);
    QCOMPARE(mail->FontColor(), clMaroon);
    hover(mail);
    moveOff(mail);
    QCOMPARE(mail->FontColor(), clMaroon);
}

void tst_linkLabels::mailLongAddressPassesWhole()
{
    const QString address = QString(300, QLatin1Char('a')) + QStringLiteral("@fletchwise.example");
    stage->mail->SetEMailAddress(address);
    QTest::mouseClick(stage->mail, Qt::LeftButton, {}, QPoint(5, 5)); // it reaches far past the window
    QCOMPARE(stage->shell.files(), QStringList{QStringLiteral("mailto:") + address});
}

void tst_linkLabels::urlIgnoresBackAndForward()
{
    TOHUrlLabel *url = stage->url;
    url->SetALinkColor(clMaroon);
    for (Qt::MouseButton button : {Qt::BackButton, Qt::ForwardButton}) {
        QTest::mousePress(url, button, {}, url->rect().center());
        QCOMPARE(url->FontColor(), clRed); // the hot colour, not the pressed one
        QTest::mouseRelease(url, button, {}, url->rect().center());
    }
    QVERIFY(stage->shell.calls.isEmpty());
    QVERIFY(!url->Visited());
}

void tst_linkLabels::mailEnterLeaveSetWholeStyle()
{
    TEMailLabel *mail = stage->mail;
    QFont styled = mail->font();
    styled.setBold(true);
    styled.setItalic(true);
    styled.setStrikeOut(true);
    const auto style = [mail] {
        const QFont f = mail->font();
        return QList<bool>({f.bold(), f.italic(), f.strikeOut(), f.underline()});
    };
    mail->setFont(styled);
    hover(mail);
    QCOMPARE(style(), QList<bool>({false, false, false, true}));
    mail->setFont(styled);
    moveOff(mail);
    QCOMPARE(style(), QList<bool>({false, false, false, false}));
}

QTEST_MAIN(tst_linkLabels)
#include "tst_linkLabels.moc"
