// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ISoundPlayer.h"

#include <QObject>

// Plays every signal on the real player and then tells who listens which
// one it was, so a browser can sound the same horn. The real player stays
// the official signal; this one only passes the name on.
class AnnouncingSoundPlayer : public QObject, public ISoundPlayer
{
    Q_OBJECT
public:
    explicit AnnouncingSoundPlayer(ISoundPlayer *player, QObject *parent = nullptr)
        : QObject(parent), player(player)
    {
    }

    void PlaySound(const QString &bareName) override
    {
        player->PlaySound(bareName);
        emit played(bareName);
    }

signals:
    void played(const QString &bareName);

private:
    ISoundPlayer *player;
};
