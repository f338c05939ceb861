#include "TImage.h"

#include "PictureLoader.h"

#include <QPainter>

TImage::TImage(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TImage::devicePixelSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

bool TImage::LoadFromFile(const QString &path)
{
    QImage loaded = PictureLoader::Load(path, devicePixelSize());
    if (loaded.isNull())
        return false;
    SetPicture(loaded);
    return true;
}

void TImage::SetPicture(const QImage &image)
{
    picture = image;
    scaledCache = QImage();
    update();
}

void TImage::SetCenter(bool on)
{
    center = on;
    update();
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

void TImage::resizeEvent(QResizeEvent *event)
{
    scaledCache = QImage();
    QWidget::resizeEvent(event);
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
    if (scaledCache.size() != deviceTarget) {
        scaledCache = picture.scaled(deviceTarget, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaledCache.setDevicePixelRatio(devicePixelRatioF());
    }
    painter.drawImage(target.topLeft(), scaledCache);
}
