// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a small metafile the way the clock does and prints which helper drew
// it and the picture's size. The install check places it beside an installed
// program, as a stand-in that finds its helper by the program's own rule.
#include "WmfWriter.h"
#include "pictures/WmfRenderer.h"

#include <cstdio>

int main()
{
    const QRect frame(0, 0, 400, 200);
    WmfWriter wmf(frame);
    wmf.window(frame).brush(Qt::red).ellipse(frame);
    const QImage picture = WmfRenderer::RenderData(wmf.bytes(), QSize(200, 200));
    std::printf("%s %dx%d\n", qPrintable(WmfRenderer::HelperPath()), picture.width(), picture.height());
    return picture.isNull() ? 1 : 0;
}
