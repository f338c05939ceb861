// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Seam.h"

#include <QString>

// Stand-in for sndPlaySoundA(name, SND_ASYNC): returns at once, the sound plays
// while the program goes on, a new sound cuts off the one still sounding, and
// any failure is silent. The name is a bare file name ("2dyt.wav"); the
// implementation resolves it in the program's folder.
class ISoundPlayer
{
public:
    virtual ~ISoundPlayer() = default;
    virtual void PlaySound(const QString &bareName) = 0;
};

using SoundPlayer = Seam<ISoundPlayer>;
