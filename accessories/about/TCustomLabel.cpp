// SPDX-License-Identifier: GPL-3.0-or-later
#include "TCustomLabel.h"

#include <QEvent>
#include <QMouseEvent>

#include <cmath>

TCustomLabel::TCustomLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TCustomLabel::SetCaption(const QString &caption)
{
    setText(caption);
    fitToCaption();
}

TColor TCustomLabel::FontColor() const
{
    return fromQColor(palette().color(QPalette::Active, QPalette::WindowText));
}

void TCustomLabel::SetFontColor(TColor color)
{
    // A disabled label keeps the greyed text of its disabled colour group.
    QPalette changed = palette();
    changed.setColor(QPalette::Active, QPalette::WindowText, toQColor(color));
    changed.setColor(QPalette::Inactive, QPalette::WindowText, toQColor(color));
    setPalette(changed);
}

void TCustomLabel::SetFontUnderline(bool underline)
{
    QFont changed = font();
    changed.setUnderline(underline);
    setFont(changed);
}

void TCustomLabel::SetAutoSize(bool on)
{
    autoSize = on;
    fitToCaption();
}

void TCustomLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToCaption();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        FontChanged();
}

void TCustomLabel::fitToCaption()
{
    if (autoSize)
        resize(sizeHint());
}

QPoint TCustomLabel::pixelOf(const QMouseEvent *event)
{
    return QPoint(int(std::floor(event->position().x())), int(std::floor(event->position().y())));
}

void TCustomLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    pointerOver(true);
}

void TCustomLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    pointerOver(false);
}

void TCustomLabel::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton)
        pointerOver(rect().contains(pixelOf(event)));
}

void TCustomLabel::pointerOver(bool over)
{
    if (over == mouseOver)
        return;
    mouseOver = over;
    if (over)
        MouseEnter();
    else
        MouseLeave();
}
