// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Renders Windows metafiles through ImageMagick's WMF coder, at the density
// that makes the picture fit the area with its proportions kept. Parts the
// metafile does not paint stay transparent, so the black screen shows there.
// ImageMagick runs in the program's metafile helper, vantix-wmf, started as a
// new process for each picture (IsolatedCall::RunProgram) under its own
// resource limits and a kill timer: a hostile file can end or exhaust only
// that process.
class WmfRenderer
{
public:
    // fitSize is the area in device pixels; an empty size renders the
    // picture at its own size at 96 dots an inch, at most 1024 pixels a side.
    // Returns a null image when the file cannot be rendered.
    static QImage Render(const QString &path, const QSize &fitSize);
    static QImage RenderData(const QByteArray &metafile, const QSize &fitSize);

    // The helper beside the running program's file, or, for the build tree's
    // other programs, the one the build placed beside the clock.
    static QString HelperPath();
};
