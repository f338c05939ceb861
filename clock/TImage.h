#pragma once

#include <QImage>
#include <QWidget>

// The picture area: shows its picture scaled up or down to the largest size
// that fits with its proportions kept, centred, black around it. A failed
// load keeps the picture it held before.
class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    // Loads the picture from a file; returns false (and keeps the old picture) on failure.
    bool LoadFromFile(const QString &path);
    void SetPicture(const QImage &image);
    const QImage &Picture() const { return picture; }

    bool Center() const { return center; }
    void SetCenter(bool on);

    // Where the picture is drawn inside the area, in logical pixels.
    QRect PictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QSize devicePixelSize() const;
    QImage picture;
    QImage scaledCache;
    bool center = false;
};
