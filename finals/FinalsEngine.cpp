// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsEngine.h"

#include <algorithm>

FinalsEngine::FinalsEngine(std::function<void(FinalsSignal)> sound) : sound(std::move(sound))
{
    newEnd();
}

void FinalsEngine::SetMatch(const FinalsMatch &next)
{
    match = next;
    state = State::Ready;
    newEnd();
}

void FinalsEngine::ChooseStart(Side side)
{
    if (state != State::Ready || side == Side::None)
        return;
    starter = side;
    shooting = side;
}

void FinalsEngine::newEnd()
{
    count = {match.time, match.time};
    arrows = {match.arrowsPerEnd, match.arrowsPerEnd};
    shooting = starter;
    walkUp = 0;
}

void FinalsEngine::Start()
{
    if (state != State::Ready)
        return;
    newEnd();
    sound(FinalsSignal::CallToLine);
    walkUp = match.walkUp;
    state = State::WalkUp;
    if (walkUp <= 0)
        Tick();
}

void FinalsEngine::Tick()
{
    if (state == State::WalkUp) {
        walkUp = std::max(0, walkUp - 1);
        if (walkUp > 0)
            return;
        state = State::Shooting;
        sound(FinalsSignal::Start);
        return;
    }
    if (state != State::Shooting)
        return;
    int &left = count[index(shooting)];
    left = std::max(0, left - 1);
    if (left == 0)
        timeUp();
}

void FinalsEngine::timeUp()
{
    const int side = index(shooting);
    // The arrows of the turn are lost; with the time carried over there is
    // no time left for any of the side's arrows.
    arrows[side] = match.carryOver ? 0 : std::max(0, arrows[side] - match.arrowsPerTurn);
    sound(FinalsSignal::TimeUp);
    turnOver(shooting);
}

void FinalsEngine::Switch()
{
    if (state != State::Shooting)
        return;
    const int side = index(shooting);
    arrows[side] = std::max(0, arrows[side] - match.arrowsPerTurn);
    turnOver(shooting);
}

// The other side shoots next while it has arrows, else this one again;
// with no arrows on either side the end is over.
void FinalsEngine::turnOver(Side side)
{
    if (arrows[index(other(side))] > 0) {
        beginTurn(other(side));
    } else if (arrows[index(side)] > 0) {
        beginTurn(side);
    } else {
        // The clocks keep what the end left them until the next one starts.
        state = State::Ready;
        shooting = starter;
        sound(FinalsSignal::EndOfEnd);
    }
}

void FinalsEngine::beginTurn(Side side)
{
    shooting = side;
    if (!match.carryOver)
        count[index(side)] = match.time;
    state = State::Shooting;
}

void FinalsEngine::Stop()
{
    if (state != State::WalkUp && state != State::Shooting)
        return;
    stoppedFrom = state;
    state = State::Stopped;
    if (emergencySignal)
        sound(FinalsSignal::Emergency);
}

void FinalsEngine::Resume()
{
    if (state != State::Stopped)
        return;
    // Called to the line again; the count goes on after the walk-up.
    sound(FinalsSignal::CallToLine);
    walkUp = match.walkUp;
    state = State::WalkUp;
    if (walkUp <= 0)
        Tick();
}

void FinalsEngine::Reset()
{
    state = State::Ready;
    newEnd();
}

FinalsSide FinalsEngine::sideScreen(Side side, const QString &judgeSign) const
{
    FinalsSide shown;
    shown.arrowsLeft = arrows[index(side)];
    shown.arrowsPerEnd = match.arrowsPerEnd;
    shown.count = QString::number(count[index(side)]);
    shown.color = clRed;
    if (side != shooting)
        return shown;
    switch (state) {
    case State::Ready:
        break;
    case State::WalkUp:
        shown.count = QString::number(walkUp);
        break;
    case State::Stopped:
        shown.count = judgeSign;
        break;
    case State::Shooting: {
        const int left = count[index(side)];
        shown.color = left == 0 ? clRed : (match.warning > 0 && left <= match.warning ? clYellow : clGreen);
        break;
    }
    }
    return shown;
}

FinalsScreen FinalsEngine::Screen(const QString &judgeSign) const
{
    FinalsScreen screen;
    screen.shown = true;
    screen.left = sideScreen(Side::Left, judgeSign);
    screen.right = sideScreen(Side::Right, judgeSign);
    screen.shooting = shooting;
    return screen;
}
