// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtSoundPlayer.h"

#include "SinkFeeder.h"
#include "WaveFile.h"

#include <QThread>

#include <algorithm>

namespace {

constexpr int OutputRate = 44100;
constexpr int BytesPerFrame = 4;
// What the output holds ahead of the loudspeaker: a signal is heard some 60 ms
// after it was handed over, and the sound server or the feeder's thread may
// be kept from running for nearly this long (on a machine busy with other
// work) before a blast breaks up; with 25 or 50 ms blasts broke up then.
constexpr int OutputBufferMs = 100;
constexpr int OutputBufferBytes = OutputRate * BytesPerFrame * OutputBufferMs / 1000;

qint64 microsecondsOf(std::int64_t bytes)
{
    return bytes * 1000000 / (std::int64_t{OutputRate} * BytesPerFrame);
}

} // namespace

// One sound, kept ready as the output takes it, and what became of the last
// time it was played.
struct QtSoundPlayer::Sound
{
    QString name;
    QByteArray samples;
    std::uint64_t piece = 0; // as the feeder numbers what it was handed; 0 for never played
    mutable bool settled = true;
    mutable std::int64_t heardBytes = 0;
};

QStringList QtSoundPlayer::hornNames()
{
    return {QStringLiteral("1dyt.wav"), QStringLiteral("2dyt.wav"), QStringLiteral("3dyt.wav")};
}

QtSoundPlayer::QtSoundPlayer(const QString &programFolder, const QStringList &bareNames, QObject *parent)
    : QObject(parent), output(QMediaDevices::defaultAudioOutput()), thread(std::make_unique<QThread>()),
      feeder(std::make_unique<SinkFeeder>(0, OutputBufferBytes, SinkFeeder::WhenDry::PlaySilence))
{
    for (const QString &name : bareNames)
        load(programFolder, name);
    thread->setObjectName(QStringLiteral("Horn output"));
    feeder->moveToThread(thread.get());
    thread->start();
    // At start-up the player waits for its output, so the first signal finds it running.
    if (!output.isNull() && output.isFormatSupported(SinkFeeder::Format()))
        QMetaObject::invokeMethod(feeder.get(), "start", Qt::BlockingQueuedConnection, Q_ARG(QAudioDevice, output));
    connect(&mediaDevices, &QMediaDevices::audioOutputsChanged, this, &QtSoundPlayer::followDefaultOutput);
}

QtSoundPlayer::~QtSoundPlayer()
{
    QMetaObject::invokeMethod(feeder.get(), "shutdown", Qt::BlockingQueuedConnection);
    thread->quit();
    thread->wait();
}

void QtSoundPlayer::load(const QString &folder, const QString &bareName)
{
    std::optional<WaveFile> wave = WaveFile::load(folder + bareName);
    if (!wave)
        return;
    auto sound = std::make_unique<Sound>();
    sound->name = bareName;
    sound->samples = wave->toStereo16(OutputRate);
    sounds[bareName] = std::move(sound);
}

// Asks the feeder to open a stream on the device, without waiting: the
// signal handed over next is written as soon as the stream runs.
void QtSoundPlayer::open(const QAudioDevice &device)
{
    settle(true);
    sounding = nullptr;
    output = device;
    if (output.isNull())
        QMetaObject::invokeMethod(feeder.get(), "shutdown", Qt::QueuedConnection);
    else if (output.isFormatSupported(SinkFeeder::Format()))
        feeder->StartSoon(output);
}

// When outputs come or go, the stream follows the default output, so a
// loudspeaker plugged in during a tournament is used from then on (and
// from the next signal on when only the choice of the default changed).
void QtSoundPlayer::followDefaultOutput()
{
    const QAudioDevice now = QMediaDevices::defaultAudioOutput();
    if (now != output)
        open(now);
}

QtSoundPlayer::Progress QtSoundPlayer::progressOf(const Sound &sound) const
{
    if (sound.settled)
        return {sound.heardBytes, true};
    if (!feeder->Running() || feeder->Failed())
        return {sound.heardBytes, true};
    const std::int64_t start = feeder->StartOf(sound.piece);
    if (start < 0) // still to be written, unless something came after it
        return {0, sound.piece != lastPiece};
    std::int64_t end = start + sound.samples.size();
    if (sound.piece != lastPiece) {
        const std::int64_t next = feeder->StartOf(sound.piece + 1);
        if (next >= 0)
            end = std::min(end, next);
    }
    const std::int64_t heard = feeder->Heard();
    return {std::clamp<std::int64_t>(heard - start, 0, end - start), heard >= end};
}

// Remembers what became of the sounds played before, while the feeder still
// knows; with all, also of those still going, as the stream is given up.
void QtSoundPlayer::settle(bool all)
{
    for (auto &[name, sound] : sounds) {
        if (sound->settled)
            continue;
        const Progress progress = progressOf(*sound);
        if (progress.over || all) {
            sound->heardBytes = progress.heardBytes;
            sound->settled = true;
        }
    }
}

// Whatever is sounding stops first, also when the new sound cannot be played:
// a signal that is due makes the one before it obsolete.
void QtSoundPlayer::PlaySound(const QString &bareName)
{
    settle(false);
    // The outputs' notice does not come when only the default changes.
    const QAudioDevice now = QMediaDevices::defaultAudioOutput();
    if (now != output || output.isNull() || !feeder->Running() || feeder->Failed())
        open(now);
    sounding = nullptr;
    if (output.isNull())
        return;
    const auto found = sounds.find(bareName);
    Sound *sound = found == sounds.end() ? nullptr : found->second.get();
    lastPiece = feeder->Replace(sound ? sound->samples : QByteArray());
    if (!sound)
        return;
    sound->piece = lastPiece;
    sound->settled = false;
    sound->heardBytes = 0;
    sounding = sound;
}

bool QtSoundPlayer::isLoaded(const QString &bareName) const
{
    return sounds.count(bareName) != 0;
}

QString QtSoundPlayer::soundingName() const
{
    if (sounding && !progressOf(*sounding).over)
        return sounding->name;
    return {};
}

QAudio::State QtSoundPlayer::stateOf(const QString &bareName) const
{
    return !bareName.isEmpty() && soundingName() == bareName ? QAudio::ActiveState : QAudio::StoppedState;
}

qint64 QtSoundPlayer::playedMicroseconds(const QString &bareName) const
{
    const auto found = sounds.find(bareName);
    return found == sounds.end() ? 0 : microsecondsOf(progressOf(*found->second).heardBytes);
}
