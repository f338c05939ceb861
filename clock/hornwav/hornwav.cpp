// Writes the horn signals 1dyt.wav, 2dyt.wav and 3dyt.wav (one, two and three
// blasts) into the folder given, which is created when missing. Run by the
// build so the program finds its sounds beside it.

#include "HornSignal.h"

#include <QDir>
#include <QSaveFile>

#include <cstdio>

namespace {

bool writeSignal(const QDir &folder, int blasts)
{
    const QString path = folder.filePath(QStringLiteral("%1dyt.wav").arg(blasts));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(HornSignal(blasts).toWav()) < 0 || !file.commit()) {
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
        if (!writeSignal(folder, blasts))
            return 1;
    }
    return 0;
}
