// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TColor.h"

#include <QLabel>

// A label whose text colour and underline belong to its font, as the link
// labels see them, and which sizes itself to its caption while AutoSize is on.
class TCustomLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
public:
    explicit TCustomLabel(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString &caption);

    // The text colour, kept in the label's palette.
    TColor FontColor() const;
    void SetFontColor(TColor color);
    bool FontUnderline() const { return font().underline(); }
    void SetFontUnderline(bool underline);

    bool AutoSize() const { return autoSize; }
    void SetAutoSize(bool on);

    // Whether the pointer is over the label, as the label last heard.
    bool MouseOver() const { return mouseOver; }

    // The pixel a mouse event happened on, in the label's coordinates.
    static QPoint pixelOf(const QMouseEvent *event);

protected:
    // Runs after every change of the label's font or text colour, however
    // it was made.
    virtual void FontChanged() {}
    // The pointer came over the label or went off it. While a button is held
    // the window system keeps its own enter and leave back until the button
    // comes up; the label tells them from the moves meanwhile.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}

    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void fitToCaption();
    void pointerOver(bool over);
    bool autoSize = true;
    bool mouseOver = false;
};
