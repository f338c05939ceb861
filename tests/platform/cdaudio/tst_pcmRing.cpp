// SPDX-License-Identifier: GPL-3.0-or-later
// The ring between the reader thread and the audio output.
#include "PcmRing.h"

#include <QtTest>

#include <thread>

class TestPcmRing : public QObject
{
    Q_OBJECT
private slots:
    void bytesComeOutInOrderAcrossTheWrap();
    void restartTurnsABlockedWriterAway();
    void endBelongsToItsGeneration();
};

void TestPcmRing::bytesComeOutInOrderAcrossTheWrap()
{
    PcmRing ring(10);
    const std::uint64_t generation = ring.Restart();
    QVERIFY(ring.Write(generation, "abcdefg", 7));
    char out[16] = {};
    QCOMPARE(ring.Read(out, 5), std::size_t(5));
    QCOMPARE(QByteArray(out, 5), QByteArray("abcde"));
    QVERIFY(ring.Write(generation, "hijklmno", 8)); // wraps round the end
    QCOMPARE(ring.Available(), std::size_t(10));
    QCOMPARE(ring.Read(out, 16), std::size_t(10));
    QCOMPARE(QByteArray(out, 10), QByteArray("fghijklmno"));
    QCOMPARE(ring.Read(out, 16), std::size_t(0));
}

void TestPcmRing::restartTurnsABlockedWriterAway()
{
    PcmRing ring(8);
    const std::uint64_t generation = ring.Restart();
    bool written = true;
    std::thread writer([&] { written = ring.Write(generation, "0123456789ABCDEF", 16); });
    QTRY_COMPARE(ring.Available(), std::size_t(8)); // full: the writer waits for room
    const std::uint64_t next = ring.Restart();
    writer.join();
    QVERIFY(!written);
    QVERIFY(next != generation);
    // Nothing of the old generation is left to be heard.
    QCOMPARE(ring.Available(), std::size_t(0));
    QVERIFY(!ring.Write(generation, "x", 1));
    QVERIFY(ring.Write(next, "y", 1));
    QCOMPARE(ring.Available(), std::size_t(1));
}

void TestPcmRing::endBelongsToItsGeneration()
{
    PcmRing ring(8);
    const std::uint64_t old = ring.Restart();
    const std::uint64_t current = ring.Restart();
    ring.Finish(old, false);
    QCOMPARE(ring.StreamEnd(), PcmRing::End::Open);
    ring.Finish(current, false);
    QCOMPARE(ring.StreamEnd(), PcmRing::End::Failed);
    ring.Restart();
    QCOMPARE(ring.StreamEnd(), PcmRing::End::Open);
}

QTEST_GUILESS_MAIN(TestPcmRing)
#include "tst_pcmRing.moc"
