// SPDX-License-Identifier: GPL-3.0-or-later
// How the strip looks: button sizes, glyphs, faces and the focus mark.
#include "MPlayerGlyphs.h"
#include "PlayerRig.h"

namespace {

// Whether a picture holds a pixel of the colour inside the rectangle.
bool holds(const QImage &image, const QRect &area, QRgb color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF))
                return true;
    return false;
}

// The top-left-most pixel of the colour inside the rectangle.
QPoint firstOf(const QImage &image, const QRect &area, QRgb color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF))
                return {x, y};
    return {-1, -1};
}

constexpr QRgb Green = 0xFF008000;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Teal = 0xFF008080;

} // namespace

class TestMediaPlayerLook : public QObject
{
    Q_OBJECT
private slots:
    void sizes_data();
    void sizes();
    void buttonsShareTheirBorders();
    void glyphs_data();
    void glyphs();
    void enabledButtonsShowColourGreyOnesDoNot();
    void disabledStripIsAllGrey();
    void pressedButtonIsSunkenWithItsGlyphMoved();
    void focusMarkShowsOnlyWithTheFocus();
};

void TestMediaPlayerLook::sizes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("buttonWidth");
    QTest::addColumn<int>("finalWidth");
    QTest::addColumn<int>("finalHeight");
    QTest::newRow("the main window's 141 x 22") << 141 << 22 << 29 << 141 << 22;
    QTest::newRow("wider: 150") << 150 << 22 << 30 << 146 << 22;
    QTest::newRow("narrower than the glyphs") << 100 << 22 << 29 << 141 << 22;
    QTest::newRow("lower than the glyphs") << 141 << 10 << 29 << 141 << 20;
}

void TestMediaPlayerLook::sizes()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, buttonWidth);
    QFETCH(int, finalWidth);
    QFETCH(int, finalHeight);
    PlayerRig rig;
    rig.player.resize(width, height);
    QCOMPARE(rig.player.ButtonWidth(), buttonWidth);
    QCOMPARE(rig.player.width(), finalWidth);
    QCOMPARE(rig.player.height(), finalHeight);
    QCOMPARE(TMediaPlayer::MinButtonWidth(), 29);
    QCOMPARE(TMediaPlayer::MinHeight(), 20);
}

void TestMediaPlayerLook::buttonsShareTheirBorders()
{
    PlayerRig rig;
    QCOMPARE(rig.player.ButtonRect(btPlay), QRect(0, 0, 29, 22));
    QCOMPARE(rig.player.ButtonRect(btPause), QRect(28, 0, 29, 22));
    QCOMPARE(rig.player.ButtonRect(btPrev), QRect(112, 0, 29, 22));
    QVERIFY(rig.player.ButtonRect(btEject).isNull()); // not visible
    // A press on a shared border belongs to the left button.
    rig.player.Open();
    QTest::mouseClick(&rig.player, Qt::LeftButton, {}, QPoint(28, 10));
    QVERIFY(rig.recorder.sent(Mci::MCI_PLAY));
}

void TestMediaPlayerLook::glyphs_data()
{
    QTest::addColumn<int>("kind");
    const char *names[] = {"play", "pause", "stop", "next", "prev", "step", "back", "record", "eject"};
    for (int kind = 0; kind < MPButtonKinds; ++kind)
        QTest::newRow(names[kind]) << kind;
}

void TestMediaPlayerLook::glyphs()
{
    QFETCH(int, kind);
    const auto button = TMPBtnType(kind);
    const QImage colored = MPlayerGlyphs::Raw(button, MPlayerGlyphs::Colored);
    const QImage plain = MPlayerGlyphs::Raw(button, MPlayerGlyphs::Plain);
    const QImage grey = MPlayerGlyphs::Raw(button, MPlayerGlyphs::Grey);
    QCOMPARE(colored.height(), 16);
    QVERIFY(colored.width() >= 12 && colored.width() <= 21);
    QVERIFY(colored.width() <= MPlayerGlyphs::MaxWidth());
    QCOMPARE(plain.size(), colored.size());
    QCOMPARE(grey.size(), colored.size());
    // Olive is the background, and transparent in the picture that is painted.
    QCOMPARE(colored.pixel(0, 0), MPlayerGlyphs::Transparent());
    QCOMPARE(qAlpha(MPlayerGlyphs::Image(button, MPlayerGlyphs::Colored).pixel(0, 0)), 0);
    QSet<QRgb> coloredInk, plainInk, greyInk;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < colored.width(); ++x) {
            coloredInk.insert(colored.pixel(x, y));
            plainInk.insert(plain.pixel(x, y));
            greyInk.insert(grey.pixel(x, y));
        }
    coloredInk.remove(MPlayerGlyphs::Transparent());
    plainInk.remove(MPlayerGlyphs::Transparent());
    greyInk.remove(MPlayerGlyphs::Transparent());
    QCOMPARE(coloredInk.size(), 1);
    QVERIFY(qRed(*coloredInk.begin()) != qGreen(*coloredInk.begin()) || qGreen(*coloredInk.begin()) != qBlue(*coloredInk.begin()));
    QCOMPARE(plainInk, QSet<QRgb>{qRgb(0, 0, 0)});
    QCOMPARE(greyInk, (QSet<QRgb>{qRgb(128, 128, 128), qRgb(255, 255, 255)}));
}

void TestMediaPlayerLook::enabledButtonsShowColourGreyOnesDoNot()
{
    PlayerRig rig;
    rig.player.Open();
    QImage shot = rig.player.grab().toImage();
    QVERIFY(holds(shot, rig.player.ButtonRect(btPlay), Green));
    QVERIFY(!holds(shot, rig.player.ButtonRect(btPause), Blue));
    QVERIFY(!holds(shot, rig.player.ButtonRect(btStop), Red));
    QVERIFY(holds(shot, rig.player.ButtonRect(btNext), Teal));
    rig.click(btPlay);
    shot = rig.player.grab().toImage();
    QVERIFY(!holds(shot, rig.player.ButtonRect(btPlay), Green));
    QVERIFY(holds(shot, rig.player.ButtonRect(btPause), Blue));
    QVERIFY(holds(shot, rig.player.ButtonRect(btStop), Red));
    // Without colour an enabled button shows its plain glyph.
    rig.player.SetColoredButtons({});
    shot = rig.player.grab().toImage();
    QVERIFY(!holds(shot, rig.player.ButtonRect(btPause), Blue));
    QVERIFY(holds(shot, rig.player.ButtonRect(btPause).adjusted(2, 2, -2, -2), qRgb(0, 0, 0)));
}

void TestMediaPlayerLook::disabledStripIsAllGrey()
{
    PlayerRig rig;
    rig.player.Open();
    rig.player.setEnabled(false);
    const QImage shot = rig.player.grab().toImage();
    for (QRgb color : {Green, Blue, Red, Teal})
        QVERIFY(!holds(shot, shot.rect(), color));
    QVERIFY(holds(shot, shot.rect(), qRgb(128, 128, 128)));
}

void TestMediaPlayerLook::pressedButtonIsSunkenWithItsGlyphMoved()
{
    PlayerRig rig;
    rig.player.Open();
    const QRect box = rig.player.ButtonRect(btPlay);
    const QPoint raised = firstOf(rig.player.grab().toImage(), box, Green);
    QVERIFY(raised.x() >= 0);
    QTest::mousePress(&rig.player, Qt::LeftButton, {}, box.center());
    const QImage pressed = rig.player.grab().toImage();
    QCOMPARE(firstOf(pressed, box, Green), raised + QPoint(1, 1));
    // Sunken: the shadow, not the light, runs along the top inside the border.
    QCOMPARE(pressed.pixel(box.left() + 5, box.top() + 1) & 0xFFFFFF, 0x808080u);
    QTest::mouseRelease(&rig.player, Qt::LeftButton, {}, box.center());
    rig.player.Close();
    const QImage released = rig.player.grab().toImage();
    QCOMPARE(released.pixel(box.left() + 5, box.top() + 1) & 0xFFFFFF, 0xFFFFFFu);
}

void TestMediaPlayerLook::focusMarkShowsOnlyWithTheFocus()
{
    PlayerRig rig;
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    const QRect box = rig.player.ButtonRect(btPause);
    // The mark is a dotted rectangle 3 pixels inside the button.
    const auto markPixels = [&](const QImage &shot) {
        int black = 0;
        for (int x = box.left() + 3; x < box.right() - 3; ++x)
            black += (shot.pixel(x, box.top() + 3) & 0xFFFFFF) == 0 ? 1 : 0;
        return black;
    };
    rig.key(Qt::Key_Right);
    QCOMPARE(rig.player.FocusedButton(), btPause);
    QCOMPARE(markPixels(rig.player.grab().toImage()), 0);
    rig.player.activateWindow();
    rig.player.setFocus();
    QTRY_VERIFY(rig.player.hasFocus());
    const int dots = markPixels(rig.player.grab().toImage());
    QVERIFY(dots >= 5);
    QVERIFY(dots < box.width() - 7); // dotted, not a solid line
}

QTEST_MAIN(TestMediaPlayerLook)
#include "tst_mediaPlayerLook.moc"
