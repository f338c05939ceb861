// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudienceDisplay.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

AudienceDisplay::AudienceDisplay(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("FletchWise audience"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The program ends with the main window, whether this one shows or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::BlankCursor);
    // The counter's face, as in the main window.
    family = QFont(QStringLiteral("Arial Narrow"));
    family.setBold(true);
    // Hinting does nothing for glyphs this large but costs time on each draw.
    family.setHintingPreference(QFont::PreferNoHinting);
}

void AudienceDisplay::OpenOn(QScreen *screen)
{
    setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
}

QScreen *AudienceDisplay::ShownOn() const
{
    return isVisible() ? screen() : nullptr;
}

void AudienceDisplay::Show(const ArcherScreen &screen)
{
    const bool onlyInk = screen.pictureShown == shown.pictureShown && screen.picture.cacheKey() == shown.picture.cacheKey()
                         && !screen.finals.shown && !shown.finals.shown;
    const ArcherScreen was = shown;
    const ScreenPainter::Layout before = layout;
    shown = screen;
    relayout();
    if (!onlyInk)
        update();
    else if (sameButDigits(was, before))
        update(changedDigits(was));
    else
        update(ScreenPainter::InkArea(before) | ScreenPainter::InkArea(layout));
}

bool AudienceDisplay::sameButDigits(const ArcherScreen &was, const ScreenPainter::Layout &before) const
{
    return was.CounterVisible() && shown.CounterVisible() && was.counterColor == shown.counterColor
           && was.counterText.size() == shown.counterText.size() && before.counter.font == layout.counter.font
           && before.counter.at == layout.counter.at && before.detail.ink == layout.detail.ink
           && before.label.ink == layout.label.ink && was.detail == shown.detail && was.endLabel == shown.endLabel;
}

QRegion AudienceDisplay::changedDigits(const ArcherScreen &was) const
{
    // A tick mostly changes the last digit: repaint the cells of the digits
    // that changed, not the whole number, which on a 4K screen is most of it.
    const QFontMetrics metrics(layout.counter.font);
    const QRect ink = ScreenPainter::InkArea(layout);
    const int overhang = metrics.height() / 20;
    QRegion changed;
    for (int i = 0; i < shown.counterText.size(); ++i) {
        if (shown.counterText.at(i) == was.counterText.at(i))
            continue;
        const int left = layout.counter.at.x() + metrics.horizontalAdvance(shown.counterText.left(i));
        const int width = metrics.horizontalAdvance(shown.counterText.at(i));
        changed += QRect(left - overhang, ink.top(), width + 2 * overhang, ink.height());
    }
    return changed;
}

void AudienceDisplay::relayout()
{
    layout = ScreenPainter::FitToArea(rect(), shown, family);
}

void AudienceDisplay::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
    update();
}

void AudienceDisplay::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    ScreenPainter::Paint(painter, rect(), shown, layout);
    ++paints;
}
