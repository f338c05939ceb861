// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EMCIDeviceError.h"
#include "MPlayerControl.h"
#include "MPlayerTypes.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

// The media player strip: a row of equal push buttons (Play, Pause, Stop,
// Next, Prev, ...) that drive a device through the media control requests
// (MPlayerControl). With AutoEnable the buttons that the device's state
// allows are enabled and the rest grey; a button is pressed with the mouse
// or, when the strip has the focus, with Space (Left and Right move the
// focus between buttons).
class TMediaPlayer : public QWidget
{
    Q_OBJECT
public:
    using EMPNotify = std::function<void(QObject *Sender, TMPBtnType Button, bool &DoDefault)>;
    using EMPPostNotify = std::function<void(QObject *Sender, TMPBtnType Button)>;
    using TNotifyEvent = std::function<void(QObject *Sender)>;

    explicit TMediaPlayer(QWidget *parent = nullptr);
    ~TMediaPlayer() override;

    // Published properties.
    TMPDeviceTypes DeviceType() const { return control.deviceType; }
    void SetDeviceType(TMPDeviceTypes type) { control.deviceType = type; }
    TButtonSet VisibleButtons() const { return visibleButtons; }
    void SetVisibleButtons(TButtonSet buttons);
    TButtonSet EnabledButtons() const { return enabledButtons; }
    void SetEnabledButtons(TButtonSet buttons);
    TButtonSet ColoredButtons() const { return coloredButtons; }
    void SetColoredButtons(TButtonSet buttons);
    bool AutoEnable() const { return control.autoEnable; }
    void SetAutoEnable(bool on);
    bool AutoOpen() const { return autoOpen; }
    void SetAutoOpen(bool on) { autoOpen = on; }
    bool AutoRewind() const { return control.autoRewind; }
    void SetAutoRewind(bool on) { control.autoRewind = on; }
    bool Shareable() const { return control.shareable; }
    void SetShareable(bool on) { control.shareable = on; }
    QString FileName() const { return control.fileName; }
    void SetFileName(const QString &name) { control.fileName = name; }
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool on) { setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus); }

    EMPNotify OnClick;
    EMPPostNotify OnPostClick;
    TNotifyEvent OnNotify;

    // Called by the owning window once its components exist; opens the
    // device when AutoOpen is set.
    void Loaded();

    // Operations on the device.
    void Open();
    void Close();
    void Play();
    void Pause();
    void Resume();
    void Stop();
    void Next();
    void Prev();
    void Rewind();
    // The commands of the buttons beyond the five: the CD audio device
    // refuses them, and the refusal is kept as the last error.
    void Step(bool backwards);
    void StartRecording();
    void Eject();

    // What the device says; each of these status requests records its result
    // as the last error, except TrackPosition.
    TMPModes Mode() { return control.Mode(); }
    std::uint32_t Position() { return control.Position(); }
    std::uint32_t Length() { return control.Length(); }
    std::uint32_t Tracks() { return control.Tracks(); }
    std::uint32_t TimeFormat() { return control.TimeFormat(); }
    std::uint32_t TrackPosition(std::uint32_t track) { return control.TrackPosition(track); }

    // Run-time state.
    std::uint16_t DeviceID() const { return control.DeviceID(); }
    bool IsOpen() const { return control.IsOpen(); }
    std::uint32_t Error() const { return control.Error(); }
    QString ErrorMessage() const { return control.ErrorMessage(); }
    TMPNotifyValues NotifyValue() const { return control.NotifyValue(); }
    bool CanPlay() const { return control.CanPlay(); }
    bool CanEject() const { return control.CanEject(); }
    bool CanRecord() const { return control.CanRecord(); }
    bool HasVideo() const { return control.HasVideo(); }
    TButtonSet AutoButtons() const { return control.AutoButtons(); }
    TMPBtnType FocusedButton() const { return focusedButton; }

    // The layout and look of the buttons.
    int ButtonWidth() const;
    QRect ButtonRect(TMPBtnType kind) const;
    // Whether a button is shown enabled (coloured) rather than grey.
    bool ButtonEnabled(TMPBtnType kind) const;
    bool ButtonSunken(TMPBtnType kind) const;
    static int MinButtonWidth();
    static int MinHeight();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void activate(TMPBtnType kind, bool byMouse);
    void mmNotify(std::uint32_t notifyCode);
    void pressAt(const QPoint &point);
    void moveFocus(int step);
    void reportUnopened(const EMCIDeviceError &error);
    void fitSize();
    int visibleCount() const;
    void drawButton(class QPainter &painter, TMPBtnType kind) const;

    MPlayerControl control{this};
    TButtonSet visibleButtons = TButtonSet::All();
    TButtonSet enabledButtons = TButtonSet::All();
    TButtonSet coloredButtons = TButtonSet::All();
    bool autoOpen = false;

    TMPBtnType currentButton = btPlay;
    TMPBtnType focusedButton = btPlay;
    bool pressed = false;
    bool down = false;
};
