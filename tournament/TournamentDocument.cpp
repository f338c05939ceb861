// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentDocument.h"

#include "IFileDialog.h"
#include "IMessageBoxes.h"
#include "ITournamentWindows.h"
#include "TournamentFile.h"
#include "uVantixStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace uVantixStrings;

namespace {

QString refusalText(TournamentFile::Refusal refusal)
{
    switch (refusal) {
    case TournamentFile::Refusal::TooLarge:
        return TournamentTooLarge;
    case TournamentFile::Refusal::OutOfRange:
        return TournamentOutOfRange;
    case TournamentFile::Refusal::NotATournamentFile:
    case TournamentFile::Refusal::None:
        break;
    }
    return TournamentNotAFile;
}

void refuse(const QString &what, const QString &file, const QString &detail = QString())
{
    QString text = what + QLatin1Char(' ') + QDir::toNativeSeparators(file);
    if (!detail.isEmpty())
        text += QLatin1Char('\r') + detail;
    MessageDlg(text + QLatin1Char('\r') + TournamentNothingChanged, MessageKind::Error);
}

} // namespace

TournamentDocument::TournamentDocument(ITournamentWindows &windows) : windows(windows) {}

bool TournamentDocument::Open(const QString &file)
{
    QFile in(file);
    if (QFileInfo(file).isDir() || !in.open(QIODevice::ReadOnly)) {
        refuse(TournamentCannotRead, file);
        return false;
    }
    // One byte past the bound tells a file that is too large, without
    // reading all of it (or an endless device).
    const QByteArray content = in.read(TournamentFile::MaxBytes + 1);
    const TournamentFile::Reading reading = TournamentFile::Read(content, QFileInfo(file).absolutePath());
    if (reading.refusal != TournamentFile::Refusal::None) {
        refuse(refusalText(reading.refusal), file, reading.detail);
        return false;
    }
    path = QFileInfo(file).absoluteFilePath();
    lastFolder = QFileInfo(file).absolutePath();
    const QStringList unused = windows.Apply(reading.settings);
    if (!unused.isEmpty())
        MessageDlg(TournamentPartlyUsed + QLatin1Char('\r') + unused.join(QLatin1Char('\r')), MessageKind::Warning);
    return true;
}

bool TournamentDocument::Save(QWidget *dialogParent)
{
    if (path.isEmpty())
        return ChooseAndSaveAs(dialogParent);
    return SaveAs(path);
}

bool TournamentDocument::SaveAs(const QString &file)
{
    TournamentSettings settings;
    QString refusal;
    if (!windows.Capture(settings, refusal)) {
        MessageDlg(refusal, MessageKind::Error);
        return false;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)
        || out.write(TournamentFile::Write(settings, QFileInfo(file).absolutePath())) < 0 || !out.commit()) {
        MessageDlg(TournamentCannotWrite + QLatin1Char(' ') + QDir::toNativeSeparators(file), MessageKind::Error);
        return false;
    }
    path = QFileInfo(file).absoluteFilePath();
    lastFolder = QFileInfo(file).absolutePath();
    return true;
}

bool TournamentDocument::ChooseAndOpen(QWidget *dialogParent)
{
    const QString file = choose(dialogParent, false);
    return !file.isEmpty() && Open(file);
}

bool TournamentDocument::ChooseAndSaveAs(QWidget *dialogParent)
{
    const QString file = choose(dialogParent, true);
    return !file.isEmpty() && SaveAs(file);
}

QString TournamentDocument::choose(QWidget *dialogParent, bool save)
{
    OpenFileRequest request;
    request.parent = dialogParent;
    request.title = save ? TournamentSaveTitle : TournamentOpenTitle;
    request.filters = {{TournamentFilter, {QStringLiteral("*.") + QLatin1String(Suffix)}},
                       {TournamentAllFiles, {QStringLiteral("*")}}};
    request.startFolder = lastFolder.isEmpty() ? QDir::homePath() : lastFolder;
    const OpenFileAnswer answer = save ? FileDialog::get().SaveFile(request, QLatin1String(Suffix))
                                       : FileDialog::get().OpenFiles(request);
    if (!answer.confirmed || answer.files.isEmpty())
        return {};
    return answer.files.front();
}
