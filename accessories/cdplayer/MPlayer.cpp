#include "MPlayer.h"

#include "Cp1252.h"
#include "IMci.h"
#include "IMessageBoxes.h"
#include "MPlayerGlyphs.h"
#include "MciNotifyEvent.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <array>
#include <vector>

using namespace Mci;

namespace {

constexpr std::array<const char *, 13> DeviceTypeNames = {
    "",         "AVIVideo", "CDAudio",   "DAT", "DigitalVideo", "MMMovie",  "Other",
    "Overlay",  "Scanner",  "Sequencer", "VCR", "Videodisc",    "WaveAudio",
};

constexpr std::uint32_t ErrorTextLength = 4096;

TMPNotifyValues notifyValueOf(std::uint32_t notifyCode)
{
    switch (notifyCode) {
    case MCI_NOTIFY_SUPERSEDED:
        return nvSuperseded;
    case MCI_NOTIFY_ABORTED:
        return nvAborted;
    case MCI_NOTIFY_FAILURE:
        return nvFailure;
    default:
        return nvSuccessful;
    }
}

} // namespace

TMediaPlayer::TMediaPlayer(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(MinButtonWidth() * 5, MinHeight());
    fitSize();
}

TMediaPlayer::~TMediaPlayer()
{
    // A device still held is closed, with no notification and no look at the result.
    if (deviceId != 0 && MciDevices::installed()) {
        MciParms parms;
        MciDevices::get().SendCommand(deviceId, MCI_CLOSE, MCI_WAIT, parms);
    }
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
    autoEnable = on;
    update();
}

void TMediaPlayer::Loaded()
{
    if (autoOpen)
        Open();
}

// ---- Requests --------------------------------------------------------------

std::uint32_t TMediaPlayer::send(std::uint32_t command, std::uint32_t flags, MciParms &parms) const
{
    return MciDevices::get().SendCommand(deviceId, command, flags, parms);
}

std::uint32_t TMediaPlayer::status(std::uint32_t item, bool record)
{
    MciParms parms;
    parms.dwItem = item;
    const std::uint32_t result = send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, parms);
    if (record)
        lastError = result;
    return parms.dwReturn;
}

std::uint32_t TMediaPlayer::capability(std::uint32_t item)
{
    MciParms parms;
    parms.dwItem = item;
    send(MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, parms);
    return parms.dwReturn;
}

TMPModes TMediaPlayer::Mode()
{
    const std::int64_t mode = static_cast<std::int64_t>(status(MCI_STATUS_MODE, true)) - MCI_MODE_NOT_READY;
    // A mode the device could not give reads as not ready.
    if (mode < mpNotReady || mode > mpOpen)
        return mpNotReady;
    return static_cast<TMPModes>(mode);
}

std::uint32_t TMediaPlayer::Position()
{
    return status(MCI_STATUS_POSITION, true);
}

std::uint32_t TMediaPlayer::Length()
{
    return status(MCI_STATUS_LENGTH, true);
}

std::uint32_t TMediaPlayer::Tracks()
{
    return status(MCI_STATUS_NUMBER_OF_TRACKS, true);
}

std::uint32_t TMediaPlayer::TimeFormat()
{
    return status(MCI_STATUS_TIME_FORMAT, true);
}

std::uint32_t TMediaPlayer::TrackPosition(std::uint32_t track)
{
    MciParms parms;
    parms.dwItem = MCI_STATUS_POSITION;
    parms.dwTrack = track;
    send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM | MCI_TRACK, parms);
    return parms.dwReturn;
}

QString TMediaPlayer::ErrorMessage() const
{
    std::vector<char> buffer(ErrorTextLength, '\0');
    if (!MciDevices::get().GetErrorString(lastError, buffer.data(), ErrorTextLength))
        return QStringLiteral("Unknown error code");
    buffer.back() = '\0';
    return Cp1252::decode(QByteArray(buffer.data()));
}

void TMediaPlayer::checkOpen() const
{
    if (!opened)
        throw EMCIDeviceError(QStringLiteral("No MCI device open"));
}

// ---- Operations ------------------------------------------------------------

void TMediaPlayer::Open()
{
    if (opened)
        Close();
    MciParms parms;
    parms.dwCallback = this;
    std::uint32_t flags = MCI_WAIT;
    if (deviceType != dtAutoSelect) {
        flags |= MCI_OPEN_TYPE;
        parms.lpstrDeviceType = DeviceTypeNames[deviceType];
    }
    if (!fileName.isEmpty()) {
        flags |= MCI_OPEN_ELEMENT;
        parms.lpstrElementName = Cp1252::encode(fileName);
    }
    if (shareable)
        flags |= MCI_OPEN_SHAREABLE;
    lastError = MciDevices::get().SendCommand(0, MCI_OPEN, flags, parms);
    if (lastError != 0)
        throw EMCIDeviceError(ErrorMessage());

    opened = true;
    deviceId = parms.wDeviceID;
    canPlay = capability(MCI_GETDEVCAPS_CAN_PLAY) != 0;
    canEject = capability(MCI_GETDEVCAPS_CAN_EJECT) != 0;
    canRecord = capability(MCI_GETDEVCAPS_CAN_RECORD) != 0;
    hasVideo = capability(MCI_GETDEVCAPS_HAS_VIDEO) != 0;
    capability(MCI_GETDEVCAPS_DEVICE_TYPE);
    if (deviceType == dtCDAudio) {
        MciParms set;
        set.dwTimeFormat = MCI_FORMAT_TMSF;
        lastError = send(MCI_SET, MCI_SET_TIME_FORMAT, set);
    }
    Length();

    autoButtons = {btNext, btPrev};
    if (canPlay)
        autoButtons.Include(btPlay);
    if (Mode() == mpPlaying)
        autoButtonSet(btPlay);
    update();
}

void TMediaPlayer::Close()
{
    if (deviceId == 0)
        return;
    MciParms parms;
    lastError = send(MCI_CLOSE, MCI_WAIT, parms);
    if (lastError != 0)
        return;
    opened = false;
    deviceId = 0;
    autoButtons = {};
    update();
}

void TMediaPlayer::Play()
{
    checkOpen();
    if (autoRewind && !usePendingFrom && Position() == Length())
        Rewind();
    MciParms parms;
    parms.dwCallback = this;
    std::uint32_t flags = MCI_NOTIFY;
    if (usePendingFrom) {
        flags |= MCI_FROM;
        parms.dwFrom = pendingFrom;
        usePendingFrom = false;
    }
    lastError = send(MCI_PLAY, flags, parms);
}

void TMediaPlayer::Pause()
{
    checkOpen();
    const TMPModes mode = Mode();
    if (mode == mpPlaying) {
        MciParms parms;
        lastError = send(MCI_PAUSE, MCI_WAIT, parms);
    } else if (mode == mpPaused) {
        Resume();
        if (lastError != 0)
            Play();
    }
}

void TMediaPlayer::Resume()
{
    checkOpen();
    MciParms parms;
    parms.dwCallback = this;
    lastError = send(MCI_RESUME, MCI_NOTIFY, parms);
}

void TMediaPlayer::Stop()
{
    checkOpen();
    MciParms parms;
    lastError = send(MCI_STOP, MCI_WAIT, parms);
}

void TMediaPlayer::Next()
{
    checkOpen();
    if (TimeFormat() != MCI_FORMAT_TMSF) {
        MciParms parms;
        lastError = send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END, parms);
        return;
    }
    const std::uint32_t track = TmsfTrack(Position());
    const std::uint32_t tracks = Tracks();
    const std::uint32_t target = TrackPosition(track < tracks ? track + 1 : tracks);
    if (Mode() == mpPlaying)
        playFromPending(target);
    else
        seekTo(target);
}

void TMediaPlayer::Prev()
{
    checkOpen();
    if (TimeFormat() != MCI_FORMAT_TMSF) {
        MciParms parms;
        lastError = send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, parms);
        return;
    }
    const std::uint32_t position = Position();
    const std::uint32_t track = TmsfTrack(position);
    std::uint32_t target = TrackPosition(track);
    const bool firstSecond = TmsfMinutes(position) == TmsfMinutes(target) && TmsfSeconds(position) == TmsfSeconds(target);
    if (firstSecond && track != 1)
        target = TrackPosition(track - 1);
    if (Mode() == mpPlaying)
        playFromPending(target);
    else
        seekTo(target);
}

void TMediaPlayer::Rewind()
{
    checkOpen();
    MciParms parms;
    send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, parms);
}

void TMediaPlayer::Step(bool backwards)
{
    checkOpen();
    MciParms parms;
    lastError = send(MCI_STEP, MCI_WAIT | (backwards ? MCI_STEP_REVERSE : 0), parms);
}

void TMediaPlayer::StartRecording()
{
    checkOpen();
    MciParms parms;
    parms.dwCallback = this;
    lastError = send(MCI_RECORD, MCI_NOTIFY, parms);
}

void TMediaPlayer::Eject()
{
    checkOpen();
    MciParms parms;
    lastError = send(MCI_SET, MCI_WAIT | MCI_SET_DOOR_OPEN, parms);
}

void TMediaPlayer::seekTo(std::uint32_t target)
{
    MciParms parms;
    parms.dwTo = target;
    lastError = send(MCI_SEEK, MCI_WAIT | MCI_TO, parms);
}

void TMediaPlayer::playFromPending(std::uint32_t target)
{
    pendingFrom = target;
    usePendingFrom = true;
    Play();
    currentButton = btPlay;
}

// ---- Buttons ---------------------------------------------------------------

void TMediaPlayer::runCommand(TMPBtnType kind)
{
    switch (kind) {
    case btPlay:
        Play();
        break;
    case btPause:
        Pause();
        break;
    case btStop:
        Stop();
        break;
    case btNext:
        Next();
        break;
    case btPrev:
        Prev();
        break;
    case btStep:
        Step(false);
        break;
    case btBack:
        Step(true);
        break;
    case btRecord:
        StartRecording();
        break;
    case btEject:
        Eject();
        break;
    }
}

void TMediaPlayer::activate(TMPBtnType kind, bool byMouse)
{
    bool doDefault = true;
    if (OnClick)
        OnClick(this, kind, doDefault);
    currentButton = kind;
    if (doDefault) {
        runCommand(kind);
        if (OnPostClick)
            OnPostClick(this, currentButton);
    }
    if (autoEnable && (!byMouse || (lastError == 0 && opened)))
        autoButtonSet(currentButton);
    update();
}

void TMediaPlayer::autoButtonSet(TMPBtnType kind)
{
    switch (kind) {
    case btPlay:
        autoButtons.Include(btPause);
        autoButtons.Include(btStop);
        autoButtons.Exclude(btPlay);
        break;
    case btPause:
        if (canPlay)
            autoButtons.Include(btPlay);
        break;
    case btStop:
    case btNext:
    case btPrev:
        if (canPlay)
            autoButtons.Include(btPlay);
        autoButtons.Exclude(btPause);
        autoButtons.Exclude(btStop);
        break;
    default:
        break;
    }
}

void TMediaPlayer::mmNotify(std::uint32_t notifyCode)
{
    if (autoEnable && Mode() == mpStopped) {
        if (canPlay)
            autoButtons.Include(btPlay);
        autoButtons.Exclude(btPause);
        autoButtons.Exclude(btStop);
        update();
    }
    notifyValue = notifyValueOf(notifyCode);
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
    return !autoEnable || autoButtons.Contains(kind);
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
