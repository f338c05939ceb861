// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ISoundPlayer.h"

#include <QStringList>

// Records the bare names of the sounds played, in order.
class FakeSoundPlayer : public ISoundPlayer
{
public:
    QStringList played;
    void PlaySound(const QString &bareName) override { played.append(bareName); }
};
