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
    const bool onlyInk = screen.pictureShown == shown.pictureShown && screen.picture.cacheKey() == shown.picture.cacheKey();
    const QRect before = ScreenPainter::InkArea(layout);
    shown = screen;
    relayout();
    if (onlyInk)
        update(before | ScreenPainter::InkArea(layout));
    else
        update();
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
