#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Renders Windows metafiles through ImageMagick's WMF coder, at the density
// that makes the picture fit the area with its proportions kept. Parts the
// metafile does not paint stay transparent, so the black screen shows there.
// ImageMagick runs in a child process (IsolatedCall) under its own resource
// limits: a hostile file can end or exhaust only that child.
class WmfRenderer
{
public:
    // fitSize is the area in device pixels; an empty size renders the
    // picture at its own size at 96 dots an inch, at most 1024 pixels a side.
    // Returns a null image when the file cannot be rendered.
    static QImage Render(const QString &path, const QSize &fitSize);
    static QImage RenderData(const QByteArray &metafile, const QSize &fitSize);
};
