// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TCustomLabel.h"

#include <functional>

class TEMailLabel;

using TOnMouseOverEvent = std::function<void(TEMailLabel *Sender)>;
using TOnMouseOutEvent = std::function<void(TEMailLabel *Sender)>;

// A label that shows an e-mail address and starts a new message to it in
// the default mail program when clicked with the left mouse button. Over the
// label the text turns FontColorin (underlined if Underline is set), at rest
// it is FontColorOut, which becomes FontColorAfter once a mail was started.
class TEMailLabel : public TCustomLabel
{
    Q_OBJECT
    Q_PROPERTY(QString EMailAddress READ EMailAddress WRITE SetEMailAddress)
    Q_PROPERTY(TColor FontColorAfter READ FontColorAfter WRITE SetFontColorAfter)
    Q_PROPERTY(TColor FontColorin READ FontColorin WRITE SetFontColorin)
    Q_PROPERTY(TColor FontColorOut READ FontColorOut WRITE SetFontColorOut)
    Q_PROPERTY(bool Underline READ Underline WRITE SetUnderline)
public:
    // The address a new label shows until it is given its own.
    static inline const QString DefaultAddress = QStringLiteral("info@fletchwise.example");

    explicit TEMailLabel(QWidget *parent = nullptr);

    QString EMailAddress() const { return address; }
    void SetEMailAddress(const QString &value);
    TColor FontColorAfter() const { return fontColorAfter; }
    void SetFontColorAfter(TColor color) { fontColorAfter = color; }
    TColor FontColorin() const { return fontColorIn; }
    void SetFontColorin(TColor color) { fontColorIn = color; }
    TColor FontColorOut() const { return fontColorOut; }
    void SetFontColorOut(TColor color);
    bool Underline() const { return underline; }
    void SetUnderline(bool on) { underline = on; }

    TOnMouseOverEvent OnMouseOver;
    TOnMouseOutEvent OnMouseOut;

protected:
    void MouseEnter() override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Click();
    // Sets the whole font style: plain, or underlined only.
    void SetPlainStyle(bool underlined);

    QString address;
    TColor fontColorAfter = clMaroon;
    TColor fontColorIn = clBlue;
    TColor fontColorOut = clBlack;
    bool underline = true;
    bool leftPressed = false;
};
