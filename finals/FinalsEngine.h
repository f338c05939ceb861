// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FinalsMatch.h"
#include "FinalsScreen.h"

#include <QString>

#include <array>
#include <functional>

// The signals of a finals end.
enum class FinalsSignal {
    CallToLine, // two blasts
    Start,      // one blast: the first clock of the end starts
    TimeUp,     // a side's time is up
    EndOfEnd,   // three blasts
    Emergency,  // five blasts, on a stop while the emergency stop is on
};

// Alternate shooting: two sides, each with its own time and arrows, one
// shooting at a time. It knows no window and no timer: each tick and each of
// the operator's presses is a call, and it tells the signals it wants sounded
// through the function it is given.
//
// An end: Start calls the match to the line (two blasts) and counts the
// walk-up on the starting side in red; then one blast and that side's time
// runs, green, yellow from the warning time. Switch (this side has shot)
// stops its clock and runs the other side's; a side's clock that reaches 0
// shows 0 in red with a signal, the arrows it had for the turn are lost
// (with the time carried over, all it had left), and the turn passes on.
// When neither side has arrows left, three blasts end the end and the clocks
// are ready for the next one. Stop time stops both clocks; Resume calls the
// match to the line again and, after the walk-up, the interrupted side goes
// on with the time it had left. Reset abandons the end.
class FinalsEngine
{
public:
    using Side = FinalsScreen::Side;
    enum class State { Ready, WalkUp, Shooting, Stopped };

    explicit FinalsEngine(std::function<void(FinalsSignal)> sound);

    // A new match: the clocks are ready for its first end.
    void SetMatch(const FinalsMatch &match);
    const FinalsMatch &Match() const { return match; }
    // The side that starts the next end; only on the ready screen.
    void ChooseStart(Side side);
    // Stop time sounds the emergency signal.
    void SetEmergencySignal(bool on) { emergencySignal = on; }

    void Start();
    void Tick();
    void Switch();
    void Stop();
    void Resume();
    void Reset();

    State CurrentState() const { return state; }
    Side Shooting() const { return shooting; }
    Side Starter() const { return starter; }
    int Count(Side side) const { return count[index(side)]; }
    int ArrowsLeft(Side side) const { return arrows[index(side)]; }
    int WalkUpLeft() const { return walkUp; }

    // Both clocks as the archers see them; the stopped side shows the sign.
    FinalsScreen Screen(const QString &judgeSign) const;

private:
    static int index(Side side) { return side == Side::Right ? 1 : 0; }
    static Side other(Side side) { return side == Side::Left ? Side::Right : Side::Left; }
    void newEnd();
    void beginTurn(Side side);
    void turnOver(Side side);
    void timeUp();
    FinalsSide sideScreen(Side side, const QString &judgeSign) const;

    std::function<void(FinalsSignal)> sound;
    FinalsMatch match;
    State state = State::Ready;
    State stoppedFrom = State::Ready;
    Side starter = Side::Left;
    Side shooting = Side::Left;
    std::array<int, 2> count{};
    std::array<int, 2> arrows{};
    int walkUp = 0;
    bool emergencySignal = false;
};
