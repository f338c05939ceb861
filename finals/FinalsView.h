// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArcherScreen.h"

#include <QWidget>

class ScreenPublisher;

// The two clocks of finals in the main window: a view over the counter (and
// the picture area beside it), drawn from the published value while finals
// show, hidden otherwise.
class FinalsView : public QWidget
{
    Q_OBJECT
public:
    FinalsView(ScreenPublisher *published, QWidget *counter);

    const FinalsScreen &Shown() const { return shown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void take(const ArcherScreen &screen);

    QWidget *counter;
    FinalsScreen shown;
};
