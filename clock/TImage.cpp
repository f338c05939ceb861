// SPDX-License-Identifier: GPL-3.0-or-later
#include "TImage.h"

#include "AdvertPreparer.h"
#include "PictureLoader.h"

#include <QPainter>

TImage::TImage(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    settle.setSingleShot(true);
    settle.setInterval(SettleMs);
    connect(&settle, &QTimer::timeout, this, [this] { refreshForSize(); });
}

QSize TImage::devicePixelSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

bool TImage::LoadFromFile(const QString &path)
{
    if (preparer != nullptr) {
        if (const std::optional<AdvertPreparer::Prepared> ready = preparer->Take(path))
            return showPrepared(path, *ready);
    }
    const QSize area = devicePixelSize();
    QImage loaded = PictureLoader::Load(path, area);
    if (loaded.isNull())
        return false;
    SetPicture(loaded);
    sourcePath = path;
    decodedFor = area;
    return true;
}

// Takes the prepared picture, and its scaled copy when it was scaled for the
// area as it is now. A failed preparation fails the load as a decode here would.
bool TImage::showPrepared(const QString &path, const AdvertPreparer::Prepared &ready)
{
    if (ready.picture.isNull())
        return false;
    SetPicture(ready.picture);
    if (ready.scaled.size() == (QSizeF(PictureRect().size()) * devicePixelRatioF()).toSize()
        && ready.scaled.devicePixelRatio() == devicePixelRatioF())
        scaledCache = ready.scaled;
    sourcePath = path;
    decodedFor = ready.decodedFor;
    scheduleRefresh(); // the area may have grown since
    return true;
}

void TImage::SetPicture(const QImage &image)
{
    picture = image;
    scaledCache = QImage();
    sourcePath.clear();
    settle.stop();
    update();
    emit changed();
}

void TImage::setVisible(bool visible)
{
    const bool wasHidden = isHidden();
    QWidget::setVisible(visible);
    if (wasHidden != isHidden())
        emit changed();
}

void TImage::SetCenter(bool on)
{
    center = on;
    update();
}

// Smooth scaling keeps a palette picture's format: a 1-bit picture would come
// out in two colours of its palette, an 8-bit one requantised. Blended
// pixels need a format of their own colours.
namespace {
QImage inColour(const QImage &picture)
{
    switch (picture.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                 : QImage::Format_RGB32);
    default:
        return picture;
    }
}
} // namespace

QImage TImage::ScaledForArea(const QImage &picture, const QSize &area, qreal devicePixelRatio)
{
    if (picture.isNull() || area.isEmpty())
        return {};
    const QSize target = (QSizeF(picture.size().scaled(area, Qt::KeepAspectRatio)) * devicePixelRatio).toSize();
    QImage scaled = inColour(picture).scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatio);
    return scaled;
}

QRect TImage::PictureRect() const
{
    if (picture.isNull() || width() <= 0 || height() <= 0)
        return {};
    const QSize fitted = picture.size().scaled(size(), Qt::KeepAspectRatio);
    if (!center)
        return QRect(QPoint(0, 0), fitted);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void TImage::scheduleRefresh()
{
    const QSize area = devicePixelSize();
    if (!sourcePath.isEmpty() && (area.width() > decodedFor.width() || area.height() > decodedFor.height()))
        settle.start();
}

void TImage::refreshForSize()
{
    // Only a picture on the screen is worth the time; a hidden one is looked
    // at again when it is shown.
    if (sourcePath.isEmpty() || !isVisible())
        return;
    const QSize area = devicePixelSize();
    decodedFor = area;
    QImage sharper = PictureLoader::Load(sourcePath, area);
    if (sharper.isNull())
        return;
    picture = sharper;
    scaledCache = QImage();
    update();
    emit changed();
}

void TImage::resizeEvent(QResizeEvent *event)
{
    scaledCache = QImage();
    QWidget::resizeEvent(event);
    scheduleRefresh();
}

void TImage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    scheduleRefresh();
}

void TImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect target = PictureRect();
    if (target.isEmpty())
        return;
    // Scale once per size, smoothly, in device pixels; repaints then only blit.
    const QSize deviceTarget = (QSizeF(target.size()) * devicePixelRatioF()).toSize();
    if (scaledCache.size() != deviceTarget)
        scaledCache = ScaledForArea(picture, size(), devicePixelRatioF());
    painter.drawImage(target.topLeft(), scaledCache);
}
