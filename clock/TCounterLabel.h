// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The counter: a text label filling the area above the button row. Unlike a
// plain label it repaints only where the text was and where it is now, so a
// tick on a 4K projector redraws the digits rather than eight million pixels
// of black.
class TCounterLabel : public QWidget
{
    Q_OBJECT
public:
    explicit TCounterLabel(const QString &text, QWidget *parent = nullptr);

    QString text() const { return caption; }
    void setText(const QString &text);
    Qt::Alignment alignment() const { return align; }
    void setAlignment(Qt::Alignment alignment);

    // Where the text is drawn, with room for the glyphs' overhang.
    QRect textArea() const;

    void setVisible(bool visible) override;

signals:
    // The text, alignment, colour or visibility changed: what the archers
    // see is announced again.
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void changeText(const QString &text, Qt::Alignment alignment);
    QString caption;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
};
