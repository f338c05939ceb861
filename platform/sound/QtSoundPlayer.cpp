// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtSoundPlayer.h"

#include "WaveFile.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QTimer>

namespace {

// An output turns idle once it has taken the last samples, while the sound
// server may still be playing a good part of them. The output is closed only
// when that tail has been heard; a server that lags is given about a second
// more, then the output is closed anyway.
constexpr int TailMarginMs = 50;
constexpr int MaxTailChecks = 20;

QAudioFormat::SampleFormat sampleFormatOf(WaveFile::SampleType type)
{
    switch (type) {
    case WaveFile::SampleType::UInt8: return QAudioFormat::UInt8;
    case WaveFile::SampleType::Int16: return QAudioFormat::Int16;
    case WaveFile::SampleType::Int32: return QAudioFormat::Int32;
    case WaveFile::SampleType::Float: return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

QAudioFormat audioFormatOf(const WaveFile &wave)
{
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(sampleFormatOf(wave.sampleType));
    return format;
}

} // namespace

// One sound, kept ready: its samples, a reader over them and its own output.
struct QtSoundPlayer::Sound
{
    QString name;
    WaveFile wave;
    qint64 lengthUSecs = 0;
    QBuffer reader;
    std::unique_ptr<QAudioSink> sink;
    QTimer tail;
    int tailChecks = 0;
    qint64 playedUSecs = 0;
};

QStringList QtSoundPlayer::hornNames()
{
    return {QStringLiteral("1dyt.wav"), QStringLiteral("2dyt.wav"), QStringLiteral("3dyt.wav")};
}

QtSoundPlayer::QtSoundPlayer(const QString &programFolder, const QStringList &bareNames, QObject *parent)
    : QObject(parent), output(QMediaDevices::defaultAudioOutput())
{
    for (const QString &name : bareNames)
        load(programFolder, name);
    createSinks();
    connect(&mediaDevices, &QMediaDevices::audioOutputsChanged, this, &QtSoundPlayer::followDefaultOutput);
}

QtSoundPlayer::~QtSoundPlayer()
{
    stopSounding();
}

void QtSoundPlayer::load(const QString &folder, const QString &bareName)
{
    std::optional<WaveFile> wave = WaveFile::load(folder + bareName);
    if (!wave)
        return;
    auto sound = std::make_unique<Sound>();
    sound->name = bareName;
    sound->wave = std::move(*wave);
    sound->lengthUSecs = qint64(sound->wave.seconds() * 1e6);
    sound->reader.setBuffer(&sound->wave.samples);
    sound->reader.open(QIODevice::ReadOnly);
    sound->tail.setSingleShot(true);
    Sound *ready = sound.get();
    connect(&sound->tail, &QTimer::timeout, this, [this, ready] { finishTail(*ready); });
    sounds[bareName] = std::move(sound);
}

void QtSoundPlayer::createSinks()
{
    for (auto &[name, sound] : sounds)
        createSink(*sound);
}

void QtSoundPlayer::createSink(Sound &sound)
{
    sound.tail.stop();
    sound.sink.reset();
    if (output.isNull())
        return;
    sound.sink = std::make_unique<QAudioSink>(output, audioFormatOf(sound.wave));
    connect(sound.sink.get(), &QAudioSink::stateChanged, this, [this, &sound](QAudio::State state) {
        if (state == QAudio::IdleState) {
            sound.tailChecks = 0;
            waitForTail(sound);
        }
    });
}

void QtSoundPlayer::waitForTail(Sound &sound)
{
    const qint64 left = sound.lengthUSecs - sound.sink->processedUSecs();
    sound.tail.start(int(qMax<qint64>(0, left) / 1000) + TailMarginMs);
}

// Closes the output once the whole sound has been heard. A sound started
// again meanwhile has left the idle state and is not touched.
void QtSoundPlayer::finishTail(Sound &sound)
{
    if (!sound.sink || sound.sink->state() != QAudio::IdleState)
        return;
    const qint64 played = sound.sink->processedUSecs();
    if (played < sound.lengthUSecs && ++sound.tailChecks < MaxTailChecks) {
        sound.tail.start(TailMarginMs);
        return;
    }
    sound.playedUSecs = played;
    sound.sink->stop();
    if (sounding == &sound)
        sounding = nullptr;
}

// When outputs come or go, the sounds follow the default output, so a
// loudspeaker plugged in during a tournament is used from the next signal on.
void QtSoundPlayer::followDefaultOutput()
{
    const QAudioDevice now = QMediaDevices::defaultAudioOutput();
    if (now == output)
        return;
    stopSounding();
    output = now;
    createSinks();
}

void QtSoundPlayer::stopSounding()
{
    if (!sounding)
        return;
    sounding->tail.stop();
    if (sounding->sink && sounding->sink->state() != QAudio::StoppedState) {
        sounding->playedUSecs = sounding->sink->processedUSecs();
        sounding->sink->stop();
    }
    sounding = nullptr;
}

// Whatever is sounding stops first, also when the new sound cannot be played:
// a signal that is due makes the one before it obsolete.
void QtSoundPlayer::PlaySound(const QString &bareName)
{
    stopSounding();
    const auto found = sounds.find(bareName);
    if (found == sounds.end() || !found->second->sink)
        return;
    Sound &sound = *found->second;
    sound.reader.seek(0);
    sound.playedUSecs = 0;
    sound.sink->start(&sound.reader);
    sounding = &sound;
}

bool QtSoundPlayer::isLoaded(const QString &bareName) const
{
    return sounds.count(bareName) != 0;
}

QString QtSoundPlayer::soundingName() const
{
    if (sounding && sounding->sink && sounding->sink->state() != QAudio::StoppedState)
        return sounding->name;
    return {};
}

QAudio::State QtSoundPlayer::stateOf(const QString &bareName) const
{
    const auto found = sounds.find(bareName);
    if (found == sounds.end() || !found->second->sink)
        return QAudio::StoppedState;
    return found->second->sink->state();
}

qint64 QtSoundPlayer::playedMicroseconds(const QString &bareName) const
{
    const auto found = sounds.find(bareName);
    return found == sounds.end() ? 0 : found->second->playedUSecs;
}
