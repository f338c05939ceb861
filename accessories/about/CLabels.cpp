// SPDX-License-Identifier: GPL-3.0-or-later
#include "CLabels.h"

#include "IMessageBoxes.h"
#include "IShell.h"

#include <QMouseEvent>

TOHUrlLabel::TOHUrlLabel(QWidget *parent) : TCustomLabel(parent)
{
    SetFontColor(clBlue);
    SetFontUnderline(true);
    setCursor(Qt::PointingHandCursor);
}

void TOHUrlLabel::SetLinkColor(TColor color)
{
    if (color == linkColor)
        return;
    if (visited)
        linkColor = color;
    else
        SetFontColor(color); // stored by FontChanged while the label is at rest
}

void TOHUrlLabel::SetVLinkColor(TColor color)
{
    if (color == vLinkColor)
        return;
    if (visited)
        SetFontColor(color); // stored by FontChanged while the label is at rest
    else
        vLinkColor = color;
}

// A colour given to the font while the label is at rest becomes the rest
// colour of its state. The pressed flag and the pointer-over state are set
// before the pressed and hot colours are shown, so these passing colours are
// never taken for rest colours; a leave shows the rest colour itself.
void TOHUrlLabel::FontChanged()
{
    if (pressed || MouseOver())
        return;
    if (visited)
        vLinkColor = FontColor();
    else
        linkColor = FontColor();
}

void TOHUrlLabel::MouseEnter()
{
    SetFontColor(pressed ? aLinkColor : hotColor);
}

void TOHUrlLabel::MouseLeave()
{
    SetFontColor(restColor());
}

// A double click arrives here too, through the base class's double-click
// handler, so each press of a double click counts.
void TOHUrlLabel::mousePressEvent(QMouseEvent *event)
{
    if (!isLinkButton(event->button())) {
        event->ignore();
        return;
    }
    event->accept(); // keeps the mouse, so the release comes back here
    pressed = true;
    SetFontColor(aLinkColor);
}

void TOHUrlLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isLinkButton(event->button())) {
        event->ignore();
        return;
    }
    event->accept();
    const bool inside = releasedInside(event);
    if (inside && pressed)
        openTarget();
    else if (!inside)
        SetFontColor(restColor());
    pressed = false;
}

// The extra buttons of a mouse (back, forward) leave the link alone.
bool TOHUrlLabel::isLinkButton(Qt::MouseButton button)
{
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

// The right and bottom edges count as inside: a release on the column just
// right of the label or the row just below it still opens the link.
bool TOHUrlLabel::releasedInside(const QMouseEvent *event) const
{
    const QPoint at = pixelOf(event);
    return at.x() >= 0 && at.x() <= width() && at.y() >= 0 && at.y() <= height();
}

void TOHUrlLabel::openTarget()
{
    visited = true;
    SetFontColor(vLinkColor);
    const QString target = url.isEmpty() ? Caption() : url;
    // The shell places its own messages over the form that holds the label;
    // a label outside any form has no window to offer.
    if (!parentWidget()) {
        MessageDlg(QStringLiteral("Control '%1' has no parent window").arg(objectName()), MessageKind::Error);
        return;
    }
    Shell::get().ShellExecute(window(), QStringLiteral("open"), target, SW_SHOW);
}
