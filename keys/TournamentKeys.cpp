// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentKeys.h"

#include "FocusGuard.h"
#include "KeyControl.h"
#include "Unit1.h"

#include <QPushButton>

void AddTournamentKeys(KeyControl &keys, TForm1 &form)
{
    // Start, but never the next wave while one runs or stands stopped.
    const QList<QWidget *> onlyToBegin = {form.Afbryd_TidKnap, form.nulstilholdknap};
    // Start, also after a stop: the next wave, on a second, deliberate press.
    const QList<QWidget *> notWhileRunning = {form.Afbryd_TidKnap};
    const struct
    {
        QKeySequence key;
        QPushButton *button;
        QList<QWidget *> notWhileVisible;
    } table[] = {
        {QKeySequence(Qt::Key_PageDown), form.StartKnap, onlyToBegin}, // the remote's most-pressed key
        {QKeySequence(Qt::Key_S), form.StartKnap, onlyToBegin},
        {QKeySequence(Qt::Key_F5), form.StartKnap, notWhileRunning},
        {QKeySequence(Qt::SHIFT | Qt::Key_F5), form.StartKnap, notWhileRunning},
        {QKeySequence(Qt::Key_Escape), form.Afbryd_TidKnap, {}},
        {QKeySequence(Qt::Key_B), form.Afbryd_TidKnap, {}},
        {QKeySequence(Qt::Key_Period), form.Afbryd_TidKnap, {}},
        {QKeySequence(Qt::Key_PageUp), form.nulstilholdknap, {}},
        {QKeySequence(Qt::Key_W), form.nulstilholdknap, {}},
        {QKeySequence(Qt::Key_Delete), form.nulstilleknap, {}}, // abandoning the end: keyboard only
    };
    for (const auto &row : table)
        keys.AddButton(row.key, row.button, row.notWhileVisible);
    // Shooting again after an emergency stop must be meant: a key of its own,
    // on no remote button.
    if (form.ResumeKnap != nullptr)
        keys.AddButton(QKeySequence(Qt::Key_R), form.ResumeKnap);
    keys.AddAction(QKeySequence(Qt::Key_F11), [&form] { form.setWindowState(form.windowState() ^ Qt::WindowFullScreen); });
    // Space, which the focused button takes itself, keeps the same promise.
    new FocusGuard(&form, form.Panel1, form.StartKnap, form.Afbryd_TidKnap);
}
