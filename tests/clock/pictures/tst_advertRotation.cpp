// SPDX-License-Identifier: GPL-3.0-or-later
// The advert rotation on the ready screen: each entry to the ready screen
// shows the next picture of the list; a picture that cannot be shown is
// reported once and taken out of the list.
#include "AdvertPreparer.h"
#include "JpegWriter.h"
#include "TImage.h"
#include "TestPlatform.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Hidden = QStringLiteral("hidden");

QImage solid(const QColor &colour)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// What the picture area shows: the picture's name by its colour, black
// when it holds none, or hidden.
QString shown(const TImage &area)
{
    if (area.isHidden())
        return Hidden;
    if (area.Picture().isNull())
        return QStringLiteral("black");
    const QRgb c = area.Picture().pixel(area.Picture().rect().center());
    if (qRed(c) > 200 && qGreen(c) < 60)
        return QStringLiteral("P1");
    if (qGreen(c) > 200 && qRed(c) < 60)
        return QStringLiteral("P2");
    if (qBlue(c) > 200 && qRed(c) < 60)
        return QStringLiteral("P3");
    return QStringLiteral("?");
}

} // namespace

class tst_advertRotation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void rotation_data();
    void rotation();
    void rotationPrepared_data() { rotation_data(); }
    void rotationPrepared();
    void listEditedDuringAnEnd_data();
    void listEditedDuringAnEnd();
    void preparedWhileSetupDialogIsOpen();
    void listOfOneLoadsAgain();
    void switchedOffKeepsLastPictureUntilWaveStarts();
    void entryLeavesWhenOkIsPressed();
    void indexOutsideTheListStartsAgain();

private:
    // Files P1..P3 load; X1 is missing, X2 a JPEG with a bad header, X3 a letter named .bmp.
    QString file(const QString &name) const;
    // One end: the wave starts, then the ready screen returns. Prepared: the
    // end lasts until the next advert is prepared, and the picture shown
    // must be the prepared one.
    QString readyScreen(bool prepared = false);
    void runRotation(bool prepared);
    void waitForPreparation();

    QTemporaryDir dir;
    TestPlatform *platform = nullptr;
    TForm1 *form = nullptr;
    QListWidget *adverts = nullptr;
    AdvertPreparer *preparer = nullptr;
    bool preparedShown = true;
};

void tst_advertRotation::initTestCase()
{
    const auto write = [this](const char *name, const QByteArray &bytes) {
        QFile out(file(QLatin1String(name)));
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    QVERIFY(solid(Qt::red).save(file(QStringLiteral("P1"))));
    QVERIFY(write("P2", JpegWriter::Encode(solid(Qt::green))));
    QVERIFY(solid(Qt::blue).save(file(QStringLiteral("P3"))));
    QVERIFY(write("X2", JpegWriter::Encode(solid(Qt::green)).mid(20)));
    QVERIFY(write("X3", "Dear timekeeper, this is not a picture."));
}

QString tst_advertRotation::file(const QString &name) const
{
    // P2 is a JPEG with its extension in capitals; X1 does not exist.
    const char *suffix = name == QLatin1String("P2") ? ".JPG" : name == QLatin1String("X2") ? ".jpg" : ".bmp";
    return dir.filePath(name + QLatin1String(suffix));
}

void tst_advertRotation::init()
{
    platform = new TestPlatform;
    form = new TForm1;
    adverts = new QListWidget;
    form->SetAdvertList(adverts);
}

void tst_advertRotation::cleanup()
{
    delete preparer;
    preparer = nullptr;
    delete form;
    delete adverts;
    delete platform;
}

void tst_advertRotation::waitForPreparation()
{
    const QString next = AdvertPreparer::NextEntry(*form);
    QTRY_VERIFY(next.isEmpty() || preparer->Take(next).has_value());
}

QString tst_advertRotation::readyScreen(bool prepared)
{
    const qsizetype warningsBefore = platform->messageBoxes.shown.size();
    form->InitScreenShooting();
    std::optional<AdvertPreparer::Prepared> ready;
    if (prepared) {
        waitForPreparation();
        ready = preparer->Take(AdvertPreparer::NextEntry(*form));
    }
    form->InitScreenKlar();
    if (ready && !ready->picture.isNull())
        preparedShown = preparedShown && form->Billede->Picture().cacheKey() == ready->picture.cacheKey();
    QString result = shown(*form->Billede);
    for (qsizetype i = warningsBefore; i < platform->messageBoxes.shown.size(); ++i)
        result += QStringLiteral(" + warning");
    return result;
}

void tst_advertRotation::rotation_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("addsOn");
    QTest::addColumn<QStringList>("screens");
    QTest::addColumn<QStringList>("remaining");
    const QStringList all{"P1", "P2", "P3"};
    QTest::newRow("all load") << all << true << QStringList{"P1", "P2", "P3", "P1", "P2"} << all;
    QTest::newRow("P2 fails") << QStringList{"P1", "X2", "P3"} << true
                              << QStringList{"P1", "P1 + warning", "P1", "P3", "P1"} << QStringList{"P1", "P3"};
    QTest::newRow("only entry fails") << QStringList{"X1"} << true
                                      << QStringList{"black + warning", Hidden, Hidden} << QStringList{};
    QTest::newRow("all fail") << QStringList{"X1", "X2", "X3"} << true
                              << QStringList{"black + warning", "black + warning", "black + warning", Hidden}
                              << QStringList{};
    QTest::newRow("the last fails") << QStringList{"P1", "P2", "X3"} << true
                                    << QStringList{"P1", "P2", "P2 + warning", "P1", "P2"} << QStringList{"P1", "P2"};
    QTest::newRow("list of one") << QStringList{"P3"} << true << QStringList{"P3", "P3", "P3"} << QStringList{"P3"};
    QTest::newRow("adverts off") << all << false << QStringList{Hidden, Hidden} << all;
    QTest::newRow("on with an empty list") << QStringList{} << true << QStringList{Hidden, Hidden} << QStringList{};
}

void tst_advertRotation::rotation()
{
    runRotation(false);
}

void tst_advertRotation::rotationPrepared()
{
    preparer = new AdvertPreparer;
    preparer->Attach(form);
    runRotation(true);
    QVERIFY(preparedShown);
}

void tst_advertRotation::runRotation(bool prepared)
{
    QFETCH(QStringList, entries);
    QFETCH(bool, addsOn);
    QFETCH(QStringList, screens);
    QFETCH(QStringList, remaining);
    for (const QString &entry : entries)
        adverts->addItem(file(entry));
    // What closing the setup dialog does before the first picture.
    form->AddsOn = addsOn;
    form->AddCount = adverts->count();
    form->AddIndex = 0;
    QStringList seen;
    for (qsizetype i = 0; i < screens.size(); ++i)
        seen.append(readyScreen(prepared));
    QCOMPARE(seen, screens);
    QStringList left;
    for (const QString &entry : remaining)
        left.append(file(entry));
    QStringList inList;
    for (int i = 0; i < adverts->count(); ++i)
        inList.append(adverts->item(i)->text());
    QCOMPARE(inList, left);
    QCOMPARE(form->AddCount, int(addsOn ? left.size() : entries.size()));
    const QString warning = uVantixStrings::BadPictureInAddError + QLatin1Char('\r') + uVantixStrings::AddWillBeRemoved;
    for (const FakeMessageBoxes::Shown &box : platform->messageBoxes.shown) {
        QCOMPARE(box.text, warning);
        QCOMPARE(box.kind, MessageKind::Warning);
    }
}

void tst_advertRotation::listEditedDuringAnEnd_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("preparedUsed");
    QTest::newRow("next entry removed") << "remove" << "P3" << false;
    QTest::newRow("next entry replaced") << "replace" << "P3" << false;
    QTest::newRow("next file rewritten") << "rewrite" << "P3" << false;
    QTest::newRow("entry added at the end") << "add" << "P2" << true;
}

// The second end: P2 is prepared while it runs, then the list or the file
// changes before the end is over.
void tst_advertRotation::listEditedDuringAnEnd()
{
    QFETCH(QString, edit);
    QFETCH(QString, screen);
    QFETCH(bool, preparedUsed);
    const QString p2 = dir.filePath(QStringLiteral("edited.bmp"));
    QVERIFY(solid(Qt::green).save(p2));
    for (const QString &path : {file(QStringLiteral("P1")), p2, file(QStringLiteral("P3"))})
        adverts->addItem(path);
    form->AddsOn = true;
    form->AddCount = adverts->count();
    preparer = new AdvertPreparer;
    preparer->Attach(form);
    QCOMPARE(readyScreen(true), QStringLiteral("P1"));
    form->InitScreenShooting();
    waitForPreparation();
    const std::optional<AdvertPreparer::Prepared> ready = preparer->Take(p2);
    QVERIFY(ready.has_value());
    if (edit == QLatin1String("remove")) {
        delete adverts->takeItem(1);
        --form->AddCount;
    } else if (edit == QLatin1String("replace")) {
        adverts->item(1)->setText(file(QStringLiteral("P3")));
    } else if (edit == QLatin1String("rewrite")) {
        QVERIFY(solid(Qt::blue).scaled(80, 60).save(p2));
    } else {
        adverts->addItem(file(QStringLiteral("P1")));
        ++form->AddCount;
    }
    form->InitScreenKlar();
    QCOMPARE(shown(*form->Billede), screen);
    QCOMPARE(form->Billede->Picture().cacheKey() == ready->picture.cacheKey(), preparedUsed);
    QVERIFY(platform->messageBoxes.shown.isEmpty());
}

// The dialog's closing shows the first entry: it is prepared while the
// timekeeper edits the list.
void tst_advertRotation::preparedWhileSetupDialogIsOpen()
{
    form->AttachSetupDialog(new TForm2(form));
    preparer = new AdvertPreparer;
    preparer->Attach(form);
    std::optional<AdvertPreparer::Prepared> ready;
    QTimer::singleShot(0, form->Form2, [&] {
        form->Form2->CheckBox_visReklamer->setChecked(true);
        form->Form2->AdvertList()->addItem(file(QStringLiteral("P2")));
        form->Form2->AdvertList()->addItem(file(QStringLiteral("P3")));
        QTRY_VERIFY((ready = preparer->Take(file(QStringLiteral("P2")))).has_value());
        form->Form2->close();
    });
    form->SetupKnapClick();
    QVERIFY(ready.has_value());
    QCOMPARE(shown(*form->Billede), QStringLiteral("P2"));
    QCOMPARE(form->Billede->Picture().cacheKey(), ready->picture.cacheKey());
}

void tst_advertRotation::listOfOneLoadsAgain()
{
    const QString path = dir.filePath(QStringLiteral("changing.bmp"));
    solid(Qt::red).save(path);
    adverts->addItem(path);
    form->AddsOn = true;
    form->AddCount = 1;
    QCOMPARE(readyScreen(), QStringLiteral("P1"));
    solid(Qt::blue).save(path); // the file changes between two ends
    QCOMPARE(readyScreen(), QStringLiteral("P3"));
    QCOMPARE(form->AddFileName, path);
}

void tst_advertRotation::switchedOffKeepsLastPictureUntilWaveStarts()
{
    adverts->addItem(file(QStringLiteral("P1")));
    form->AddsOn = true;
    form->AddCount = 1;
    QCOMPARE(readyScreen(), QStringLiteral("P1"));
    form->AddsOn = false; // the setup dialog closes with adverts off
    form->AddIndex = 0;
    form->VisReklamer();
    QCOMPARE(shown(*form->Billede), QStringLiteral("P1"));
    QCOMPARE(readyScreen(), Hidden); // from the next end on, the ready screen is black
}

void tst_advertRotation::entryLeavesWhenOkIsPressed()
{
    adverts->addItem(file(QStringLiteral("X3")));
    adverts->addItem(file(QStringLiteral("P1")));
    form->AddsOn = true;
    form->AddCount = 2;
    int entriesWhileOpen = -1;
    QString pictureWhileOpen;
    platform->messageBoxes.onShow = [&](const FakeMessageBoxes::Shown &) {
        entriesWhileOpen = adverts->count();
        pictureWhileOpen = form->AddFileName;
    };
    form->VisReklamer();
    QCOMPARE(entriesWhileOpen, 2);
    QCOMPARE(pictureWhileOpen, file(QStringLiteral("X3")));
    QCOMPARE(adverts->count(), 1);
    QCOMPARE(form->AddIndex, 0);
}

void tst_advertRotation::indexOutsideTheListStartsAgain()
{
    adverts->addItem(file(QStringLiteral("P1")));
    adverts->addItem(file(QStringLiteral("P3")));
    form->AddsOn = true;
    form->AddCount = 2;
    form->AddIndex = 7;
    form->VisReklamer();
    QCOMPARE(shown(*form->Billede), QStringLiteral("P1"));
    QCOMPARE(form->AddIndex, 1);
    QVERIFY(platform->messageBoxes.shown.isEmpty());
}

QTEST_MAIN(tst_advertRotation)
#include "tst_advertRotation.moc"
