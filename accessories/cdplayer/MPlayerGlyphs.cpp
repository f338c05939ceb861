// SPDX-License-Identifier: GPL-3.0-or-later
#include "MPlayerGlyphs.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr QRgb OliveInk = 0xFF808000;
constexpr QRgb BlackInk = 0xFF000000;
constexpr QRgb GreyInk = 0xFF808080;
constexpr QRgb WhiteInk = 0xFFFFFFFF;

struct Shape
{
    int width;
    QRgb color; // of the coloured variant, from the sixteen-colour palette
};

constexpr std::array<Shape, MPButtonKinds> Shapes = {{
    {12, 0xFF008000}, // play: green
    {14, 0xFF0000FF}, // pause: blue
    {12, 0xFFFF0000}, // stop: red
    {21, 0xFF008080}, // next: teal
    {21, 0xFF008080}, // prev: teal
    {15, 0xFF800080}, // step: purple
    {15, 0xFF800080}, // back: purple
    {14, 0xFFFF0000}, // record: red
    {15, 0xFF000080}, // eject: navy
}};

// Which pixels of a glyph are ink.
class Mask
{
public:
    explicit Mask(int w) : width(w), ink(static_cast<std::size_t>(w * MPlayerGlyphs::Height), false) {}

    void set(int x, int y)
    {
        if (x >= 0 && x < width && y >= 0 && y < MPlayerGlyphs::Height)
            ink[static_cast<std::size_t>(y * width + x)] = true;
    }
    bool at(int x, int y) const
    {
        return x >= 0 && x < width && y >= 0 && y < MPlayerGlyphs::Height && ink[static_cast<std::size_t>(y * width + x)];
    }
    void bar(int left, int right, int top, int bottom)
    {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                set(x, y);
    }
    // A triangle pointing right, its flat side at column left, rows top..bottom.
    void triangleRight(int left, int top, int bottom)
    {
        for (int y = top; y <= bottom; ++y)
            bar(left, left + std::min(y - top, bottom - y), y, y);
    }
    // A triangle pointing up, its tip at column middle on row top.
    void triangleUp(int middle, int top, int bottom)
    {
        for (int y = top; y <= bottom; ++y)
            bar(middle - (y - top), middle + (y - top), y, y);
    }
    void disc(int centreX2, int centreY2, int radius)
    {
        // Centres are given doubled so that a disc can sit between pixels.
        for (int y = 0; y < MPlayerGlyphs::Height; ++y)
            for (int x = 0; x < width; ++x) {
                const int dx = 2 * x + 1 - centreX2;
                const int dy = 2 * y + 1 - centreY2;
                if (dx * dx + dy * dy <= 4 * radius * radius)
                    set(x, y);
            }
    }
    Mask mirrored() const
    {
        Mask result(width);
        for (int y = 0; y < MPlayerGlyphs::Height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y))
                    result.set(width - 1 - x, y);
        return result;
    }

    int width;

private:
    std::vector<bool> ink;
};

Mask nextMask(int width)
{
    Mask mask(width);
    mask.triangleRight(3, 3, 12);
    mask.triangleRight(9, 3, 12);
    mask.bar(15, 16, 3, 12);
    return mask;
}

Mask stepMask(int width)
{
    Mask mask(width);
    mask.triangleRight(3, 3, 12);
    mask.bar(9, 10, 3, 12);
    return mask;
}

Mask maskOf(TMPBtnType kind)
{
    const int width = Shapes[kind].width;
    Mask mask(width);
    switch (kind) {
    case btPlay:
        mask.triangleRight(3, 2, 13);
        break;
    case btPause:
        mask.bar(3, 5, 3, 12);
        mask.bar(8, 10, 3, 12);
        break;
    case btStop:
        mask.bar(2, 9, 4, 11);
        break;
    case btNext:
        return nextMask(width);
    case btPrev:
        return nextMask(width).mirrored();
    case btStep:
        return stepMask(width);
    case btBack:
        return stepMask(width).mirrored();
    case btRecord:
        mask.disc(14, 16, 5);
        break;
    case btEject:
        mask.triangleUp(7, 3, 8);
        mask.bar(2, 12, 10, 12);
        break;
    }
    return mask;
}

void paint(QImage &image, const Mask &mask, int dx, int dy, QRgb color)
{
    for (int y = 0; y < MPlayerGlyphs::Height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (mask.at(x, y) && x + dx < image.width() && y + dy < image.height())
                image.setPixel(x + dx, y + dy, color);
}

} // namespace

int MPlayerGlyphs::Width(TMPBtnType kind)
{
    return Shapes[kind].width;
}

int MPlayerGlyphs::MaxWidth()
{
    int widest = 0;
    for (const Shape &shape : Shapes)
        widest = std::max(widest, shape.width);
    return widest;
}

QImage MPlayerGlyphs::Raw(TMPBtnType kind, Variant variant)
{
    QImage image(Width(kind), Height, QImage::Format_RGB32);
    image.fill(OliveInk);
    const Mask mask = maskOf(kind);
    switch (variant) {
    case Colored:
        paint(image, mask, 0, 0, Shapes[kind].color);
        break;
    case Plain:
        paint(image, mask, 0, 0, BlackInk);
        break;
    case Grey:
        // Embossed: a white copy one pixel down and right under a grey one.
        paint(image, mask, 1, 1, WhiteInk);
        paint(image, mask, 0, 0, GreyInk);
        break;
    }
    return image;
}

const QImage &MPlayerGlyphs::Image(TMPBtnType kind, Variant variant)
{
    static std::array<std::array<QImage, 3>, MPButtonKinds> cache;
    QImage &image = cache[kind][variant];
    if (image.isNull()) {
        image = Raw(kind, variant).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == OliveInk)
                    image.setPixel(x, y, qRgba(0, 0, 0, 0));
    }
    return image;
}
