// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

// Keys that press a window's buttons: one row per key and button. A key
// acts exactly as a click on its button, and only while that button is
// visible, the rows' other conditions hold and the window is the active one
// with no modal window open, so no key reaches the clock from behind a
// dialog or a message box. Several rows may share a key; the first that can
// act does. Keys the window's widgets use themselves (Space on the focused
// button) are never taken.
class KeyControl : public QObject
{
    Q_OBJECT
public:
    explicit KeyControl(QWidget *window);

    // The key clicks the button, but not while any of the given widgets is
    // visible.
    void AddButton(const QKeySequence &key, QAbstractButton *button, const QList<QWidget *> &notWhileVisible = {});
    // The key runs an action of the window itself (full screen, a view).
    void AddAction(const QKeySequence &key, const std::function<void()> &action);

private:
    struct Row
    {
        QKeySequence key;
        QAbstractButton *button = nullptr;
        QList<QWidget *> notWhileVisible;
        std::function<void()> action;
    };

    void add(const Row &row);
    void pressed(const QKeySequence &key);
    bool windowTakesKeys() const;
    static bool canAct(const Row &row);

    QWidget *window;
    std::vector<Row> rows;
};
