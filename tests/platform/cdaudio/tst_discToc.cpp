// SPDX-License-Identifier: GPL-3.0-or-later
// Positions on a disc: the table of contents and the three time formats.
#include "DiscToc.h"
#include "Mci.h"

#include <QtTest>

using namespace Mci;

namespace {

// Three audio tracks of 3 s, 2.5 s and 2 s.
DiscToc threeTracks()
{
    return DiscToc({{1, 0, 225, true}, {2, 225, 415, true}, {3, 415, 565, true}});
}

// A game disc: data first, then music.
DiscToc mixedMode()
{
    return DiscToc({{1, 0, 300, false}, {2, 300, 500, true}, {3, 500, 700, true}});
}

// A disc with music first and data after it.
DiscToc enhanced()
{
    return DiscToc({{1, 0, 200, true}, {2, 200, 400, true}, {3, 400, 600, false}});
}

} // namespace

class TestDiscToc : public QObject
{
    Q_OBJECT
private slots:
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void everySectorRoundTrips();
    void mediaAndRuns_data();
    void mediaAndRuns();
};

void TestDiscToc::encode_data()
{
    QTest::addColumn<int>("sector");
    QTest::addColumn<quint32>("format");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("disc start, tmsf") << 0 << MCI_FORMAT_TMSF << MakeTmsf(1, 0, 0, 0);
    QTest::newRow("1 s 5 frames into track 1") << 80 << MCI_FORMAT_TMSF << MakeTmsf(1, 0, 1, 5);
    QTest::newRow("track 2 start") << 225 << MCI_FORMAT_TMSF << MakeTmsf(2, 0, 0, 0);
    QTest::newRow("last sector") << 564 << MCI_FORMAT_TMSF << MakeTmsf(3, 0, 1, 74);
    QTest::newRow("end of disc") << 565 << MCI_FORMAT_TMSF << MakeTmsf(3, 0, 2, 0);
    QTest::newRow("disc start, msf counts the lead-in") << 0 << MCI_FORMAT_MSF << MakeMsf(0, 2, 0);
    QTest::newRow("end of disc, msf") << 565 << MCI_FORMAT_MSF << MakeMsf(0, 9, 40);
    QTest::newRow("a minute in, msf") << 4350 << MCI_FORMAT_MSF << MakeMsf(1, 0, 0);
    QTest::newRow("disc start, milliseconds") << 0 << MCI_FORMAT_MILLISECONDS << 2000u;
    QTest::newRow("one second, milliseconds") << 75 << MCI_FORMAT_MILLISECONDS << 3000u;
}

void TestDiscToc::encode()
{
    QFETCH(int, sector);
    QFETCH(quint32, format);
    QFETCH(quint32, expected);
    QCOMPARE(threeTracks().Encode(sector, format), expected);
}

void TestDiscToc::decode_data()
{
    QTest::addColumn<quint32>("position");
    QTest::addColumn<quint32>("format");
    QTest::addColumn<int>("expected"); // -1: refused
    QTest::newRow("track 2, 1 s") << MakeTmsf(2, 0, 1, 0) << MCI_FORMAT_TMSF << 300;
    QTest::newRow("end of disc") << MakeTmsf(3, 0, 2, 0) << MCI_FORMAT_TMSF << 565;
    QTest::newRow("past the end") << MakeTmsf(3, 0, 2, 1) << MCI_FORMAT_TMSF << -1;
    QTest::newRow("no track 4") << MakeTmsf(4, 0, 0, 0) << MCI_FORMAT_TMSF << -1;
    QTest::newRow("no track 0") << MakeTmsf(0, 0, 0, 0) << MCI_FORMAT_TMSF << -1;
    QTest::newRow("60 seconds") << MakeTmsf(1, 0, 60, 0) << MCI_FORMAT_TMSF << -1;
    QTest::newRow("75 frames") << MakeTmsf(1, 0, 0, 75) << MCI_FORMAT_TMSF << -1;
    QTest::newRow("msf disc start") << MakeMsf(0, 2, 0) << MCI_FORMAT_MSF << 0;
    QTest::newRow("msf inside the lead-in") << MakeMsf(0, 1, 74) << MCI_FORMAT_MSF << -1;
    QTest::newRow("milliseconds") << 3000u << MCI_FORMAT_MILLISECONDS << 75;
    QTest::newRow("unknown format") << 0u << 3u << -1;
}

void TestDiscToc::decode()
{
    QFETCH(quint32, position);
    QFETCH(quint32, format);
    QFETCH(int, expected);
    const std::optional<std::int32_t> sector = threeTracks().Decode(position, format);
    QCOMPARE(sector.value_or(-1), expected);
}

void TestDiscToc::everySectorRoundTrips()
{
    const DiscToc toc = threeTracks();
    for (std::int32_t sector = 0; sector <= 565; ++sector) {
        for (std::uint32_t format : {MCI_FORMAT_TMSF, MCI_FORMAT_MSF, MCI_FORMAT_MILLISECONDS}) {
            const auto back = toc.Decode(toc.Encode(sector, format), format);
            QVERIFY2(back && *back == sector, qPrintable(QString::number(sector)));
        }
    }
}

void TestDiscToc::mediaAndRuns_data()
{
    QTest::addColumn<int>("disc"); // 0 three tracks, 1 mixed mode, 2 enhanced
    QTest::addColumn<int>("mediaStart");
    QTest::addColumn<int>("mediaEnd");
    QTest::addColumn<int>("probe");
    QTest::addColumn<bool>("audioAtProbe");
    QTest::addColumn<int>("runEnd");
    QTest::addColumn<quint32>("endAsTmsf");
    QTest::newRow("all audio") << 0 << 0 << 565 << 100 << true << 565 << MakeTmsf(3, 0, 2, 0);
    QTest::newRow("mixed mode: data track") << 1 << 300 << 700 << 10 << false << 10 << MakeTmsf(3, 0, 2, 50);
    QTest::newRow("mixed mode: music") << 1 << 300 << 700 << 350 << true << 700 << MakeTmsf(3, 0, 2, 50);
    QTest::newRow("enhanced: music stops before data") << 2 << 0 << 400 << 10 << true << 400 << MakeTmsf(2, 0, 2, 50);
    QTest::newRow("enhanced: data") << 2 << 0 << 400 << 450 << false << 450 << MakeTmsf(2, 0, 2, 50);
}

void TestDiscToc::mediaAndRuns()
{
    QFETCH(int, disc);
    QFETCH(int, mediaStart);
    QFETCH(int, mediaEnd);
    QFETCH(int, probe);
    QFETCH(bool, audioAtProbe);
    QFETCH(int, runEnd);
    QFETCH(quint32, endAsTmsf);
    const DiscToc toc = disc == 0 ? threeTracks() : disc == 1 ? mixedMode() : enhanced();
    QCOMPARE(toc.MediaStart(), mediaStart);
    QCOMPARE(toc.MediaEnd(), mediaEnd);
    QCOMPARE(toc.IsAudioAt(probe), audioAtProbe);
    QCOMPARE(toc.AudioRunEnd(probe), runEnd);
    // The end of the media reads as a position in the last audio track.
    QCOMPARE(toc.Encode(toc.MediaEnd(), MCI_FORMAT_TMSF), endAsTmsf);
}

QTEST_APPLESS_MAIN(TestDiscToc)
#include "tst_discToc.moc"
