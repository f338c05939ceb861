// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdDisc.h"

#include "Mci.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <mutex>

using namespace Mci;

namespace {

// libcdio writes its warnings to the standard error stream (for example when
// no drive exists); the program reports failures itself and logs nothing.
void quietLog(cdio_log_level_t, const char *)
{
}

void silenceLibcdio()
{
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(quietLog); });
}

} // namespace

CdDisc::CdDisc(CdIo_t *cdio, DiscToc contents) : handle(cdio), toc(std::move(contents))
{
}

CdDisc::~CdDisc()
{
    cdio_destroy(handle);
}

std::unique_ptr<CdDisc> CdDisc::Open(const QString &source, std::uint32_t &error)
{
    silenceLibcdio();
    QByteArray name = source.toLocal8Bit();
    driver_id_t driver = DRIVER_UNKNOWN;
    if (source.isEmpty()) {
        char *drive = cdio_get_default_device(nullptr);
        if (drive == nullptr) {
            error = CDERR_NO_DRIVE;
            return nullptr;
        }
        name = drive;
        cdio_free(drive);
        driver = DRIVER_DEVICE;
    }
    CdIo_t *cdio = cdio_open(name.constData(), driver);
    if (cdio == nullptr) {
        error = MCIERR_DEVICE_NOT_READY;
        return nullptr;
    }
    DiscToc contents;
    error = readToc(cdio, contents);
    if (error != 0) {
        cdio_destroy(cdio);
        return nullptr;
    }
    return std::unique_ptr<CdDisc>(new CdDisc(cdio, std::move(contents)));
}

std::uint32_t CdDisc::readToc(CdIo_t *cdio, DiscToc &contents)
{
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return MCIERR_DEVICE_NOT_READY;
    const lsn_t leadout = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    // A disc image can claim any length; one longer than the time formats
    // can count is no audio disc.
    if (leadout == CDIO_INVALID_LSN || leadout > DiscToc::LastPosition)
        return MCIERR_DEVICE_NOT_READY;
    std::vector<DiscTrack> tracks;
    for (int number = first; number < first + count; ++number) {
        const auto track = static_cast<track_t>(number);
        const lsn_t start = cdio_get_track_lsn(cdio, track);
        const lsn_t last = cdio_get_track_last_lsn(cdio, track);
        if (start == CDIO_INVALID_LSN || start < 0 || start > leadout)
            return MCIERR_DEVICE_NOT_READY;
        const lsn_t end = (last == CDIO_INVALID_LSN || last < start || last >= leadout) ? leadout : last + 1;
        tracks.push_back({number, start, end, cdio_get_track_format(cdio, track) == TRACK_FORMAT_AUDIO});
    }
    contents = DiscToc(std::move(tracks));
    return contents.HasAudio() ? 0 : CDERR_NO_AUDIO_TRACKS;
}

bool CdDisc::ReadAudio(std::int32_t sector, int count, char *buffer)
{
    if (count <= 0 || sector < 0 || toc.TrackCount() == 0)
        return false;
    const DiscTrack *last = toc.Track(toc.LastTrack());
    if (sector + count > last->end)
        return false;
    return cdio_read_audio_sectors(handle, buffer, sector, static_cast<std::uint32_t>(count)) == DRIVER_OP_SUCCESS;
}
