// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsSetup.h"

#include "FinalsKeys.h"
#include "FinalsMode.h"
#include "FinalsPage.h"
#include "TCounterLabel.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QAbstractButton>
#include <QPointer>
#include <QPushButton>

FinalsMode *AttachFinals(TForm1 &form, TForm2 *dialog, KeyControl *keys, QAbstractButton *emergencyOption)
{
    FinalsMode::Parts parts;
    parts.published = form.Published;
    parts.buttonRow = form.Panel1;
    parts.counter = form.SekunderTilbage;
    parts.sequenceButtons = {form.StartKnap, form.Afbryd_TidKnap, form.nulstilleknap, form.nulstilholdknap};
    if (form.ResumeKnap != nullptr)
        parts.sequenceButtons.append(form.ResumeKnap);
    parts.readyButtons = {form.SetupKnap, form.OmKnap};
    const QPointer<QAbstractButton> option(emergencyOption);
    parts.emergencySignal = [option] { return option != nullptr && option->isChecked(); };
    auto *mode = new FinalsMode(parts, &form);
    if (dialog != nullptr)
        dialog->AddOptionsPage(mode->Page, uVantixStrings::FinalsPageTitle);
    if (keys != nullptr)
        AddFinalsKeys(*keys, *mode, &form);
    return mode;
}
