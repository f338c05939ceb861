// SPDX-License-Identifier: GPL-3.0-or-later
#include "EMailLabel.h"

#include "IShell.h"

#include <QMouseEvent>

TEMailLabel::TEMailLabel(QWidget *parent) : TCustomLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    SetEMailAddress(DefaultAddress);
}

void TEMailLabel::SetEMailAddress(const QString &value)
{
    address = value;
    SetCaption(value);
}

void TEMailLabel::SetFontColorOut(TColor color)
{
    fontColorOut = color;
    SetFontColor(color);
}

void TEMailLabel::MouseEnter()
{
    if (OnMouseOver)
        OnMouseOver(this);
    if (isEnabled()) {
        SetFontColor(fontColorIn);
        SetPlainStyle(underline);
    }
}

void TEMailLabel::MouseLeave()
{
    if (OnMouseOut)
        OnMouseOut(this);
    SetFontColor(fontColorOut);
    SetPlainStyle(false);
}

void TEMailLabel::SetPlainStyle(bool underlined)
{
    QFont changed = font();
    changed.setBold(false);
    changed.setItalic(false);
    changed.setStrikeOut(false);
    changed.setUnderline(underlined);
    setFont(changed);
}

void TEMailLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        leftPressed = true;
}

// The second press of a double click starts no click of its own, so a
// double click starts one mail.
void TEMailLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void TEMailLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = leftPressed && rect().contains(pixelOf(event));
    leftPressed = false;
    if (click)
        Click();
}

void TEMailLabel::Click()
{
    // The whole address goes to the mail program: cutting a long one short
    // would address the mail to somebody else.
    const QString target = QStringLiteral("mailto:") + Caption();
    Shell::get().ShellExecute(nullptr, QStringLiteral("open"), target, SW_SHOWNORMAL);
    // Shown when the pointer leaves; the text keeps FontColorin meanwhile.
    fontColorOut = fontColorAfter;
}
