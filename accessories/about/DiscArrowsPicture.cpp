// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscArrowsPicture.h"

#include <QConicalGradient>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

const QPointF DiscArrowsPicture::DiscCentre(78.0, 72.0);
const QColor DiscArrowsPicture::Background(212, 208, 200);
const QColor DiscArrowsPicture::ShaftColor(150, 98, 46);
const std::array<DiscArrowsPicture::Arrow, 3> DiscArrowsPicture::Arrows = {{
    {QPointF(4, 16), QPointF(152, 118), 0.35, QColor(200, 30, 30)},
    {QPointF(2, 104), QPointF(154, 40), 0.32, QColor(230, 190, 20)},
    {QPointF(40, 140), QPointF(128, 2), 0.30, QColor(30, 90, 200)},
}};

namespace {

const QColor pointColor(88, 90, 100);
const QColor vaneColor(245, 245, 240);

QPointF unit(const QLineF &line)
{
    return (line.p2() - line.p1()) / line.length();
}

QPointF across(const QLineF &line)
{
    const QPointF along = unit(line);
    return QPointF(-along.y(), along.x());
}

void drawShaft(QPainter &painter, QPointF from, QPointF to)
{
    painter.setPen(QPen(DiscArrowsPicture::ShaftColor, 3.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
}

// The point: a steel head reaching to the tip.
void drawPoint(QPainter &painter, const DiscArrowsPicture::Arrow &arrow)
{
    const QLineF line(arrow.nock, arrow.tip);
    const QPointF back = arrow.tip - unit(line) * 11.0;
    QPainterPath head;
    head.moveTo(arrow.tip);
    head.lineTo(back + across(line) * 4.0);
    head.lineTo(back - across(line) * 4.0);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(pointColor);
    painter.drawPath(head);
}

// Three vanes near the nock: the coloured cock feather on one side, two
// white hen feathers on the other, and a dark nock at the very end.
void drawFletching(QPainter &painter, const DiscArrowsPicture::Arrow &arrow)
{
    const QLineF line(arrow.nock, arrow.tip);
    const QPointF along = unit(line);
    const QPointF side = across(line);
    auto vane = [&](double sideways, const QColor &colour) {
        QPainterPath path;
        path.moveTo(arrow.nock + along * 5.0);
        path.lineTo(arrow.nock + along * 9.0 + side * sideways);
        path.lineTo(arrow.nock + along * 22.0 + side * sideways);
        path.lineTo(arrow.nock + along * 26.0);
        path.closeSubpath();
        painter.setPen(QPen(colour.darker(140), 0.8));
        painter.setBrush(colour);
        painter.drawPath(path);
    };
    vane(6.0, arrow.cockFeather);
    vane(-6.0, vaneColor);
    vane(-3.0, vaneColor.darker(110));
    painter.setPen(QPen(QColor(40, 30, 20), 3.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(arrow.nock, arrow.nock + along * 3.0);
}

void drawDisc(QPainter &painter)
{
    const QPointF c = DiscArrowsPicture::DiscCentre;
    // The silver face with the play of colours a pressed disc shows.
    QConicalGradient face(c, 30.0);
    const QColor stops[] = {QColor(226, 228, 232), QColor(180, 205, 240), QColor(235, 190, 225),
                            QColor(240, 235, 170), QColor(175, 230, 190), QColor(226, 228, 232)};
    for (int i = 0; i < 6; ++i)
        face.setColorAt(i / 5.0, stops[i]);
    painter.setPen(QPen(QColor(120, 122, 130), 1.5));
    painter.setBrush(face);
    painter.drawEllipse(c, DiscArrowsPicture::DiscRadius, DiscArrowsPicture::DiscRadius);
    // The clear plastic ring around the hole, then the hole itself.
    QRadialGradient hub(c, 22.0);
    hub.setColorAt(0.0, QColor(250, 250, 252));
    hub.setColorAt(1.0, QColor(214, 216, 222));
    painter.setPen(QPen(QColor(160, 162, 170), 1.0));
    painter.setBrush(hub);
    painter.drawEllipse(c, 22.0, 22.0);
    painter.setBrush(QColor(196, 198, 204));
    painter.drawEllipse(c, 13.0, 13.0);
    painter.setPen(QPen(QColor(110, 110, 118), 1.0));
    painter.setBrush(DiscArrowsPicture::Background);
    painter.drawEllipse(c, DiscArrowsPicture::HoleRadius, DiscArrowsPicture::HoleRadius);
}

// The torn spot where a shaft goes into the face.
void drawEntry(QPainter &painter, QPointF at)
{
    painter.setPen(QPen(QColor(90, 90, 96), 1.0));
    painter.setBrush(QColor(60, 60, 66));
    painter.drawEllipse(at, 3.0, 3.0);
}

} // namespace

QPointF DiscArrowsPicture::pointOn(const Arrow &arrow, double along)
{
    return arrow.nock + (arrow.tip - arrow.nock) * along;
}

QImage DiscArrowsPicture::render()
{
    QImage image(Width, Height, QImage::Format_RGB888);
    image.fill(Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Back to front: the parts behind the disc, the disc, then what is in front.
    for (const Arrow &arrow : Arrows) {
        drawShaft(painter, pointOn(arrow, arrow.entry), arrow.tip);
        drawPoint(painter, arrow);
    }
    drawDisc(painter);
    for (const Arrow &arrow : Arrows) {
        drawEntry(painter, pointOn(arrow, arrow.entry));
        drawShaft(painter, arrow.nock, pointOn(arrow, arrow.entry));
        drawFletching(painter, arrow);
    }
    painter.end();
    return image;
}
