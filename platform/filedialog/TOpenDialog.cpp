// SPDX-License-Identifier: GPL-3.0-or-later
#include "TOpenDialog.h"

#include "IFileDialog.h"

bool TOpenDialog::Execute()
{
    OpenFileRequest request;
    request.parent = Owner;
    request.title = Title;
    request.filters = FileFilter::ParseList(Filter);
    request.filterIndex = FilterIndex;
    request.startFolder = StartFolder();
    request.multiSelect = AllowMultiSelect;

    Files.clear();
    const OpenFileAnswer answer = FileDialog::get().OpenFiles(request);
    if (!answer.confirmed || answer.files.isEmpty())
        return false;
    Files = answer.files;
    if (answer.filterIndex >= 1 && answer.filterIndex <= request.filters.size())
        FilterIndex = answer.filterIndex;
    if (!answer.folder.isEmpty())
        lastFolder = answer.folder;
    return true;
}

QString TOpenDialog::StartFolder() const
{
    return lastFolder.isEmpty() ? InitialDir : lastFolder;
}
