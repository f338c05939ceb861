// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenPainter.h"

#include "FinalsPainter.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>

namespace {

// Fonts are measured at this size and scaled: glyph outlines grow in step.
constexpr int MeasureSize = 1000;

// A number of up to three digits is laid out as the widest three digits, so
// that the counter keeps its size and place from tick to tick.
QString referenceText(const QString &text)
{
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    return digits && text.size() <= 3 ? QStringLiteral("888") : text;
}

QRect ink(const QFont &font, const QString &text)
{
    return QFontMetrics(font).tightBoundingRect(text);
}

bool fits(const QRect &ink, const QSize &room)
{
    return ink.width() <= room.width() && ink.height() <= room.height();
}

} // namespace

QFont ScreenPainter::fitted(const QFont &family, const QString &text, const QSize &room)
{
    // A tick lays the screen out again with the same texts and rooms: the
    // sizes found are kept, as measuring glyphs this large takes time.
    static QHash<QString, int> sizes;
    const QString key = QStringList{family.key(), text, QString::number(room.width()), QString::number(room.height())}
                            .join(QChar(0x1f));
    if (const auto found = sizes.constFind(key); found != sizes.constEnd()) {
        QFont font = family;
        font.setPixelSize(found.value());
        return font;
    }
    const QFont font = measuredFit(family, text, room);
    if (sizes.size() > 1000)
        sizes.clear();
    sizes.insert(key, font.pixelSize());
    return font;
}

QFont ScreenPainter::measuredFit(const QFont &family, const QString &text, const QSize &room)
{
    QFont font = family;
    font.setPixelSize(MeasureSize);
    const QRect measured = ink(font, text);
    if (measured.isEmpty() || room.isEmpty()) {
        font.setPixelSize(1);
        return font;
    }
    const double scale = std::min(double(room.width()) / measured.width(), double(room.height()) / measured.height());
    int size = std::max(1, int(MeasureSize * scale));
    font.setPixelSize(size);
    // Hinting can add a pixel here and there: step down until the ink fits.
    while (size > 1 && !fits(ink(font, text), room)) {
        size = std::max(1, size * 97 / 100);
        font.setPixelSize(size);
    }
    return font;
}

ScreenPainter::Layout::Text ScreenPainter::placed(const QFont &font, const QString &text, const QRect &room,
                                                   Qt::Alignment align)
{
    const QRect measured = ink(font, text);
    QPoint topLeft = room.topLeft();
    if (align & Qt::AlignRight)
        topLeft.setX(room.right() + 1 - measured.width());
    else if (align & Qt::AlignHCenter)
        topLeft.setX(room.left() + (room.width() - measured.width()) / 2);
    if (align & Qt::AlignBottom)
        topLeft.setY(room.bottom() + 1 - measured.height());
    else if (align & Qt::AlignVCenter)
        topLeft.setY(room.top() + (room.height() - measured.height()) / 2);
    return {font, topLeft - measured.topLeft(), QRect(topLeft, measured.size())};
}

void ScreenPainter::fitCounter(Layout &layout, const QRect &area, const ArcherScreen &screen, const QFont &family)
{
    const QString reference = referenceText(screen.counterText);
    const Qt::Alignment horizontal =
        screen.counterAlign == ArcherScreen::Align::Centre ? Qt::AlignHCenter : Qt::AlignRight;
    layout.counter = placed(fitted(family, reference, area.size()), reference, area, horizontal | Qt::AlignVCenter);
}

void ScreenPainter::showText(Layout &layout, const ArcherScreen &screen)
{
    // The layout holds the reference text; a shorter number ends where the
    // reference's advance ends, as a right-aligned label would place it.
    const QString reference = referenceText(screen.counterText);
    const QFontMetrics metrics(layout.counter.font);
    const int shorter = metrics.horizontalAdvance(reference) - metrics.horizontalAdvance(screen.counterText);
    layout.counter.at.rx() += screen.counterAlign == ArcherScreen::Align::Centre ? shorter / 2 : shorter;
    layout.counter.ink = ink(layout.counter.font, screen.counterText).translated(layout.counter.at);
}

ScreenPainter::Layout ScreenPainter::FitToArea(const QRect &area, const ArcherScreen &screen, const QFont &family)
{
    if (!screen.CounterVisible())
        return OnReadyScreen(area, screen, family);
    // Every tick of a wave has the same layout but for the digits: the last
    // one is kept, and only the new number is placed in it.
    static QString lastKey;
    static Layout last;
    const QString key = QStringList{QString::number(area.x()), QString::number(area.y()),
                                    QString::number(area.width()), QString::number(area.height()), family.key(),
                                    referenceText(screen.counterText), QString::number(int(screen.counterAlign)),
                                    screen.detail, screen.endLabel}
                            .join(QChar(0x1f));
    if (key != lastKey) {
        last = referenceLayout(area, screen, family);
        lastKey = key;
    }
    Layout layout = last;
    showText(layout, screen);
    return layout;
}

ScreenPainter::Layout ScreenPainter::referenceLayout(const QRect &area, const ArcherScreen &screen,
                                                     const QFont &family)
{
    Layout layout;
    const int margin = area.height() / 40;
    const QRect inner = area.adjusted(margin, margin, -margin, -margin);
    fitCounter(layout, inner, screen, family);
    placeExtras(layout, inner, screen);
    const bool detailTooSmall =
        !screen.detail.isEmpty() && layout.detail.ink.height() < layout.counter.ink.height() / 4;
    const bool labelLeftOut = !screen.endLabel.isEmpty() && layout.label.ink.isEmpty();
    if (!detailTooSmall && !labelLeftOut)
        return layout;
    // No room beside the counter: the extras take the top quarter.
    const QRect strip(inner.left(), inner.top(), inner.width(), inner.height() / 4);
    fitCounter(layout, inner.adjusted(0, strip.height() + margin, 0, 0), screen, family);
    placeInStrip(layout, strip, margin, screen, family, Qt::AlignVCenter);
    return layout;
}

void ScreenPainter::placeInStrip(Layout &layout, const QRect &strip, int margin, const ArcherScreen &screen,
                                 const QFont &family, Qt::Alignment vertical)
{
    // The letters on the left three fifths, the end's label on the rest.
    const QRect detailRoom(strip.left(), strip.top(), strip.width() * 3 / 5, strip.height());
    const QRect labelRoom(detailRoom.right() + 1 + margin, strip.top(), strip.right() - detailRoom.right() - margin,
                          strip.height());
    layout.detail = {};
    layout.label = {};
    if (!screen.detail.isEmpty())
        layout.detail = placed(fitted(family, screen.detail, detailRoom.size()), screen.detail, detailRoom,
                               Qt::AlignLeft | vertical);
    if (!screen.endLabel.isEmpty())
        layout.label = placed(fitted(family, screen.endLabel, labelRoom.size()), screen.endLabel, labelRoom,
                              Qt::AlignRight | vertical);
}

ScreenPainter::Layout ScreenPainter::AroundCounter(const QRect &area, const ArcherScreen &screen,
                                                   const QFont &counterFont)
{
    Layout layout;
    if (!screen.CounterVisible())
        return layout;
    // Where a label drawing the reference text with this font and alignment
    // puts its ink: the extras keep clear of it, and so stay where they are
    // from tick to tick.
    const QString reference = referenceText(screen.counterText);
    const QFontMetrics metrics(counterFont);
    const int flags = (screen.counterAlign == ArcherScreen::Align::Centre ? Qt::AlignHCenter : Qt::AlignRight)
                      | Qt::AlignVCenter;
    const QRect logical = metrics.boundingRect(area, flags, reference);
    const QPoint at(logical.left(), logical.top() + metrics.ascent());
    layout.counter = {counterFont, at, ink(counterFont, reference).translated(at)};
    placeExtras(layout, area, screen);
    placeLabelApart(layout, area, screen);
    showText(layout, screen);
    return layout;
}

void ScreenPainter::placeExtras(Layout &layout, const QRect &area, const ArcherScreen &screen)
{
    const QRect c = layout.counter.ink.isEmpty() ? QRect(area.center(), QSize(0, 0)) : layout.counter.ink;
    const int gap = std::max(2, area.height() / 40);
    const bool vertical[] = {true, true, false, false};
    const QRect bands[] = {
        QRect(area.topLeft(), QPoint(c.left() - gap - 1, area.bottom())),
        QRect(QPoint(c.right() + gap + 1, area.top()), area.bottomRight()),
        QRect(area.topLeft(), QPoint(area.right(), c.top() - gap - 1)),
        QRect(QPoint(area.left(), c.bottom() + gap + 1), area.bottomRight()),
    };
    // The extras stay smaller than the counter: at most half its height.
    const int cap = std::max(1, c.height() / 2);
    const QFont &family = layout.counter.font;
    auto best = [&](const QString &text, const std::vector<QRect> &rooms, Qt::Alignment align) {
        Layout::Text chosen;
        for (const QRect &room : rooms) {
            if (room.isEmpty())
                continue;
            const QFont font = fitted(family, text, QSize(room.width(), std::min(room.height(), cap)));
            const Layout::Text candidate = placed(font, text, room, align);
            if (fits(candidate.ink, room.size()) && candidate.ink.height() > chosen.ink.height())
                chosen = candidate;
        }
        return chosen;
    };
    std::vector<QRect> rooms(std::begin(bands), std::end(bands));
    if (!screen.detail.isEmpty()) {
        layout.detail = best(screen.detail, rooms, Qt::AlignLeft | Qt::AlignTop);
        // The end label may share the detail's strip, beyond the letters.
        for (int i = 0; i < 4; ++i) {
            if (!bands[i].contains(layout.detail.ink))
                continue;
            rooms[i] = vertical[i] ? bands[i].adjusted(0, layout.detail.ink.bottom() + gap - bands[i].top(), 0, 0)
                                   : bands[i].adjusted(layout.detail.ink.right() + gap - bands[i].left(), 0, 0, 0);
            break;
        }
    }
    if (!screen.endLabel.isEmpty())
        layout.label = best(screen.endLabel, rooms, Qt::AlignLeft | Qt::AlignBottom);
}

void ScreenPainter::placeLabelApart(Layout &layout, const QRect &area, const ArcherScreen &screen)
{
    // Beside the digits, in their font and colour, a bare number reads as a
    // digit more ("1 149"): it goes above or below them, at the right, as
    // the audience display sets it apart in a strip of its own.
    if (screen.endLabel.isEmpty() || layout.counter.ink.isEmpty())
        return;
    const QRect c = layout.counter.ink;
    const int gap = std::max(2, area.height() / 40);
    const QRect rooms[] = {
        QRect(area.topLeft(), QPoint(area.right(), c.top() - gap - 1)),
        QRect(QPoint(area.left(), c.bottom() + gap + 1), area.bottomRight()),
    };
    const int cap = std::max(1, c.height() / 2);
    Layout::Text chosen;
    for (QRect room : rooms) {
        if (!layout.detail.ink.isEmpty() && room.intersects(layout.detail.ink))
            room.setLeft(layout.detail.ink.right() + gap + 1);
        if (room.isEmpty())
            continue;
        const QSize size(room.width(), std::min(room.height(), cap));
        const QFont font = fitted(layout.counter.font, screen.endLabel, size);
        const Layout::Text candidate = placed(font, screen.endLabel, room, Qt::AlignRight | Qt::AlignVCenter);
        if (fits(candidate.ink, room.size()) && candidate.ink.height() > chosen.ink.height())
            chosen = candidate;
    }
    if (!chosen.ink.isEmpty())
        layout.label = chosen;
}

QRect ScreenPainter::PictureRect(const QRect &area, const QSize &picture)
{
    if (picture.isEmpty())
        return {};
    const QSize size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

void ScreenPainter::Paint(QPainter &painter, const QRect &area, const ArcherScreen &screen, const Layout &layout)
{
    painter.fillRect(area, Qt::black);
    if (screen.finals.shown) {
        FinalsPainter::Paint(painter, area, screen.finals, FinalsPainter::Face());
        return;
    }
    if (screen.pictureShown) {
        if (!screen.picture.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(PictureRect(area, screen.picture.size()), screen.picture);
        }
        PaintReadyExtras(painter, screen, layout);
        return;
    }
    if (!screen.counterShown) {
        PaintReadyExtras(painter, screen, layout);
        return;
    }
    painter.setPen(toQColor(screen.counterColor));
    painter.setFont(layout.counter.font);
    painter.drawText(layout.counter.at, screen.counterText);
    PaintExtras(painter, screen, layout);
}

void ScreenPainter::PaintExtras(QPainter &painter, const ArcherScreen &screen, const Layout &layout)
{
    painter.setPen(toQColor(screen.counterColor));
    if (!layout.detail.ink.isEmpty()) {
        painter.setFont(layout.detail.font);
        painter.drawText(layout.detail.at, screen.detail);
    }
    if (!layout.label.ink.isEmpty()) {
        painter.setFont(layout.label.font);
        painter.drawText(layout.label.at, screen.endLabel);
    }
}

ScreenPainter::Layout ScreenPainter::OnReadyScreen(const QRect &area, const ArcherScreen &screen,
                                                   const QFont &family)
{
    Layout layout;
    if (screen.detail.isEmpty() && screen.endLabel.isEmpty())
        return layout;
    const int margin = std::max(2, area.height() / 40);
    const QRect strip(area.left() + margin, area.top() + margin, area.width() - 2 * margin, area.height() / 4);
    placeInStrip(layout, strip, margin, screen, family, Qt::AlignTop);
    return layout;
}

void ScreenPainter::PaintReadyExtras(QPainter &painter, const ArcherScreen &screen, const Layout &layout)
{
    for (const Layout::Text *text : {&layout.detail, &layout.label}) {
        if (text->ink.isEmpty())
            continue;
        // Within what InkArea repaints, so a box never outlives its text.
        const int margin = std::max(2, text->ink.height() / 50);
        painter.fillRect(text->ink.adjusted(-margin, -margin, margin, margin), Qt::black);
    }
    PaintExtras(painter, screen, layout);
}

QRect ScreenPainter::InkArea(const Layout &layout)
{
    const QRect all = layout.counter.ink | layout.detail.ink | layout.label.ink;
    if (all.isEmpty())
        return {};
    // Antialiased edges reach a little past the ink.
    const int margin = std::max(2, all.height() / 50);
    return all.adjusted(-margin, -margin, margin, margin);
}
