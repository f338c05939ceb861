// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the number fields of the setup dialog as whole numbers.

#include "WholeNumber.h"

#include <QTest>

class tst_wholeNumber : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void byteRange_data();
    void byteRange();
};

void tst_wholeNumber::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<qint64>("value");

    auto yes = [](const char *row, const QString &text, qint64 value) { QTest::newRow(row) << text << true << value; };
    auto no = [](const char *row, const QString &text) { QTest::newRow(row) << text << false << qint64(0); };
    yes("plain", u"120"_qs, 120);
    yes("signs", u"+7"_qs, 7);
    yes("minus one", u"-1"_qs, -1);
    yes("leading zeros", u"000000000000000000030"_qs, 30);
    yes("leading blanks", u"   -5"_qs, -5);
    yes("largest", u"2147483647"_qs, 2147483647);
    yes("smallest", u"-2147483648"_qs, -2147483648LL);
    yes("dollar hex either case", u"$1e"_qs, 30);
    yes("x hex", u"X1E"_qs, 30);
    yes("0x hex", u"0Xff"_qs, 255);
    yes("hex after blanks", u"  $A"_qs, 10);
    yes("hex all ones is -1", u"$FFFFFFFF"_qs, -1);
    yes("hex sign bit", u"0x80000000"_qs, -2147483648LL);
    no("empty", u""_qs);
    no("blanks only", u"   "_qs);
    no("trailing blank", u"20 "_qs);
    no("tab before", u"\t20"_qs);
    no("decimal point", u"12.5"_qs);
    no("letter among digits", u"1a2"_qs);
    no("sign alone", u"-"_qs);
    no("two signs", u"--1"_qs);
    no("sign before hex prefix", u"-$1E"_qs);
    no("plus before 0x", u"+0x1E"_qs);
    no("prefix alone", u"0x"_qs);
    no("hex without prefix", u"1E"_qs);
    no("hex digit past f", u"$1G"_qs);
    no("double prefix", u"$0x1"_qs);
    no("one past largest", u"2147483648"_qs);
    no("one past smallest", u"-2147483649"_qs);
    no("hex past 32 bits", u"$100000000"_qs);
    no("2 to the 64 plus 1", u"18446744073709551617"_qs);
    no("four hundred nines", QString(400, QLatin1Char('9')));
    no("full-width digit", u"５"_qs);
}

void tst_wholeNumber::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, whole);
    QFETCH(qint64, value);
    const std::optional<std::int32_t> parsed = WholeNumber::Parse(text);
    QCOMPARE(parsed.has_value(), whole);
    if (whole)
        QCOMPARE(qint64(*parsed), value);
}

void tst_wholeNumber::byteRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: refused

    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("top") << "$FF" << 255;
    QTest::newRow("one past top") << "256" << -1;
    QTest::newRow("would wrap to 44") << "300" << -1;
    QTest::newRow("minus one") << "-1" << -1;
    QTest::newRow("not a number") << "abc" << -1;
}

void tst_wholeNumber::byteRange()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const std::optional<std::uint8_t> parsed = WholeNumber::ParseByte(text);
    QCOMPARE(parsed ? int(*parsed) : -1, value);
}

QTEST_APPLESS_MAIN(tst_wholeNumber)
#include "tst_wholeNumber.moc"
