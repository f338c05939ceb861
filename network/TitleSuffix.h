// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Keeps a text at the end of a window's title while it is set: whenever the
// window sets its own title, the text goes on after it again, and once the
// text is cleared the title is the window's own again.
class TitleSuffix : public QObject
{
    Q_OBJECT
public:
    explicit TitleSuffix(QWidget *window);

    void Set(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void write();

    QWidget *window;
    QString own;
    QString suffix;
    bool writing = false;
};
