#include "TImage.h"

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
    const QSize area = devicePixelSize();
    QImage loaded = PictureLoader::Load(path, area);
    if (loaded.isNull())
        return false;
    SetPicture(loaded);
    sourcePath = path;
    decodedFor = area;
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
    if (scaledCache.size() != deviceTarget) {
        scaledCache = picture.scaled(deviceTarget, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaledCache.setDevicePixelRatio(devicePixelRatioF());
    }
    painter.drawImage(target.topLeft(), scaledCache);
}
