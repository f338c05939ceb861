// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TCustomLabel.h"

// A label that opens a web address through the shell when clicked with the
// left, right or middle mouse button. Its text colour tells the state:
// LinkColor at rest until the link is first opened, VLinkColor at rest
// afterwards, HotColor while the pointer is over it and ALinkColor while a
// button is held down on it.
class TOHUrlLabel : public TCustomLabel
{
    Q_OBJECT
    Q_PROPERTY(Qt::CursorShape Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(QString URL READ URL WRITE SetURL)
    Q_PROPERTY(TColor LinkColor READ LinkColor WRITE SetLinkColor)
    Q_PROPERTY(TColor ALinkColor READ ALinkColor WRITE SetALinkColor)
    Q_PROPERTY(TColor VLinkColor READ VLinkColor WRITE SetVLinkColor)
    Q_PROPERTY(TColor HotColor READ HotColor WRITE SetHotColor)
public:
    explicit TOHUrlLabel(QWidget *parent = nullptr);

    Qt::CursorShape Cursor() const { return cursor().shape(); }
    void SetCursor(Qt::CursorShape shape) { setCursor(shape); }
    // The target; while empty, the caption is opened.
    QString URL() const { return url; }
    void SetURL(const QString &target) { url = target; }
    TColor LinkColor() const { return linkColor; }
    void SetLinkColor(TColor color);
    TColor ALinkColor() const { return aLinkColor; }
    void SetALinkColor(TColor color) { aLinkColor = color; }
    TColor VLinkColor() const { return vLinkColor; }
    void SetVLinkColor(TColor color);
    TColor HotColor() const { return hotColor; }
    void SetHotColor(TColor color) { hotColor = color; }

    bool Visited() const { return visited; }

protected:
    void FontChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TColor restColor() const { return visited ? vLinkColor : linkColor; }
    static bool isLinkButton(Qt::MouseButton button);
    bool releasedInside(const QMouseEvent *event) const;
    void openTarget();

    QString url;
    TColor linkColor = clBlue;
    TColor aLinkColor = clRed;
    TColor vLinkColor = clNavy;
    TColor hotColor = clRed;
    bool visited = false;
    bool pressed = false;
};
