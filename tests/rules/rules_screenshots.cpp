// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the tournament rules' controls offscreen for the README: the
// "Rounds" options page, the main window shooting with the detail letters
// and end number on its counter screen, and stopped, with the end number and
// the Resume button in its button row.
// Usage: rules_screenshots <folder>   (run with QT_QPA_PLATFORM=offscreen)

#include "AudienceSetup.h"
#include "OptionsDialog.h"
#include "RoundsPage.h"
#include "TTimer.h"
#include "TestPlatform.h"
#include "TournamentRules.h"
#include "Unit1.h"
#include "Unit2.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: rules_screenshots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    TestPlatform platform;
    TForm1 form;
    auto *dialog = new TForm2(&form);
    form.AttachSetupDialog(dialog);
    auto *rules = new TournamentRules(form, *dialog);
    new AudienceSetup(form, dialog);

    RoundsPage &page = *rules->Page;
    page.Preset->setCurrentIndex(1);
    emit page.Preset->activated(1);
    for (QCheckBox *option :
         {page.ShowDetail, page.RotateDetails, page.ShowEndNumber, page.EndNumberToArchers, page.EmergencyStop})
        option->setChecked(true);
    dialog->Options->Pages->setCurrentWidget(&page);
    dialog->Options->adjustSize();
    dialog->Options->show();
    app.processEvents();
    bool saved = dialog->Options->grab().save(folder.filePath(QStringLiteral("rules-options.png")));
    dialog->Options->hide();

    // Two ends shot, the third stopped in its first wave.
    form.RedTime = 10;
    form.ShootingTime = 240;
    form.show();
    for (int end = 0; end < 3; ++end) {
        form.StartKnap->click();
        while (end < 2 && form.Timer1->Enabled())
            form.Timer1->OnTimer();
    }
    for (int tick = 0; tick < 50; ++tick)
        form.Timer1->OnTimer();
    app.processEvents();
    saved = form.grab().save(folder.filePath(QStringLiteral("rules-letters.png"))) && saved;
    form.Afbryd_TidKnap->click();
    app.processEvents();
    saved = form.grab().save(folder.filePath(QStringLiteral("rules-stopped.png"))) && saved;
    return saved ? 0 : 1;
}
