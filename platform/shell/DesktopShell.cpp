// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopShell.h"

#include <QDesktopServices>

bool DesktopShell::ShellExecute(QWidget *, const QString &operation, const QString &file, int)
{
    // The desktop decides itself how a started program's window appears,
    // so the owner and the show command have nothing to steer here.
    if (operation.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
        return false;
    const QUrl url = targetUrl(file);
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

QUrl DesktopShell::targetUrl(const QString &file)
{
    const QString target = file.trimmed();
    if (target.isEmpty())
        return {};
    // A mail address stays one, even when it could pass for a host and a
    // port number ("mailto:12345").
    if (target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QUrl(target);
    // fromUserInput keeps "https://" and other full addresses as they are,
    // turns an absolute path into a file address and gives a bare host name
    // such as "www.fletchwise.example" the web scheme.
    return QUrl::fromUserInput(target);
}
