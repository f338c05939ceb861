// SPDX-License-Identifier: GPL-3.0-or-later
#include "MPlayer.h"

#include "IMessageBoxes.h"
#include "MPlayerGlyphs.h"
#include "MciNotifyEvent.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TMediaPlayer::TMediaPlayer(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(MinButtonWidth() * 5, MinHeight());
    fitSize();
}

TMediaPlayer::~TMediaPlayer()
{
    control.Release();
}

// ---- Properties ------------------------------------------------------------

void TMediaPlayer::SetVisibleButtons(TButtonSet buttons)
{
    visibleButtons = buttons;
    fitSize();
    update();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet buttons)
{
    enabledButtons = buttons;
    update();
}

void TMediaPlayer::SetColoredButtons(TButtonSet buttons)
{
    coloredButtons = buttons;
    update();
}

void TMediaPlayer::SetAutoEnable(bool on)
{
    control.autoEnable = on;
    update();
}

void TMediaPlayer::Loaded()
{
    if (autoOpen)
        Open();
}

// ---- Operations ------------------------------------------------------------

void TMediaPlayer::Open()
{
    control.Open();
    update();
}

void TMediaPlayer::Close()
{
    control.Close();
    update();
}

void TMediaPlayer::Play()
{
    control.Play();
}

void TMediaPlayer::Pause()
{
    control.Pause();
}

void TMediaPlayer::Resume()
{
    control.Resume();
}

void TMediaPlayer::Stop()
{
    control.Stop();
}

void TMediaPlayer::Next()
{
    if (control.Next())
        currentButton = btPlay;
}

void TMediaPlayer::Prev()
{
    if (control.Prev())
        currentButton = btPlay;
}

void TMediaPlayer::Rewind()
{
    control.Rewind();
}

void TMediaPlayer::Step(bool backwards)
{
    control.Step(backwards);
}

void TMediaPlayer::StartRecording()
{
    control.StartRecording();
}

void TMediaPlayer::Eject()
{
    control.Eject();
}

// ---- Buttons ---------------------------------------------------------------

void TMediaPlayer::activate(TMPBtnType kind, bool byMouse)
{
    bool doDefault = true;
    if (OnClick)
        OnClick(this, kind, doDefault);
    currentButton = kind;
    if (doDefault) {
        currentButton = control.Run(kind);
        if (OnPostClick)
            OnPostClick(this, currentButton);
    }
    control.Activated(currentButton, byMouse);
    update();
}

void TMediaPlayer::mmNotify(std::uint32_t notifyCode)
{
    control.Notified(notifyCode);
    update();
    if (OnNotify)
        OnNotify(this);
}

bool TMediaPlayer::event(QEvent *event)
{
    if (event->type() == MciNotifyEvent::eventType()) {
        mmNotify(static_cast<MciNotifyEvent *>(event)->wParam());
        return true;
    }
    return QWidget::event(event);
}

// ---- Layout and drawing ----------------------------------------------------

int TMediaPlayer::MinButtonWidth()
{
    return MPlayerGlyphs::MaxWidth() + 8;
}

int TMediaPlayer::MinHeight()
{
    return MPlayerGlyphs::MaxHeight() + 4;
}

int TMediaPlayer::visibleCount() const
{
    int count = 0;
    for (int kind = 0; kind < MPButtonKinds; ++kind)
        count += visibleButtons.Contains(static_cast<TMPBtnType>(kind)) ? 1 : 0;
    return count;
}

int TMediaPlayer::ButtonWidth() const
{
    const int count = visibleCount();
    if (count == 0)
        return MinButtonWidth();
    return std::max(MinButtonWidth(), (width() - 1) / count + 1);
}

QRect TMediaPlayer::ButtonRect(TMPBtnType kind) const
{
    if (!visibleButtons.Contains(kind))
        return {};
    int index = 0;
    for (int other = 0; other < kind; ++other)
        index += visibleButtons.Contains(static_cast<TMPBtnType>(other)) ? 1 : 0;
    const int buttonWidth = ButtonWidth();
    return QRect(index * (buttonWidth - 1), 0, buttonWidth, height());
}

void TMediaPlayer::fitSize()
{
    const int count = std::max(1, visibleCount());
    const int wanted = count * (ButtonWidth() - 1) + 1;
    const int high = std::max(height(), MinHeight());
    if (wanted != width() || high != height())
        resize(wanted, high);
}

void TMediaPlayer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitSize();
}

bool TMediaPlayer::ButtonEnabled(TMPBtnType kind) const
{
    if (!isEnabled() || !enabledButtons.Contains(kind))
        return false;
    return control.Allows(kind);
}

bool TMediaPlayer::ButtonSunken(TMPBtnType kind) const
{
    return down && kind == currentButton;
}

void TMediaPlayer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    for (int kind = 0; kind < MPButtonKinds; ++kind) {
        if (visibleButtons.Contains(static_cast<TMPBtnType>(kind)))
            drawButton(painter, static_cast<TMPBtnType>(kind));
    }
}

void TMediaPlayer::drawButton(QPainter &painter, TMPBtnType kind) const
{
    const QRect box = ButtonRect(kind);
    const bool sunken = ButtonSunken(kind);
    const QColor face = palette().color(QPalette::Button);
    const QColor light = Qt::white;
    const QColor shadow(128, 128, 128);
    painter.fillRect(box, face);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QRect inner = box.adjusted(1, 1, -2, -2);
    painter.setPen(sunken ? shadow : light);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    if (!sunken) {
        painter.setPen(shadow);
        painter.drawLine(inner.bottomLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomRight());
    }

    MPlayerGlyphs::Variant variant = MPlayerGlyphs::Grey;
    if (ButtonEnabled(kind))
        variant = coloredButtons.Contains(kind) ? MPlayerGlyphs::Colored : MPlayerGlyphs::Plain;
    const QImage &glyph = MPlayerGlyphs::Image(kind, variant);
    const int offset = sunken ? 1 : 0;
    painter.drawImage(box.left() + (box.width() - glyph.width()) / 2 + offset,
                      box.top() + (box.height() - glyph.height()) / 2 + offset, glyph);

    if (hasFocus() && kind == focusedButton) {
        QPen dotted(Qt::black);
        dotted.setStyle(Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(box.adjusted(3, 3, -4, -4));
    }
}

// ---- Mouse and keyboard ----------------------------------------------------

void TMediaPlayer::pressAt(const QPoint &point)
{
    const int buttonWidth = ButtonWidth();
    for (int kind = 0; kind < MPButtonKinds; ++kind) {
        const auto button = static_cast<TMPBtnType>(kind);
        const QRect box = ButtonRect(button);
        if (box.isNull() || point.x() < box.left() || point.x() > box.left() + buttonWidth)
            continue;
        if (!ButtonEnabled(button))
            return;
        currentButton = button;
        focusedButton = button;
        pressed = true;
        down = true;
        update();
        return;
    }
}

void TMediaPlayer::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pressAt(event->position().toPoint());
}

void TMediaPlayer::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void TMediaPlayer::mouseMoveEvent(QMouseEvent *event)
{
    if (!pressed)
        return;
    const bool inside = ButtonRect(currentButton).contains(event->position().toPoint());
    if (inside != down) {
        down = inside;
        update();
    }
}

void TMediaPlayer::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !pressed)
        return;
    pressed = false;
    if (!down)
        return;
    down = false;
    try {
        activate(currentButton, true);
    } catch (const EMCIDeviceError &error) {
        reportUnopened(error);
    }
}

void TMediaPlayer::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (enabledButtons.Contains(focusedButton)) {
            try {
                activate(focusedButton, false);
            } catch (const EMCIDeviceError &error) {
                reportUnopened(error);
            }
        }
        break;
    case Qt::Key_Left:
        moveFocus(-1);
        break;
    case Qt::Key_Right:
        moveFocus(1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TMediaPlayer::moveFocus(int step)
{
    for (int kind = focusedButton + step; kind >= 0 && kind < MPButtonKinds; kind += step) {
        if (visibleButtons.Contains(static_cast<TMPBtnType>(kind))) {
            focusedButton = static_cast<TMPBtnType>(kind);
            update();
            return;
        }
    }
}

void TMediaPlayer::reportUnopened(const EMCIDeviceError &error)
{
    // An error may not leave an event handler; it is shown as the window
    // system shows any error that reaches it, and the press ends there.
    update();
    MessageDlg(error.Message(), MessageKind::Error);
}

void TMediaPlayer::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TMediaPlayer::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
