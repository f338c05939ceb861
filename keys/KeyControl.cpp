// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QShortcut>
#include <QWidget>

#include <algorithm>

KeyControl::KeyControl(QWidget *window) : QObject(window), window(window) {}

void KeyControl::AddButton(const QKeySequence &key, QAbstractButton *button, const QList<QWidget *> &notWhileVisible)
{
    add({key, button, notWhileVisible, {}});
}

void KeyControl::AddAction(const QKeySequence &key, const std::function<void()> &action)
{
    add({key, nullptr, {}, action});
}

void KeyControl::add(const Row &row)
{
    const bool known = std::any_of(rows.begin(), rows.end(), [&](const Row &other) { return other.key == row.key; });
    rows.push_back(row);
    if (known)
        return;
    // One shortcut per key, in the window's context: it fires only while
    // the window is the active one.
    auto *shortcut = new QShortcut(row.key, window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    const QKeySequence key = row.key;
    connect(shortcut, &QShortcut::activated, this, [this, key] { pressed(key); });
}

void KeyControl::pressed(const QKeySequence &key)
{
    if (!windowTakesKeys())
        return;
    for (const Row &row : rows) {
        if (row.key != key || !canAct(row))
            continue;
        if (row.button != nullptr)
            row.button->click();
        else
            row.action();
        return;
    }
}

bool KeyControl::windowTakesKeys() const
{
    return window->isActiveWindow() && QApplication::activeModalWidget() == nullptr
           && QApplication::activePopupWidget() == nullptr;
}

bool KeyControl::canAct(const Row &row)
{
    if (row.button == nullptr)
        return true;
    if (!row.button->isVisible() || !row.button->isEnabled())
        return false;
    return std::none_of(row.notWhileVisible.begin(), row.notWhileVisible.end(),
                        [](const QWidget *widget) { return widget->isVisible(); });
}
