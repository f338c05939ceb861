// SPDX-License-Identifier: GPL-3.0-or-later
#include "QrPicture.h"

#include <qrencode.h>

#include <memory>

QImage QrPicture::Make(const QString &text, int modulePixels)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, void (*)(QRcode *)> code(
        QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), QRcode_free);
    if (code == nullptr || modulePixels < 1)
        return QImage();
    const int side = (code->width + 2 * Margin) * modulePixels;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if (!(code->data[y * code->width + x] & 1))
                continue;
            for (int dy = 0; dy < modulePixels; ++dy) {
                auto *line = reinterpret_cast<QRgb *>(image.scanLine((y + Margin) * modulePixels + dy));
                for (int dx = 0; dx < modulePixels; ++dx)
                    line[(x + Margin) * modulePixels + dx] = qRgb(0, 0, 0);
            }
        }
    }
    return image;
}
