// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtFileDialog.h"

#include <QDir>
#include <QFileDialog>

namespace {

QStringList nameFilters(const QList<FileFilter> &filters)
{
    QStringList result;
    for (const FileFilter &filter : filters)
        result.append(QtFileDialog::NameFilter(filter));
    return result;
}

QString withTrailingSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The choice in force, counted from 0. The dialog names it by its shown
// name alone, as it hides the patterns behind it.
int chosenFilter(const QFileDialog &dialog)
{
    const QString selected = dialog.selectedNameFilter();
    const QStringList filters = dialog.nameFilters();
    for (qsizetype i = 0; i < filters.size(); ++i) {
        if (filters.at(i) == selected || filters.at(i).startsWith(selected + QLatin1String(" (")))
            return static_cast<int>(i);
    }
    return 0;
}

} // namespace

OpenFileAnswer QtFileDialog::OpenFiles(const OpenFileRequest &request)
{
    QFileDialog dialog(request.parent);
    Configure(dialog, request);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return Answer(dialog, accepted);
}

OpenFileAnswer QtFileDialog::SaveFile(const OpenFileRequest &request, const QString &suffix)
{
    QFileDialog dialog(request.parent);
    Configure(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return Answer(dialog, accepted);
}

void QtFileDialog::Configure(QFileDialog &dialog, const OpenFileRequest &request)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // The shown names already say which files a choice offers.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setWindowTitle(request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(request.filters);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    if (!request.startFolder.isEmpty())
        dialog.setDirectory(request.startFolder);
}

OpenFileAnswer QtFileDialog::Answer(const QFileDialog &dialog, bool accepted)
{
    OpenFileAnswer answer;
    answer.confirmed = accepted;
    answer.folder = withTrailingSeparator(dialog.directory().absolutePath());
    answer.filterIndex = chosenFilter(dialog) + 1;
    if (accepted) {
        for (const QString &file : dialog.selectedFiles())
            answer.files.append(QDir::toNativeSeparators(QDir::cleanPath(file)));
    }
    return answer;
}

QString QtFileDialog::NameFilter(const FileFilter &filter)
{
    QStringList patterns;
    for (const QString &pattern : filter.patterns)
        patterns.append(CaseFreePattern(pattern));
    return filter.name + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString QtFileDialog::CaseFreePattern(const QString &pattern)
{
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString result;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower != upper)
            result += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        else
            result += c;
    }
    return result;
}
