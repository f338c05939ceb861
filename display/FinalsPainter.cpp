// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsPainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

QColor shade(const QColor &color, bool bright)
{
    if (bright)
        return color;
    return QColor(int(color.red() * FinalsPainter::Dimmed), int(color.green() * FinalsPainter::Dimmed),
                  int(color.blue() * FinalsPainter::Dimmed));
}

// The count fills its room: up to three digits are laid out as the widest
// three, so a count keeps its size from tick to tick.
QFont fittedFont(const QFont &family, const QString &text, const QSize &room)
{
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    const QString reference = digits && text.size() <= 3 ? QStringLiteral("888") : text;
    QFont font = family;
    font.setPixelSize(1000);
    const QRect measured = QFontMetrics(font).tightBoundingRect(reference);
    if (measured.isEmpty() || room.isEmpty()) {
        font.setPixelSize(1);
        return font;
    }
    const double scale = std::min(double(room.width()) / measured.width(), double(room.height()) / measured.height());
    font.setPixelSize(std::max(1, int(1000 * scale * 0.97)));
    return font;
}

} // namespace

QFont FinalsPainter::Face()
{
    QFont face(QStringLiteral("Arial Narrow"));
    face.setBold(true);
    face.setHintingPreference(QFont::PreferNoHinting);
    return face;
}

FinalsPainter::Layout FinalsPainter::Place(const QRect &area)
{
    const int margin = area.width() / 40;
    const int gap = area.width() / 20;
    const int half = (area.width() - 2 * margin - gap) / 2;
    const int marksHeight = area.height() / 6;
    const int countHeight = area.height() - marksHeight - 3 * margin;
    Layout layout;
    layout.left = QRect(area.left() + margin, area.top() + margin, half, countHeight);
    layout.right = layout.left.translated(half + gap, 0);
    layout.leftMarks = QRect(layout.left.left(), layout.left.bottom() + margin, half, marksHeight);
    layout.rightMarks = layout.leftMarks.translated(half + gap, 0);
    return layout;
}

void FinalsPainter::Paint(QPainter &painter, const QRect &area, const FinalsScreen &screen, const QFont &family)
{
    painter.fillRect(area, Qt::black);
    const Layout layout = Place(area);
    paintSide(painter, layout.left, layout.leftMarks, screen.left, screen.shooting == FinalsScreen::Side::Left,
              family);
    paintSide(painter, layout.right, layout.rightMarks, screen.right, screen.shooting == FinalsScreen::Side::Right,
              family);
}

void FinalsPainter::paintSide(QPainter &painter, const QRect &count, const QRect &marks, const FinalsSide &side,
                              bool shooting, const QFont &family)
{
    painter.save();
    const QFont font = fittedFont(family, side.count, count.size());
    painter.setFont(font);
    painter.setPen(shade(toQColor(side.color), shooting));
    const QRect ink = QFontMetrics(font).tightBoundingRect(side.count);
    const QPoint at(count.center().x() - ink.width() / 2 - ink.left(),
                    count.center().y() - ink.height() / 2 - ink.top());
    painter.drawText(at, side.count);

    // The arrows of the end, in one row.
    const int arrows = std::max(0, side.arrowsPerEnd);
    if (arrows > 0) {
        const int cell = std::min(marks.height(), marks.width() / arrows);
        const int diameter = cell * 7 / 10;
        const int pen = std::max(1, diameter / 8);
        const int left = marks.center().x() - cell * arrows / 2;
        const QColor mark = shade(Qt::white, shooting);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < arrows; ++i) {
            const QRect dot(left + i * cell + (cell - diameter) / 2, marks.center().y() - diameter / 2, diameter,
                            diameter);
            if (i < side.arrowsLeft) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(mark);
                painter.drawEllipse(dot);
            } else {
                painter.setPen(QPen(mark, pen));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(dot.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
            }
        }
    }
    painter.restore();
}
