// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AdvertPreparer.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// The picture area: shows its picture scaled up or down to the largest size
// that fits with its proportions kept, centred when Center is on, black
// around it. A failed load keeps the picture it held before.
//
// A picture loaded from a file is decoded for the area's size at the time.
// When the area later grows past that size (the window is maximised, or moved
// to the projector), the file is read again for the new size once the
// resizing has settled, so the picture stays sharp; if that read fails the
// picture stays as it is.
//
// With a preparer, a file whose picture was prepared ahead (decoded and
// scaled for the area on another thread) is shown from there at once; any
// other file is decoded here as before.
class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    // Loads the picture from a file; returns false (and keeps the old picture) on failure.
    bool LoadFromFile(const QString &path);
    void SetPreparer(AdvertPreparer *preparer) { this->preparer = preparer; }
    void SetPicture(const QImage &image);
    const QImage &Picture() const { return picture; }

    bool Center() const { return center; }
    void SetCenter(bool on);

    // Where the picture is drawn inside the area, in logical pixels.
    QRect PictureRect() const;

    // How long the area's size must stay still before a grown area reads its
    // picture again.
    static constexpr int SettleMs = 200;

    // The picture scaled, smoothly, to the size it is drawn at in an area of
    // the given logical size and device pixel ratio.
    static QImage ScaledForArea(const QImage &picture, const QSize &area, qreal devicePixelRatio);

    void setVisible(bool visible) override;

signals:
    // The picture or the area's visibility changed.
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QSize devicePixelSize() const;
    void scheduleRefresh();
    void refreshForSize();
    bool showPrepared(const QString &path, const AdvertPreparer::Prepared &ready);

    QImage picture;
    QImage scaledCache;
    bool center = false;
    QString sourcePath;     // the file the picture came from; empty when set directly
    QSize decodedFor;       // the area size, in device pixels, it was decoded for
    QTimer settle;
    QPointer<AdvertPreparer> preparer;
};
