// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page of the language file and of all interface texts.
namespace Cp1252 {
QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text); // characters outside the code page become '?'
}
