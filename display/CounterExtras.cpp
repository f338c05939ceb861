// SPDX-License-Identifier: GPL-3.0-or-later
#include "CounterExtras.h"

#include "ScreenPainter.h"
#include "ScreenPublisher.h"

#include <QEvent>
#include <QPainter>

CounterExtras::CounterExtras(ScreenPublisher *published, QWidget *counter) : QWidget(counter), counter(counter)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(counter->rect());
    counter->installEventFilter(this);
    connect(published, &ScreenPublisher::screenChanged, this, &CounterExtras::take);
    take(published->Current());
}

void CounterExtras::take(const ArcherScreen &screen)
{
    shown = screen;
    setVisible(!screen.detail.isEmpty() || !screen.endLabel.isEmpty());
    // Only where the letters were and are now: a tick repaints digits, not
    // the whole counter.
    const QRect before = drawn;
    drawn = extrasArea();
    update(before | drawn);
}

QRect CounterExtras::extrasArea() const
{
    if (isHidden())
        return {};
    ScreenPainter::Layout layout = ScreenPainter::AroundCounter(rect(), shown, counter->font());
    layout.counter = {};
    return ScreenPainter::InkArea(layout);
}

bool CounterExtras::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == counter && event->type() == QEvent::Resize)
        setGeometry(counter->rect());
    if (watched == counter && (event->type() == QEvent::FontChange || event->type() == QEvent::Resize)) {
        drawn = extrasArea();
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void CounterExtras::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ScreenPainter::PaintExtras(painter, shown, ScreenPainter::AroundCounter(rect(), shown, counter->font()));
}
