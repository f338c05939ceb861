// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsView.h"

#include "FinalsPainter.h"
#include "ScreenPublisher.h"

#include <QEvent>
#include <QPainter>

FinalsView::FinalsView(ScreenPublisher *published, QWidget *counter)
    : QWidget(counter->parentWidget()), counter(counter)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(counter->geometry());
    counter->installEventFilter(this);
    hide();
    connect(published, &ScreenPublisher::screenChanged, this, &FinalsView::take);
    take(published->Current());
}

bool FinalsView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == counter && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        setGeometry(counter->geometry());
    return QWidget::eventFilter(watched, event);
}

void FinalsView::take(const ArcherScreen &screen)
{
    if (screen.finals == shown)
        return;
    shown = screen.finals;
    if (shown.shown) {
        setGeometry(counter->geometry());
        raise();
        show();
        update();
    } else {
        hide();
    }
}

void FinalsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    FinalsPainter::Paint(painter, rect(), shown, FinalsPainter::Face());
}
