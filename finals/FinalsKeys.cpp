// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsKeys.h"

#include "FinalsMode.h"
#include "KeyControl.h"

#include <QApplication>
#include <QPushButton>
#include <QShortcut>

#include <utility>

void AddFinalsKeys(KeyControl &keys, FinalsMode &mode, QWidget *window)
{
    const struct
    {
        QKeySequence key;
        QPushButton *button;
    } table[] = {
        {QKeySequence(Qt::Key_PageDown), mode.SwitchButton},
        {QKeySequence(Qt::Key_PageDown), mode.StartButton},
        {QKeySequence(Qt::Key_Escape), mode.StopButton},
        {QKeySequence(Qt::Key_B), mode.StopButton},
        {QKeySequence(Qt::Key_Period), mode.StopButton},
        {QKeySequence(Qt::Key_R), mode.ResumeButton},
        {QKeySequence(Qt::Key_Delete), mode.ResetButton},
    };
    for (const auto &row : table)
        keys.AddButton(row.key, row.button);

    // As a key of the table acts: only in the active window with no modal
    // window open, and only while its button shows.
    for (const auto &[key, button] : {std::pair{Qt::Key_Left, mode.LeftStartsButton},
                                      std::pair{Qt::Key_Right, mode.RightStartsButton}}) {
        auto *shortcut = new QShortcut(QKeySequence(key), window);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        shortcut->setEnabled(mode.IsOn());
        QObject::connect(&mode, &FinalsMode::switched, shortcut, &QShortcut::setEnabled);
        QObject::connect(shortcut, &QShortcut::activated, button, [button = button] {
            if (QApplication::activeModalWidget() == nullptr && QApplication::activePopupWidget() == nullptr
                && button->isVisible() && button->isEnabled())
                button->click();
        });
    }
}
