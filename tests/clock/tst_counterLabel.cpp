// SPDX-License-Identifier: GPL-3.0-or-later
// The counter repaints only where its text was and is: nothing of an old
// number may stay on the screen, whatever the new one covers.

#include "TCounterLabel.h"

#include <QScreen>
#include <QTest>

class tst_counterLabel : public QObject
{
    Q_OBJECT
private slots:
    void oldTextLeavesNoTrace_data();
    void oldTextLeavesNoTrace();
};

namespace {

QRect redExtent(const QImage &image)
{
    QRect extent;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(image.pixel(x, y)) > 100)
                extent |= QRect(x, y, 1, 1);
        }
    }
    return extent;
}

} // namespace

void tst_counterLabel::oldTextLeavesNoTrace_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("beforeAlignment");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("afterAlignment");
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const int centre = Qt::AlignHCenter | Qt::AlignVCenter;
    QTest::newRow("wide to narrow") << "120" << right << "8" << right;
    QTest::newRow("judges' sign back to a number") << "T.K" << centre << "20" << right;
    QTest::newRow("number to judges' sign") << "19" << right << "T.K" << centre;
    QTest::newRow("to nothing") << "7" << right << "" << right;
}

void tst_counterLabel::oldTextLeavesNoTrace()
{
    QFETCH(QString, before);
    QFETCH(int, beforeAlignment);
    QFETCH(QString, after);
    QFETCH(int, afterAlignment);
    QWidget window;
    window.resize(500, 300);
    TCounterLabel counter(before, &window);
    counter.setGeometry(window.rect());
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::red);
    counter.setPalette(palette);
    QFont font(QStringLiteral("Liberation Sans Narrow"));
    font.setBold(true);
    font.setPixelSize(240);
    counter.setFont(font);
    counter.setAlignment(Qt::Alignment(beforeAlignment));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage first = window.grab().toImage();
    QVERIFY(!redExtent(first).isEmpty());
    QVERIFY(counter.textArea().contains(redExtent(first)));

    counter.setAlignment(Qt::Alignment(afterAlignment));
    counter.setText(after);
    QCOMPARE(counter.text(), after);
    QTest::qWait(50); // the partial repaint happens in the event loop
    // What the window's backing store holds, not a fresh paint of the whole window.
    const QRect ink = redExtent(window.screen()->grabWindow(window.winId()).toImage());
    if (after.isEmpty())
        QVERIFY(ink.isEmpty());
    else
        QVERIFY2(counter.textArea().contains(ink), "red outside the new number's area");
}

QTEST_MAIN(tst_counterLabel)
#include "tst_counterLabel.moc"
