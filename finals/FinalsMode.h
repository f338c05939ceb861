// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FinalsEngine.h"

#include <QList>
#include <QObject>

#include <functional>

class FinalsPage;
class FinalsView;
class QPushButton;
class QWidget;
class ScreenPublisher;
class TTimer;

// Finals beside the shooting sequence: while the page's option is on, the
// clock's own sequence buttons make way for the finals buttons in the button
// row, the engine runs on a timer of its own, its signals sound, and both
// sides' clocks are published for every view. The clock's own state and
// handlers are never touched; switched off, the row is as it was.
class FinalsMode : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        ScreenPublisher *published = nullptr;
        QWidget *buttonRow = nullptr;
        // The main window's counter: the finals view lies over it.
        QWidget *counter = nullptr;
        // The sequence's buttons, hidden while finals are on.
        QList<QWidget *> sequenceButtons;
        // Buttons only for the ready screen (setup, about), hidden while an end runs.
        QList<QWidget *> readyButtons;
        // Whether Stop time sounds the emergency signal.
        std::function<bool()> emergencySignal;
    };

    explicit FinalsMode(const Parts &parts, QObject *parent = nullptr);

    FinalsPage *Page = nullptr;
    FinalsView *View = nullptr;
    TTimer *Timer = nullptr;
    FinalsEngine Engine;

    QPushButton *StartButton = nullptr;
    QPushButton *SwitchButton = nullptr;
    QPushButton *LeftStartsButton = nullptr;
    QPushButton *RightStartsButton = nullptr;
    QPushButton *StopButton = nullptr;
    QPushButton *ResumeButton = nullptr;
    QPushButton *ResetButton = nullptr;
    // Every finals button, for a list of what a phone may press.
    QList<QPushButton *> Buttons() const;

    bool IsOn() const { return on; }
    void SetOn(bool wanted);

    // The operator's presses and the timer's tick.
    void StartClick();
    void SwitchClick();
    void ChooseStart(FinalsScreen::Side side);
    void StopClick();
    void ResumeClick();
    void ResetClick();
    void Tick();

signals:
    // Finals were switched on or off.
    void switched(bool on);

private:
    QPushButton *createButton(int left, int top, const QString &caption);
    void pageChanged();
    void sound(FinalsSignal signal);
    void show();

    Parts parts;
    bool on = false;
    QList<QWidget *> hiddenByFinals;
    QList<QWidget *> readyShown;
};
