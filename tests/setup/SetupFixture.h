// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeFileDialog.h"
#include "TestPlatform.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QLineEdit>

// Recording fakes for every service the setup dialog uses, and the built-in
// texts loaded as at start-up (the fake program folder holds no language file).
class SetupFixture
{
public:
    TestPlatform platform;
    FakeFileDialog fileDialog;

    SetupFixture() { uVantixStrings::LoadTexts(); }

private:
    ScopedSeam<IFileDialog> fileDialogSeam{&fileDialog};
};

// Types the four number fields the way the dialog lays them out.
inline void enterNumbers(TForm2 &dialog, const QString &waves, const QString &shooting,
                         const QString &yellow, const QString &red)
{
    dialog.AntalHold->setText(waves);
    dialog.Skydetid->setText(shooting);
    dialog.gul_tid->setText(yellow);
    dialog.edRedWatingTime->setText(red);
}

// The range error as the dialog shows it: two texts on two lines.
inline QString rangeErrorText()
{
    return uVantixStrings::TotalLessThanYellow + QLatin1Char('\r') + uVantixStrings::RedLessThanFive;
}
