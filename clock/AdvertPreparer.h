// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

class TForm1;

// Decodes the next advert ahead, on a thread of its own, so that the ready
// screen only has to show a picture that is already there: the picture is
// decoded and scaled for the picture area's size at the time it is asked for.
//
// Attached to the main window it follows the rotation: whenever a wave
// starts (the picture area is hidden), a picture is shown, the setup dialog
// opens, the advert list changes or the adverts option is switched, it
// prepares the entry the next ready screen will try. The picture area takes a prepared picture only for exactly the
// file it is about to load, asked for last and unchanged on disk since; for
// anything else it decodes the file itself, as it does without a preparer.
// A file that fails to decode is prepared as a failure, so the ready screen
// reports it at the same moment as before.
class AdvertPreparer : public QObject
{
    Q_OBJECT
public:
    struct Prepared
    {
        QImage picture;   // null when the file cannot be loaded
        QImage scaled;    // the picture as drawn in the area it was prepared for
        QSize decodedFor; // that area, in device pixels
    };

    explicit AdvertPreparer(QObject *parent = nullptr);
    // Waits for a picture being decoded, then ends the thread.
    ~AdvertPreparer() override;

    // Follows the main window's rotation and serves its picture area. The
    // main window's advert list must be set first.
    void Attach(TForm1 *form);

    // Starts preparing path for an area of the given logical size and
    // device pixel ratio, in place of any earlier request.
    void Prepare(const QString &path, const QSize &area, qreal devicePixelRatio);

    // The picture prepared for path, when it is finished, was the last one
    // asked for and the file has not changed since it was read.
    std::optional<Prepared> Take(const QString &path);

    // The entry the next ready screen will try, or empty when it tries none:
    // while the setup dialog is open, the first entry, which its closing
    // shows; otherwise the entry at the rotation's index.
    static QString NextEntry(const TForm1 &form);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Who the file is on disk: changed contents change it.
    struct FileStamp
    {
        std::int64_t device = 0, inode = 0, size = -1, modifiedNs = 0, changedNs = 0;
        bool operator==(const FileStamp &) const = default;
    };
    struct Request
    {
        QString path;
        QSize area;
        qreal devicePixelRatio = 1;
        bool operator==(const Request &) const = default;
    };

    static FileStamp stampOf(const QString &path);
    void prepareNextSoon();
    void prepareNext();
    void work();
    Prepared decode(const Request &request) const;

    TForm1 *form = nullptr;
    bool nextScheduled = false;

    std::mutex lock;
    std::condition_variable wake;
    bool stopping = false;
    Request request;            // the last one asked for
    std::uint64_t asked = 0;    // counts the requests
    std::uint64_t finished = 0; // the request the result below answers
    FileStamp stamp;            // of the file as it was read for the result
    Prepared result;
    std::thread worker; // last: started once everything above exists
};
