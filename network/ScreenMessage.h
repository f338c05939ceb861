// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArcherScreen.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

// The messages the server sends to the browsers, one JSON object each with
// its kind in "t": the screen, a horn signal, a heartbeat, the buttons a
// phone may press and the answers to its commands.
class ScreenMessage
{
public:
    // The counter as the archers see it; the picture by its number, 0 when
    // the picture area shows none.
    static QString Screen(const ArcherScreen &screen, int pictureNumber);
    static QString Horn(const QString &bareName);
    static QString Beat();
    static QString Buttons(std::uint32_t list, const QStringList &captions);
    static QString PinAnswer(bool accepted, bool waiting);
    static QString Refused();
};
