// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// A horn signal of one or more blasts: a loud two-tone horn, as a
// 16-bit mono PCM sound ready to be written as a WAVE file.
//
// Each blast is two brassy tones a major third apart (the chord of a
// two-tone air horn), rich in overtones so it carries over a field, with a
// short rise in pitch and level at the start and a soft fade at the end so
// no blast clicks. The result is the same on every build.
class HornSignal
{
public:
    static constexpr int SampleRate = 44100;
    static constexpr double BlastSeconds = 0.6;
    static constexpr double GapSeconds = 0.25;
    // The emergency signal's blasts are short and close together, so five of
    // them are heard as a series and never taken for the end of an end.
    static constexpr double ShortBlastSeconds = 0.25;
    static constexpr double ShortGapSeconds = 0.15;
    static constexpr int EmergencyBlasts = 5;
    // The loudest sample, a little below full scale so nothing clips.
    static constexpr double PeakLevel = 0.89;

    explicit HornSignal(int blasts, double blastSeconds = BlastSeconds, double gapSeconds = GapSeconds);
    // Five short blasts: the time is stopped at once.
    static HornSignal Emergency();

    int blasts() const { return blastCount; }
    QList<qint16> samples() const;
    QByteArray toWav() const;

private:
    void addBlast(QList<double> &out) const;
    static void addSilence(QList<double> &out, double seconds);
    static QList<qint16> toPcm(const QList<double> &wave);

    int blastCount;
    double blastLength;
    double gapLength;
};
