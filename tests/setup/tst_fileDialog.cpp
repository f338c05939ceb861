// SPDX-License-Identifier: GPL-3.0-or-later
// The open-file dialog: its filter text, the dialog object the setup dialog
// holds, and the real Qt dialog offering files from a folder the test fills.

#include "FakeFileDialog.h"
#include "QtFileDialog.h"
#include "TOpenDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString AdvertFilter = QStringLiteral(
    "(*.BMP)|*.BMP|(*.JPG, *.JPEG*)|*.JPG;*.JPEG|(*.WMF)|*.WMF|"
    "(*.BMP, *.JPG,*.JPEG,*.WMF)|*.BMP; *.JPG;*.JPEG;*.WMF|(Alle filer)|*.*");

// A folder of picture and other files, names in mixed case, and a folder
// whose name looks like a picture.
class PictureFolder
{
public:
    QTemporaryDir dir;
    PictureFolder()
    {
        for (const char *name : {"logo.bmp", "SIGN.BMP", "photo.jpg", "Banner.JPEG", "map.Wmf", "readme.txt", "noext"}) {
            QFile file(dir.filePath(QLatin1String(name)));
            if (file.open(QIODevice::WriteOnly))
                file.write("x");
        }
        QDir(dir.path()).mkdir(u"Sub.bmp"_qs);
    }
    QString path(const QString &name) const { return QDir(dir.path()).absoluteFilePath(name); }
    OpenFileRequest request(int filterIndex = 1) const
    {
        return {nullptr, u"Vælg grafik til reklamer"_qs, FileFilter::ParseList(AdvertFilter), filterIndex,
                dir.path() + QLatin1Char('/'), true};
    }
};

// The files a dialog offers in its folder under its current filter.
QStringList offeredFiles(QFileDialog &dialog)
{
    auto *model = dialog.findChild<QFileSystemModel *>();
    const QModelIndex folder = model->index(dialog.directory().absolutePath());
    QStringList names;
    for (int row = 0; row < model->rowCount(folder); ++row) {
        const QModelIndex index = model->index(row, 0, folder);
        if (!model->isDir(index) && (model->flags(index) & Qt::ItemIsEnabled))
            names.append(model->fileName(index));
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

// Acts on the modal file dialog once it is open; closes it in any case.
void whenDialogOpens(const std::function<void(QFileDialog &)> &act)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start();
}

} // namespace

class tst_fileDialog : public QObject
{
    Q_OBJECT
private slots:
    void parseFilter_data();
    void parseFilter();
    void caseFreePattern_data();
    void caseFreePattern();
    void openDialogRemembersConfirmedChoices();
    void realDialogSetUp();
    void realDialogOffers_data();
    void realDialogOffers();
    void realDialogConfirmedAndCancelled();
};

void tst_fileDialog::parseFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("lastPatterns");

    QTest::newRow("adverts") << AdvertFilter
                             << QStringList{u"(*.BMP)"_qs, u"(*.JPG, *.JPEG*)"_qs, u"(*.WMF)"_qs,
                                            u"(*.BMP, *.JPG,*.JPEG,*.WMF)"_qs, u"(Alle filer)"_qs}
                             << QStringList{u"*.*"_qs};
    QTest::newRow("empty") << QString() << QStringList() << QStringList();
    QTest::newRow("trailing name dropped") << u"A|*.a|B"_qs << QStringList{u"A"_qs} << QStringList{u"*.a"_qs};
    QTest::newRow("blanks and empty patterns") << u"A|*.a;; ; *.b"_qs << QStringList{u"A"_qs}
                                               << QStringList{u"*.a"_qs, u"*.b"_qs};
}

void tst_fileDialog::parseFilter()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    QFETCH(QStringList, lastPatterns);
    const QList<FileFilter> filters = FileFilter::ParseList(filter);
    QStringList parsedNames;
    for (const FileFilter &f : filters)
        parsedNames.append(f.name);
    QCOMPARE(parsedNames, names);
    QCOMPARE(filters.isEmpty() ? QStringList() : filters.back().patterns, lastPatterns);
}

void tst_fileDialog::caseFreePattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("extension") << u"*.BMP"_qs << u"*.[bB][mM][pP]"_qs;
    QTest::newRow("every file") << u"*.*"_qs << u"*"_qs;
    QTest::newRow("digits and marks") << u"a?1.x"_qs << u"[aA]?1.[xX]"_qs;
}

void tst_fileDialog::caseFreePattern()
{
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(QtFileDialog::CaseFreePattern(pattern), expected);
}

void tst_fileDialog::openDialogRemembersConfirmedChoices()
{
    FakeFileDialog fake;
    ScopedSeam<IFileDialog> seam(&fake);
    TOpenDialog open;
    open.Filter = AdvertFilter;
    open.InitialDir = u"/opt/vantix/"_qs;
    fake.choose({u"/pics/b.bmp"_qs, u"/pics/a.bmp"_qs}, 4, u"/pics/"_qs);
    fake.cancel();
    fake.choose({}, 2, u"/elsewhere/"_qs); // confirmed without a file: a cancel
    fake.choose({u"/pics/c.bmp"_qs}, 9, u"/pics/"_qs); // a choice the filter lacks

    QVERIFY(open.Execute());
    QCOMPARE(open.Files, (QStringList{u"/pics/b.bmp"_qs, u"/pics/a.bmp"_qs}));
    QVERIFY(!open.Execute());
    QVERIFY(open.Files.isEmpty());
    QVERIFY(!open.Execute());
    QVERIFY(open.Execute());
    QCOMPARE(fake.requests.size(), 4);
    QCOMPARE(fake.requests.at(0).startFolder, u"/opt/vantix/"_qs);
    QCOMPARE(fake.requests.at(0).filterIndex, 1);
    QCOMPARE(fake.requests.at(3).startFolder, u"/pics/"_qs);
    QCOMPARE(fake.requests.at(3).filterIndex, 4);
    QCOMPARE(open.FilterIndex, 4);
}

void tst_fileDialog::realDialogSetUp()
{
    PictureFolder folder;
    QFileDialog dialog;
    QtFileDialog::Configure(dialog, folder.request());
    QCOMPARE(dialog.windowTitle(), u"Vælg grafik til reklamer"_qs);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFiles);
    QCOMPARE(dialog.directory().absolutePath(), QDir(folder.dir.path()).absolutePath());
    // The choices show their own names, without the patterns behind them.
    auto *types = dialog.findChild<QComboBox *>(u"fileTypeCombo"_qs);
    QVERIFY(types != nullptr);
    QCOMPARE(types->count(), 5);
    QCOMPARE(types->itemText(1), u"(*.JPG, *.JPEG*)"_qs);
    QCOMPARE(types->currentIndex(), 0);
    QCOMPARE(QtFileDialog::Answer(dialog, false).filterIndex, 1);
    dialog.selectNameFilter(dialog.nameFilters().at(2));
    QCOMPARE(QtFileDialog::Answer(dialog, false).filterIndex, 3);
}

void tst_fileDialog::realDialogOffers_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("offered");
    QTest::newRow("bmp") << 1 << u"logo.bmp SIGN.BMP"_qs;
    QTest::newRow("jpeg") << 2 << u"Banner.JPEG photo.jpg"_qs;
    QTest::newRow("wmf") << 3 << u"map.Wmf"_qs;
    QTest::newRow("all pictures") << 4 << u"Banner.JPEG logo.bmp map.Wmf photo.jpg SIGN.BMP"_qs;
    QTest::newRow("all files") << 5 << u"Banner.JPEG logo.bmp map.Wmf noext photo.jpg readme.txt SIGN.BMP"_qs;
}

void tst_fileDialog::realDialogOffers()
{
    QFETCH(int, choice);
    QFETCH(QString, offered);
    PictureFolder folder;
    QFileDialog dialog;
    QtFileDialog::Configure(dialog, folder.request(choice));
    dialog.show();
    // The dialog reads the folder in the background; wait until it has.
    QTRY_COMPARE(offeredFiles(dialog).join(QLatin1Char(' ')), offered);
}

void tst_fileDialog::realDialogConfirmedAndCancelled()
{
    PictureFolder folder;
    whenDialogOpens([](QFileDialog &dialog) {
        dialog.selectNameFilter(dialog.nameFilters().at(3));
        // Typed once the dialog has read its folder, as a user would.
        for (int i = 0; i < 500 && offeredFiles(dialog).size() < 5; ++i)
            QTest::qWait(10);
        if (auto *name = dialog.findChild<QLineEdit *>(u"fileNameEdit"_qs))
            name->setText(u"\"SIGN.BMP\" \"photo.jpg\" \"map.Wmf\""_qs);
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    QtFileDialog real;
    OpenFileAnswer answer = real.OpenFiles(folder.request());
    QVERIFY(answer.confirmed);
    QCOMPARE(answer.files, (QStringList{folder.path(u"SIGN.BMP"_qs), folder.path(u"photo.jpg"_qs),
                                        folder.path(u"map.Wmf"_qs)}));
    QCOMPARE(answer.filterIndex, 4);
    QCOMPARE(answer.folder, QDir(folder.dir.path()).absolutePath() + QLatin1Char('/'));

    whenDialogOpens([](QFileDialog &dialog) {
        dialog.selectFile(u"logo.bmp"_qs);
        dialog.reject();
    });
    answer = real.OpenFiles(folder.request());
    QVERIFY(!answer.confirmed);
    QVERIFY(answer.files.isEmpty());
}

QTEST_MAIN(tst_fileDialog)
#include "tst_fileDialog.moc"
