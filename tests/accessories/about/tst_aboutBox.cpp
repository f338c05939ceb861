// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its form, its picture, and showing it from start to close,
// with the version read from the built program file.

#include "CLabels.h"
#include "DiscArrowsPicture.h"
#include "EMailLabel.h"
#include "FakeProgramFile.h"
#include "FakeShell.h"
#include "TestPlatform.h"
#include "Unit1.h"
#include "Unit3.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <functional>
#include <optional>

namespace {

// Runs `inside` once the modal box is up, then gives up on it after a while,
// so a box that will not close fails the test instead of hanging it.
void whileShown(const std::function<void(TAboutBox *)> &inside)
{
    QTimer::singleShot(0, [inside] {
        TAboutBox *box = AboutBox;
        if (!box)
            return;
        QTimer::singleShot(10000, box, [box] {
            box->setProperty("forcedShut", true);
            box->done(QDialog::Rejected);
        });
        inside(box);
    });
}

int aboutBoxesAlive()
{
    int alive = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        alive += qobject_cast<TAboutBox *>(window) != nullptr;
    return alive;
}

void releaseDeferred()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Whether a pixel at or right next to `at` has about the colour given.
bool colourNear(const QImage &image, QPointF at, const QColor &colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QColor seen = image.pixelColor(at.toPoint() + QPoint(dx, dy));
            if (qAbs(seen.red() - colour.red()) < 12 && qAbs(seen.green() - colour.green()) < 12
                && qAbs(seen.blue() - colour.blue()) < 12)
                return true;
        }
    return false;
}

} // namespace

class tst_aboutBox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void formLayout_data();
    void formLayout();
    void formProperties();
    void picture();
    void twoShowingsInARow();
    void closing_data();
    void closing();
    void escapeDoesNotClose();
    void withoutVersionResource();
    void errorStillReleasesTheBox();
    void fromTheMainWindow();

private:
    FakeShell shell;
    FakeProgramFile programFile;
    std::optional<ScopedSeam<IShell>> shellSeam;
    std::optional<ScopedSeam<IProgramFile>> programFileSeam;
};

void tst_aboutBox::init()
{
    shell.calls.clear();
    programFile.path = QStringLiteral(VANTIX_PROGRAM_FILE);
    shellSeam.emplace(&shell);
    programFileSeam.emplace(&programFile);
}

void tst_aboutBox::cleanup()
{
    programFileSeam.reset();
    shellSeam.reset();
    releaseDeferred();
    QCOMPARE(aboutBoxesAlive(), 0);
    QVERIFY(!AboutBox);
}

void tst_aboutBox::formLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place"); // a zero size: sized by its text
    QTest::newRow("Panel1") << "Panel1" << "AboutBox" << QRect(7, 9, 298, 192);
    QTest::newRow("Image1") << "Image1" << "Panel1" << QRect(8, 8, 113, 105);
    QTest::newRow("Label1") << "Label1" << "Panel1" << QRect(130, 24, 0, 0);
    QTest::newRow("Label2") << "Label2" << "Panel1" << QRect(133, 64, 0, 0);
    QTest::newRow("Label3") << "Label3" << "Panel1" << QRect(133, 136, 0, 0);
    QTest::newRow("lblVersion") << "lblVersion" << "Panel1" << QRect(176, 136, 0, 0);
    QTest::newRow("OKButton") << "OKButton" << "AboutBox" << QRect(228, 284, 77, 26);
    QTest::newRow("GroupBox1") << "GroupBox1" << "AboutBox" << QRect(8, 216, 209, 86);
    QTest::newRow("EMailLabel1") << "EMailLabel1" << "GroupBox1" << QRect(8, 16, 0, 0);
    QTest::newRow("OHUrlLabel1") << "OHUrlLabel1" << "GroupBox1" << QRect(8, 40, 0, 0);
}

void tst_aboutBox::formLayout()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    TAboutBox box;
    auto *widget = box.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->pos(), place.topLeft());
    if (!place.size().isNull())
        QCOMPARE(widget->size(), place.size());
    else
        QVERIFY(widget->width() > 0 && widget->height() > 0);
}

void tst_aboutBox::formProperties()
{
    TAboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    QCOMPARE(box.size(), QSize(314, 317));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(box.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    const QStringList texts = {box.Label1->text(), box.Label2->text(), box.Label3->text(),
                               box.lblVersion->text(), box.GroupBox1->title(), box.OKButton->text()};
    QCOMPARE(texts, QStringList({"Fletchwise", "Vantix", "Version:", "-", " Fletchwise ", "OK"}));
    QCOMPARE(QList<int>({box.font().pixelSize(), box.Label1->font().pixelSize(), box.Label2->font().pixelSize()}),
             QList<int>({11, 32, 32}));
    QVERIFY(box.OKButton->isDefault() && !box.OKButton->icon().isNull());
    QCOMPARE(box.EMailLabel1->Caption(), QStringLiteral("info@fletchwise.example"));
    QCOMPARE(box.EMailLabel1->FontColor(), clBlack);
    QCOMPARE(box.EMailLabel1->FontColorAfter(), clMaroon);
    QCOMPARE(box.OHUrlLabel1->URL(), QStringLiteral("www.fletchwise.example"));
    QCOMPARE(box.OHUrlLabel1->Caption(), QStringLiteral("www.fletchwise.example"));
    QVERIFY(box.OHUrlLabel1->FontColor() == clBlue && box.OHUrlLabel1->FontUnderline());
}

void tst_aboutBox::picture()
{
    const QImage image = DiscArrowsPicture::render();
    QCOMPARE(image.size(), QSize(157, 142));
    QCOMPARE(image.depth(), 24);
    QCOMPARE(image, DiscArrowsPicture::render());
    const QColor background = DiscArrowsPicture::Background;
    QCOMPARE(image.pixelColor(DiscArrowsPicture::DiscCentre.toPoint()), background); // the hole
    QCOMPARE(image.pixelColor(0, 141), background);
    QVERIFY(!colourNear(image, DiscArrowsPicture::DiscCentre + QPointF(40, 0), background)); // the face
    for (const DiscArrowsPicture::Arrow &arrow : DiscArrowsPicture::Arrows) {
        // In front of the disc the shaft shows, behind its face it is hidden,
        // and past the rim it shows again towards the point.
        const double front = arrow.entry * 0.6;
        QVERIFY(colourNear(image, DiscArrowsPicture::pointOn(arrow, front), DiscArrowsPicture::ShaftColor));
        QVERIFY(!colourNear(image, DiscArrowsPicture::pointOn(arrow, arrow.entry + 0.12), DiscArrowsPicture::ShaftColor));
        QVERIFY(colourNear(image, DiscArrowsPicture::pointOn(arrow, 0.86), DiscArrowsPicture::ShaftColor));
    }
    TAboutBox box;
    QCOMPARE(box.Image1->pixmap().size(), QSize(113, 102)); // stretched, proportions kept
}

void tst_aboutBox::twoShowingsInARow()
{
    QList<QPointer<TAboutBox>> shown;
    QStringList versions;
    QList<bool> visitedAtStart;
    for (int showing = 0; showing < 2; ++showing) {
        whileShown([&](TAboutBox *box) {
            shown.append(box);
            versions.append(box->lblVersion->text());
            visitedAtStart.append(box->OHUrlLabel1->Visited());
            QVERIFY(box->isVisible() && box->isModal());
            QCOMPARE(QApplication::activeModalWidget(), box);
            QTest::mouseClick(box->OHUrlLabel1, Qt::LeftButton);
            box->OKButton->click();
        });
        ShowAboutBox();
        QVERIFY(!AboutBox);
    }
    QCOMPARE(versions, QStringList({QStringLiteral("3.2.0.1"), QStringLiteral("3.2.0.1")}));
    QCOMPARE(visitedAtStart, QList<bool>({false, false}));
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shell.calls.size(), 2);
    QVERIFY(shell.calls.first().ownerGiven);
    releaseDeferred();
    QVERIFY(shown[0].isNull() && shown[1].isNull());
}

void tst_aboutBox::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK button") << "ok";
    QTest::newRow("Enter on the panel") << "enter";
    QTest::newRow("Enter on the e-mail link") << "enter on link";
    QTest::newRow("close box") << "close";
}

void tst_aboutBox::closing()
{
    QFETCH(QString, how);
    QPointer<TAboutBox> shown;
    whileShown([&](TAboutBox *box) {
        shown = box;
        QCOMPARE(box->focusWidget(), box->OKButton);
        if (how == QLatin1String("ok"))
            QTest::mouseClick(box->OKButton, Qt::LeftButton);
        else if (how == QLatin1String("enter"))
            QTest::keyClick(box->Panel1, Qt::Key_Return);
        else if (how == QLatin1String("enter on link"))
            QTest::keyClick(box->EMailLabel1, Qt::Key_Enter);
        else
            box->close();
    });
    ShowAboutBox();
    QVERIFY(shown);
    QVERIFY(!shown->property("forcedShut").toBool());
    QVERIFY(!shown->isVisible());
    QVERIFY(!AboutBox);
    releaseDeferred();
    QVERIFY(shown.isNull());
}

void tst_aboutBox::escapeDoesNotClose()
{
    bool openAfterEscape = false;
    whileShown([&](TAboutBox *box) {
        QTest::keyClick(box->OKButton, Qt::Key_Escape);
        QTest::keyClick(box->Panel1, Qt::Key_Escape);
        openAfterEscape = box->isVisible();
        box->OKButton->click();
    });
    ShowAboutBox();
    QVERIFY(openAfterEscape);
}

void tst_aboutBox::withoutVersionResource()
{
    programFile.path = QCoreApplication::applicationFilePath();
    QString version = QStringLiteral("unset");
    whileShown([&](TAboutBox *box) {
        version = box->lblVersion->text();
        box->OKButton->click();
    });
    ShowAboutBox();
    QCOMPARE(version, QString());
}

void tst_aboutBox::errorStillReleasesTheBox()
{
    programFileSeam.reset(); // nothing names the program file: the showing fails
    bool shown = false;
    whileShown([&](TAboutBox *) { shown = true; });
    QVERIFY_THROWS_EXCEPTION(std::logic_error, ShowAboutBox());
    QVERIFY(!AboutBox);
    QCOMPARE(aboutBoxesAlive(), 1); // released, not yet destroyed
    releaseDeferred();
    QCOMPARE(aboutBoxesAlive(), 0);
    QCoreApplication::processEvents();
    QVERIFY(!shown);
}

// The main window's about button shows the box over it, modal, and the
// main window is usable again once it closes.
void tst_aboutBox::fromTheMainWindow()
{
    TestPlatform platform;
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QString version;
    whileShown([&](TAboutBox *box) {
        version = box->lblVersion->text();
        QCOMPARE(QApplication::activeModalWidget(), box);
        box->close();
    });
    QTest::mouseClick(form.OmKnap, Qt::LeftButton);
    QCOMPARE(version, QStringLiteral("3.2.0.1"));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(platform.messageBoxes.shown.isEmpty());
}

QTEST_MAIN(tst_aboutBox)
#include "tst_aboutBox.moc"
