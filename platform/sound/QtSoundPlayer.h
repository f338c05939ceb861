// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ISoundPlayer.h"

#include <QAudio>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QObject>
#include <QStringList>

#include <cstdint>
#include <map>
#include <memory>

class QThread;
class SinkFeeder;

// The horn player, through Qt Multimedia, in place of sndPlaySoundA(name, SND_ASYNC).
//
// Every sound is read once, when the player is made, from the program's folder
// (the folder the start-up check looks in), so a bare name means the same file
// whatever the working folder, and a signal starts without touching the disk.
//
// All signals go out through one output stream, opened when the player is
// made and kept running, silent between signals, fed from a thread of its
// own: a busy window lets no silence into a blast, and playing only hands the
// sound to that thread, which writes it at once. A new sound cuts off the one
// still sounding, at the point the output had reached. Nothing loops. The
// stream follows the default output when it changes; a stream that broke
// down, or an output that was missing, is opened again with the next signal.
//
// Failures are silent: a sound that was missing or unreadable at start-up, an
// unknown name, or no audio output at all simply plays nothing. The start-up
// check has already told the timekeeper that the program runs without it.
class QtSoundPlayer : public QObject, public ISoundPlayer
{
    Q_OBJECT
public:
    // The horn signals: one, two and three blasts.
    static QStringList hornNames();

    explicit QtSoundPlayer(const QString &programFolder, const QStringList &bareNames = hornNames(),
                           QObject *parent = nullptr);
    ~QtSoundPlayer() override;

    void PlaySound(const QString &bareName) override;

    bool isLoaded(const QString &bareName) const;
    bool hasOutput() const { return !output.isNull(); }
    // The sound being heard now, or empty when all is quiet: a signal is
    // sounding from its call until its last sample has been played.
    QString soundingName() const;
    // ActiveState while the sound is sounding, StoppedState otherwise.
    QAudio::State stateOf(const QString &bareName) const;
    // How much of the sound was heard the last time it played, so far if it
    // still sounds, up to where it ended or was cut off.
    qint64 playedMicroseconds(const QString &bareName) const;

private:
    struct Sound;
    struct Progress
    {
        std::int64_t heardBytes = 0;
        bool over = true;
    };

    void load(const QString &folder, const QString &bareName);
    void open(const QAudioDevice &device);
    void followDefaultOutput();
    Progress progressOf(const Sound &sound) const;
    void settle(bool all);

    std::map<QString, std::unique_ptr<Sound>> sounds;
    Sound *sounding = nullptr;
    std::uint64_t lastPiece = 0; // the latest sound handed to the output, cut-offs included
    QMediaDevices mediaDevices;
    QAudioDevice output;
    std::unique_ptr<QThread> thread;
    std::unique_ptr<SinkFeeder> feeder;
};
