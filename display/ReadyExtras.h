// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArcherScreen.h"

#include <QFont>
#include <QWidget>

class ScreenPublisher;

// The detail letters and the end's label in the main window between ends:
// laid over the picture area, which covers the hidden counter, as the
// audience display draws them on its ready screen. While the counter shows,
// or with no extras, it stays hidden and the window looks as it always did.
class ReadyExtras : public QWidget
{
    Q_OBJECT
public:
    ReadyExtras(ScreenPublisher *published, QWidget *pictureArea, const QFont &counterFont);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void take(const ArcherScreen &screen);

    QWidget *pictureArea;
    QFont family;
    ArcherScreen shown;
};
