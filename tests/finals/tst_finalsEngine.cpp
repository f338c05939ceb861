// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsEngine.h"

#include <QTest>

Q_DECLARE_METATYPE(FinalsKind)

namespace {

QString letter(TColor color)
{
    return color == clGreen ? QStringLiteral("g") : color == clYellow ? QStringLiteral("y") : QStringLiteral("r");
}

QString signalName(FinalsSignal signal)
{
    switch (signal) {
    case FinalsSignal::CallToLine:
        return QStringLiteral("2");
    case FinalsSignal::Start:
        return QStringLiteral("1");
    case FinalsSignal::TimeUp:
        return QStringLiteral("T");
    case FinalsSignal::EndOfEnd:
        return QStringLiteral("3");
    case FinalsSignal::Emergency:
        return QStringLiteral("5");
    }
    return QStringLiteral("?");
}

// Runs a script of presses and ticks on a match and describes what the
// archers see afterwards, and the signals heard on the way:
//   "S" Start, "w" Switch, "x" Stop time, "r" Resume, "z" Reset,
//   "L"/"R" the side that starts, "e" the emergency signal on, "tN" N ticks;
// described as "<state> <shooting side> L<count><colour><arrows> R... | <signals>".
QString run(FinalsKind kind, const QString &script)
{
    QStringList heard;
    FinalsEngine engine([&](FinalsSignal signal) { heard << signalName(signal); });
    engine.SetMatch(FinalsMatch::Of(kind));
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u"S")
            engine.Start();
        else if (step == u"w")
            engine.Switch();
        else if (step == u"x")
            engine.Stop();
        else if (step == u"r")
            engine.Resume();
        else if (step == u"z")
            engine.Reset();
        else if (step == u"L")
            engine.ChooseStart(FinalsScreen::Side::Left);
        else if (step == u"R")
            engine.ChooseStart(FinalsScreen::Side::Right);
        else if (step == u"e")
            engine.SetEmergencySignal(true);
        else if (step.startsWith(u't'))
            for (int i = step.mid(1).toInt(); i > 0; --i)
                engine.Tick();
        else
            qFatal("unknown step %s", qPrintable(step));
    }
    const FinalsScreen screen = engine.Screen(QStringLiteral("J"));
    const char *states[] = {"Ready", "WalkUp", "Shooting", "Stopped"};
    auto side = [](const FinalsSide &s) { return s.count + letter(s.color) + QString::number(s.arrowsLeft); };
    return QStringLiteral("%1 %2 L%3 R%4 | %5")
        .arg(QLatin1String(states[int(engine.CurrentState())]),
             screen.shooting == FinalsScreen::Side::Right ? QStringLiteral("R") : QStringLiteral("L"),
             side(screen.left), side(screen.right), heard.join(u' '));
}

void addRows(const QList<std::pair<const char *, const char *>> &rows)
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("seen");
    for (const auto &[script, seen] : rows)
        QTest::newRow(script) << QString::fromLatin1(script) << QString::fromLatin1(seen);
}

} // namespace

class tst_finalsEngine : public QObject
{
    Q_OBJECT
private slots:
    void individual_data();
    void individual() { check(FinalsKind::Individual); }
    void team_data();
    void team() { check(FinalsKind::Team); }
    void mixedTeam_data();
    void mixedTeam() { check(FinalsKind::MixedTeam); }
    void shootOff_data();
    void shootOff();

private:
    void check(FinalsKind kind)
    {
        QFETCH(QString, script);
        QFETCH(QString, seen);
        QCOMPARE(run(kind, script), seen);
    }
};

// 20 s for each arrow, every turn afresh; no warning.
void tst_finalsEngine::individual_data()
{
    addRows({
        // Walk-up on the starting side, then one blast.
        {"S t4", "WalkUp L L6r3 R20r3 | 2"},
        {"S t10", "Shooting L L20g3 R20r3 | 2 1"},
        // Each turn starts again at 20.
        {"S t10 t5 w t7 w t3 w", "Shooting R L17r1 R20g2 | 2 1"},
        // A full end: six turns, then three blasts.
        {"S t10 w w w w w t1 w", "Ready L L20r0 R19r0 | 2 1 3"},
        // Time up: 0 in red, the arrow lost, the other side's turn.
        {"S t10 t20", "Shooting R L0r2 R20g3 | 2 1 T"},
        {"S t10 w w w w w t20", "Ready L L20r0 R0r0 | 2 1 T 3"},
        // The side that starts is chosen on the ready screen only.
        {"R S t10 t1", "Shooting R L20r3 R19g3 | 2 1"},
        {"S R t10", "Shooting L L20g3 R20r3 | 2 1"},
        // Emergency stop mid-turn, and Resume: walk-up, then on from 15.
        {"e S t10 t5 x", "Stopped L LJr3 R20r3 | 2 1 5"},
        {"e S t10 t5 x t9 r t10 t1", "Shooting L L14g3 R20r3 | 2 1 5 2 1"},
        // Stopped in the walk-up: the whole time after the resumed walk-up.
        {"S t3 x r t10", "Shooting L L20g3 R20r3 | 2 2 1"},
        {"S t10 t5 x z", "Ready L L20r3 R20r3 | 2 1"},
        {"S t10 w t3 x w", "Stopped R L20r2 RJr3 | 2 1"},
    });
}

// 120 s for six arrows, three a turn; the time carries over; yellow at 30.
void tst_finalsEngine::team_data()
{
    addRows({
        {"S t10 t50 w t30 w t10", "Shooting L L60g3 R90r3 | 2 1"},
        {"S t10 t90", "Shooting L L30y6 R120r6 | 2 1"},
        {"S t10 t50 w t30 w t10 w t20 w", "Ready L L60r0 R70r0 | 2 1 3"},
        // A team out of time loses its arrows; the other shoots on.
        {"S t10 t120", "Shooting R L0r0 R120g6 | 2 1 T"},
        {"S t10 t120 t20 w t5", "Shooting R L0r0 R95g3 | 2 1 T"},
        {"e S t10 t50 w t20 x r t10 t1", "Shooting R L70r3 R99g6 | 2 1 5 2 1"},
    });
}

// 80 s for four arrows, two a turn, carried over.
void tst_finalsEngine::mixedTeam_data()
{
    addRows({
        {"S t10 t20 w t20 w t20 w t30 w", "Ready L L40r0 R30r0 | 2 1 3"},
        {"S t10 t20 w t20 w t1", "Shooting L L59g2 R60r2 | 2 1"},
        {"R S t10 t55", "Shooting R L80r4 R25y4 | 2 1"},
    });
}

void tst_finalsEngine::shootOff_data()
{
    QTest::addColumn<FinalsKind>("kind");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("seen");
    QTest::newRow("individual") << FinalsKind::ShootOffIndividual << "S t10 t8 w t12 w"
                                << "Ready L L12r0 R8r0 | 2 1 3";
    QTest::newRow("team") << FinalsKind::ShootOffTeam << "R S t10 t30 w t59 w" << "Ready R L1r0 R30r0 | 2 1 3";
    QTest::newRow("mixed team, time up") << FinalsKind::ShootOffMixedTeam << "S t10 t40"
                                         << "Shooting R L0r0 R40g2 | 2 1 T";
}

void tst_finalsEngine::shootOff()
{
    QFETCH(FinalsKind, kind);
    QFETCH(QString, script);
    QFETCH(QString, seen);
    QCOMPARE(run(kind, script), seen);
}

QTEST_APPLESS_MAIN(tst_finalsEngine)
#include "tst_finalsEngine.moc"
