// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CdAudioDevice.h"
#include "DiscImage.h"
#include "FakeAudioOutput.h"
#include "MPlayer.h"
#include "RecordingMci.h"
#include "TestPlatform.h"

#include <QTemporaryDir>
#include <QtTest>

// The strip as the main window sets it up, on the real CD audio device opened
// on a generated three-track disc image, heard through an output the test
// pumps, with every request recorded on the way.
class PlayerRig
{
public:
    TestPlatform platform;
    QTemporaryDir folder;
    QString cue = DiscImage::write(folder.path(), QStringLiteral("disc"), DiscImage::threeTracks());
    FakeAudioOutput out;
    CdAudioDevice device{cue, out.factory()};
    RecordingMci recorder{&device};
    ScopedSeam<IMci> seam{&recorder}; // before the strip, which closes its device as it goes
    TMediaPlayer player;
    int postClicks = 0;
    TMPBtnType lastPostClick = btEject;

    PlayerRig()
    {
        player.SetDeviceType(dtCDAudio);
        player.SetVisibleButtons({btPlay, btPause, btStop, btNext, btPrev});
        player.setGeometry(16, 1, 141, 22);
        // As the main window's handler: Stop leaves the disc at its start.
        player.OnPostClick = [this](QObject *, TMPBtnType button) {
            ++postClicks;
            lastPostClick = button;
            if (button == btStop)
                player.Rewind();
        };
        player.show();
    }

    // The five buttons as they show: 1 enabled (coloured), 0 grey; Play first.
    QString states() const
    {
        QString result;
        for (TMPBtnType kind : {btPlay, btPause, btStop, btNext, btPrev})
            result += player.ButtonEnabled(kind) ? QLatin1Char('1') : QLatin1Char('0');
        return result;
    }

    void click(TMPBtnType kind)
    {
        QTest::mouseClick(&player, Qt::LeftButton, {}, player.ButtonRect(kind).center());
    }

    void key(Qt::Key key) { QTest::keyClick(&player, key); }

    // The position as the device gives it (TMSF), without touching the strip's last error.
    std::uint32_t position()
    {
        MciParms parms;
        parms.dwItem = Mci::MCI_STATUS_POSITION;
        device.SendCommand(player.DeviceID(), Mci::MCI_STATUS, Mci::MCI_WAIT | Mci::MCI_STATUS_ITEM, parms);
        return parms.dwReturn;
    }

    std::uint32_t mode()
    {
        MciParms parms;
        parms.dwItem = Mci::MCI_STATUS_MODE;
        device.SendCommand(player.DeviceID(), Mci::MCI_STATUS, Mci::MCI_WAIT | Mci::MCI_STATUS_ITEM, parms);
        return parms.dwReturn;
    }

    // The sector whose first frame the output heard first since it was cleared.
    int firstHeardSector() const
    {
        const int counter = DiscImage::firstCounter(out.heard);
        for (int sector = 0; sector < 565; ++sector)
            if (DiscImage::counterAt(sector) == counter && out.heard.startsWith(DiscImage::sectors(cue, sector, 1)))
                return sector;
        return -1;
    }
};
