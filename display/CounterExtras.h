// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArcherScreen.h"

#include <QWidget>

class ScreenPublisher;

// The detail letters and the end's label in the main window: drawn over the
// counter, in the space its digits leave free, from the published value. It
// lies on the counter and shows with it; with no extras it stays hidden, and
// the window looks as it always did.
class CounterExtras : public QWidget
{
    Q_OBJECT
public:
    CounterExtras(ScreenPublisher *published, QWidget *counter);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void take(const ArcherScreen &screen);
    QRect extrasArea() const;

    QWidget *counter;
    ArcherScreen shown;
    QRect drawn;
};
