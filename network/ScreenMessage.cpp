// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenMessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace

QString ScreenMessage::Screen(const ArcherScreen &screen, int pictureNumber)
{
    return compact({
        {QStringLiteral("t"), QStringLiteral("screen")},
        {QStringLiteral("shown"), screen.CounterVisible()},
        {QStringLiteral("text"), screen.counterText},
        {QStringLiteral("color"), toQColor(screen.counterColor).name()},
        {QStringLiteral("align"),
         screen.counterAlign == ArcherScreen::Align::Centre ? QStringLiteral("centre") : QStringLiteral("right")},
        {QStringLiteral("cover"), screen.pictureShown},
        {QStringLiteral("picture"), pictureNumber},
        {QStringLiteral("detail"), screen.detail},
        {QStringLiteral("end"), screen.endLabel},
    });
}

QString ScreenMessage::Horn(const QString &bareName)
{
    return compact({{QStringLiteral("t"), QStringLiteral("horn")}, {QStringLiteral("name"), bareName}});
}

QString ScreenMessage::Beat()
{
    return compact({{QStringLiteral("t"), QStringLiteral("beat")}});
}

QString ScreenMessage::Buttons(std::uint32_t list, const QStringList &captions)
{
    return compact({{QStringLiteral("t"), QStringLiteral("buttons")},
                    {QStringLiteral("list"), qint64(list)},
                    {QStringLiteral("captions"), QJsonArray::fromStringList(captions)}});
}

QString ScreenMessage::PinAnswer(bool accepted, bool waiting)
{
    return compact({{QStringLiteral("t"), QStringLiteral("pin")},
                    {QStringLiteral("ok"), accepted},
                    {QStringLiteral("wait"), waiting}});
}

QString ScreenMessage::Refused()
{
    return compact({{QStringLiteral("t"), QStringLiteral("refused")}});
}
