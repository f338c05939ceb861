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

// The two clocks of finals: each side's count, colour and arrows, and the
// side that shoots ("left", "right" or "").
QJsonObject finalsObject(const FinalsScreen &finals)
{
    auto side = [](const FinalsSide &shown) {
        return QJsonObject{{QStringLiteral("text"), shown.count},
                           {QStringLiteral("color"), toQColor(shown.color).name()},
                           {QStringLiteral("arrows"), shown.arrowsLeft},
                           {QStringLiteral("of"), shown.arrowsPerEnd}};
    };
    const QString shooting = finals.shooting == FinalsScreen::Side::Left    ? QStringLiteral("left")
                             : finals.shooting == FinalsScreen::Side::Right ? QStringLiteral("right")
                                                                            : QString();
    return {{QStringLiteral("shown"), finals.shown},
            {QStringLiteral("shooting"), shooting},
            {QStringLiteral("left"), side(finals.left)},
            {QStringLiteral("right"), side(finals.right)}};
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
        {QStringLiteral("finals"), finalsObject(screen.finals)},
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
