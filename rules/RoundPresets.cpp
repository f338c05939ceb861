// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoundPresets.h"

#include "Unit2.h"

#include <QLineEdit>

// Sources: World Archery Rulebook, Book 3 (Target Archery), chapter 14
// "Control of shooting and safety": the walk-up of 10 seconds between the two
// signals and the one that starts the shooting, the time limit of each kind of
// end, and the warning when 30 seconds of the time limit remain.
const std::vector<RoundPreset> &RoundPresets::All()
{
    static const std::vector<RoundPreset> presets{
        {QStringLiteral("Outdoor, 6 arrows"), 10, 240, 30, 2,
         QStringLiteral("Book 3, ch. 14, time limits: 4 minutes for an end of six arrows")},
        {QStringLiteral("Indoor, 3 arrows"), 10, 120, 30, 2,
         QStringLiteral("Book 3, ch. 14, time limits: 2 minutes for an end of three arrows")},
        {QStringLiteral("Individual elimination, 3 arrows (sets)"), 10, 120, 30, 1,
         QStringLiteral("Book 3, ch. 14, time limits: 2 minutes for three arrows in individual matches shot together")},
        {QStringLiteral("Team, 6 arrows"), 10, 120, 30, 1,
         QStringLiteral("Book 3, ch. 14, time limits: 2 minutes for six arrows in team matches")},
        {QStringLiteral("Mixed team, 4 arrows"), 10, 80, 30, 1,
         QStringLiteral("Book 3, ch. 14, time limits: 80 seconds for four arrows in mixed team matches")},
        // The warning comes when 30 seconds remain in every timed end; the
        // rules keep no shorter warning for a shoot-off.
        {QStringLiteral("Shoot-off, 1 arrow"), 10, 40, 30, 1,
         QStringLiteral("Book 3, ch. 14, time limits: 40 seconds for a one-arrow individual shoot-off")},
    };
    return presets;
}

void RoundPresets::Fill(TForm2 &dialog, const RoundPreset &preset)
{
    dialog.AntalHold->setText(QString::number(preset.waves));
    dialog.Skydetid->setText(QString::number(preset.shootingTime));
    dialog.gul_tid->setText(QString::number(preset.yellowTime));
    dialog.edRedWatingTime->setText(QString::number(preset.redTime));
}

void RoundPresets::Choose(TForm2 &dialog, const RoundPreset &preset)
{
    Fill(dialog, preset);
    dialog.EnteredShootingTime = static_cast<std::uint8_t>(preset.shootingTime);
    dialog.EnteredYellowTime = static_cast<std::uint8_t>(preset.yellowTime);
    dialog.EnteredRedWaitingTime = static_cast<std::uint8_t>(preset.redTime);
    dialog.EnteredNumberOfWaves = static_cast<std::uint8_t>(preset.waves);
}
