// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the horn signals 1dyt.wav, 2dyt.wav and 3dyt.wav (one, two and three
// blasts) and the emergency signal 5dyt.wav (five short blasts) into the
// folder given, which is created when missing. Run by the build so the
// program finds its sounds beside it.

#include "HornSignal.h"

#include <QDir>
#include <QSaveFile>

#include <cstdio>

namespace {

bool writeSignal(const QDir &folder, const HornSignal &signal)
{
    const QString path = folder.filePath(QStringLiteral("%1dyt.wav").arg(signal.blasts()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(signal.toWav()) < 0 || !file.commit()) {
        std::fprintf(stderr, "hornwav: cannot write %s: %s\n", qPrintable(QDir::toNativeSeparators(path)),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hornwav <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "hornwav: cannot create the folder %s\n", argv[1]);
        return 1;
    }
    for (int blasts = 1; blasts <= 3; ++blasts) {
        if (!writeSignal(folder, HornSignal(blasts)))
            return 1;
    }
    return writeSignal(folder, HornSignal::Emergency()) ? 0 : 1;
}
