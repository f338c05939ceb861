// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IFileDialog.h"

#include <QList>

// Records every opening of the file dialog and answers from a queue; with
// the queue empty the user cancels.
class FakeFileDialog : public IFileDialog
{
public:
    QList<OpenFileRequest> requests;
    QList<OpenFileAnswer> answers;

    // Queues a confirmed choice of these files.
    void choose(const QStringList &files, int filterIndex = 1, const QString &folder = QString())
    {
        answers.append({true, files, filterIndex, folder});
    }
    // Queues a cancelled opening.
    void cancel() { answers.append({false, {}, 1, QString()}); }

    OpenFileAnswer OpenFiles(const OpenFileRequest &request) override
    {
        requests.append(request);
        if (answers.isEmpty())
            return {};
        return answers.takeFirst();
    }
};
