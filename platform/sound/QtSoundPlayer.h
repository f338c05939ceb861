// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ISoundPlayer.h"

#include <QAudio>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QObject>
#include <QStringList>

#include <map>
#include <memory>

// The horn player, through Qt Multimedia, in place of sndPlaySoundA(name, SND_ASYNC).
//
// Every sound is read once, when the player is made, from the program's folder
// (the folder the start-up check looks in), so a bare name means the same file
// whatever the working folder, and a signal starts without touching the disk.
// Playing returns at once; the sound goes on while ticks and clicks are handled.
// A new sound cuts off the one still sounding. Nothing loops.
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
    // The sound being heard now, or empty when all is quiet.
    QString soundingName() const;
    QAudio::State stateOf(const QString &bareName) const;
    // How much of the sound its output took the last time it ended or was cut off.
    qint64 playedMicroseconds(const QString &bareName) const;

private:
    struct Sound;

    void load(const QString &folder, const QString &bareName);
    void createSinks();
    void createSink(Sound &sound);
    void followDefaultOutput();
    void stopSounding();
    void waitForTail(Sound &sound);
    void finishTail(Sound &sound);

    std::map<QString, std::unique_ptr<Sound>> sounds;
    Sound *sounding = nullptr;
    QMediaDevices mediaDevices;
    QAudioDevice output;
};
