// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadyExtras.h"

#include "ScreenPainter.h"
#include "ScreenPublisher.h"

#include <QEvent>
#include <QPainter>

ReadyExtras::ReadyExtras(ScreenPublisher *published, QWidget *pictureArea, const QFont &counterFont)
    : QWidget(pictureArea->parentWidget()), pictureArea(pictureArea), family(counterFont)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    family.setPointSize(12); // the layout sizes every text for its room
    setGeometry(pictureArea->geometry());
    raise();
    pictureArea->installEventFilter(this);
    connect(published, &ScreenPublisher::screenChanged, this, &ReadyExtras::take);
    take(published->Current());
}

void ReadyExtras::take(const ArcherScreen &screen)
{
    shown = screen;
    setVisible(!screen.CounterVisible() && (!screen.detail.isEmpty() || !screen.endLabel.isEmpty()));
    update();
}

bool ReadyExtras::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pictureArea && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        setGeometry(pictureArea->geometry());
    return QWidget::eventFilter(watched, event);
}

void ReadyExtras::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ScreenPainter::PaintReadyExtras(painter, shown, ScreenPainter::OnReadyScreen(rect(), shown, family));
}
