// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

QString messageTitle(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning: return QStringLiteral("Warning");
    case MessageKind::Error: return QStringLiteral("Error");
    case MessageKind::Information: return QStringLiteral("Information");
    }
    return {};
}

static QMessageBox::Icon iconFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QString QtMessageBoxes::displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void QtMessageBoxes::MessageDlg(const QString &text, MessageKind kind)
{
    QMessageBox box(iconFor(kind), messageTitle(kind), displayText(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
