// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArcherScreen.h"

#include <QObject>

#include <functional>

// Holds the one value of what the archers see and announces each change of
// it, once per change, to every view. The main window writes the counter and
// picture parts; tournament rules write the extras.
class ScreenPublisher : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const ArcherScreen &Current() const { return current; }

    // Applies an edit to the value and announces the result if it differs.
    void Change(const std::function<void(ArcherScreen &)> &edit);

    void SetDetail(const QString &detail);
    void SetEndLabel(const QString &label);
    void SetFinals(const FinalsScreen &finals);

    // Held while one handler runs: the value it passes through step by step
    // is kept back, and what it ends with is announced once, when the last
    // hold goes. Holds nest.
    class Batch
    {
    public:
        explicit Batch(ScreenPublisher *publisher);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        ScreenPublisher *publisher;
    };

signals:
    void screenChanged(const ArcherScreen &screen);

private:
    void announce();

    ArcherScreen current;
    ArcherScreen announced;
    int holds = 0;
};
