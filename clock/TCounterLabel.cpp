// SPDX-License-Identifier: GPL-3.0-or-later
#include "TCounterLabel.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

TCounterLabel::TCounterLabel(const QString &text, QWidget *parent) : QWidget(parent), caption(text)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCounterLabel::setText(const QString &text)
{
    if (text != caption)
        changeText(text, align);
}

void TCounterLabel::setAlignment(Qt::Alignment alignment)
{
    if (alignment != align)
        changeText(caption, alignment);
}

void TCounterLabel::changeText(const QString &text, Qt::Alignment alignment)
{
    const QRect before = textArea();
    caption = text;
    align = alignment;
    update(before | textArea());
    emit changed();
}

void TCounterLabel::setVisible(bool visible)
{
    const bool wasHidden = isHidden();
    QWidget::setVisible(visible);
    if (wasHidden != isHidden())
        emit changed();
}

QRect TCounterLabel::textArea() const
{
    if (caption.isEmpty())
        return {};
    const QFontMetrics metrics(font());
    const QRect logical = metrics.boundingRect(rect(), static_cast<int>(align), caption);
    // Bold glyphs reach a little past their advance and below the descent.
    const int margin = metrics.height() / 8 + 2;
    return logical.adjusted(-margin, -margin, margin, margin) & rect();
}

void TCounterLabel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(rect(), static_cast<int>(align), caption);
}

void TCounterLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        emit changed();
}
