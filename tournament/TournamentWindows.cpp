// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentWindows.h"

#include "AudienceScreens.h"
#include "IFileSystem.h"
#include "NetworkPage.h"
#include "RoundsPage.h"
#include "TournamentRules.h"
#include "Unit1.h"
#include "Unit2.h"
#include "WholeNumber.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

using namespace uVantixStrings;

namespace {
constexpr int SmallestRedTime = 5; // as the setup dialog's OK checks
} // namespace

TournamentWindows::TournamentWindows(TForm1 &form, TForm2 &dialog, TournamentRules &rules,
                                     AudienceScreens *screens, NetworkPage *network)
    : form(form), dialog(dialog), rules(rules), screens(screens), network(network)
{
}

QList<TournamentWindows::RuleBox> TournamentWindows::ruleBoxes() const
{
    const RoundsPage &page = *rules.Page;
    return {{page.ShowDetail, &TournamentSettings::showDetail},
            {page.RotateDetails, &TournamentSettings::rotateDetails},
            {page.ShowEndNumber, &TournamentSettings::showEndNumber},
            {page.EndNumberToArchers, &TournamentSettings::endNumberToArchers},
            {page.EmergencyStop, &TournamentSettings::emergencyStop},
            {page.TrueSeconds, &TournamentSettings::trueSeconds}};
}

bool TournamentWindows::Capture(TournamentSettings &settings, QString &refusal)
{
    // The fields as they stand, checked as OK checks them: the timekeeper
    // saves from within the setup dialog, perhaps before pressing OK.
    const auto shooting = WholeNumber::ParseByte(dialog.Skydetid->text());
    const auto yellow = WholeNumber::ParseByte(dialog.gul_tid->text());
    const auto red = WholeNumber::ParseByte(dialog.edRedWatingTime->text());
    const auto waves = WholeNumber::ParseByte(dialog.AntalHold->text());
    if (!shooting || !yellow || !red || !waves) {
        refusal = WholeNumbers;
        return false;
    }
    if (*shooting < *yellow || *red < SmallestRedTime) {
        refusal = TotalLessThanYellow + QLatin1Char('\r') + RedLessThanFive;
        return false;
    }
    settings.name = dialog.Staevnenavn->text();
    settings.waves = *waves;
    settings.shootingTime = *shooting;
    settings.yellowTime = *yellow;
    settings.redTime = *red;
    settings.cdPlayer = dialog.CdPlayerOption();
    settings.adverts = dialog.AdvertsOption();
    settings.advertList.clear();
    for (int i = 0; i < dialog.AdvertList()->count(); ++i)
        settings.advertList.append(dialog.AdvertList()->item(i)->text());

    const RoundsPage &page = *rules.Page;
    settings.round = page.Preset->currentIndex() > 0 ? page.Preset->currentData().toString() : QString();
    for (const RuleBox &rule : ruleBoxes())
        settings.*(rule.field) = rule.box->isChecked();
    settings.audienceScreen = screens != nullptr ? screens->Chosen() : QString();
    if (network != nullptr) {
        settings.serve = network->Server() != nullptr;
        settings.port = network->PortBox->value();
    }
    settings.scoringEnds = rules.Ends.ScoringEnds();
    settings.practiceEnds = rules.Ends.PracticeEnds();
    settings.practice = rules.Ends.Practice();
    settings.firstDetail = rules.FirstDetail();
    return true;
}

QStringList TournamentWindows::Apply(const TournamentSettings &settings)
{
    QStringList unused;
    applySetup(settings, unused);
    applyRounds(settings, unused);
    // Shown, the setup dialog hands its settings to the clock when it
    // closes, as ever; otherwise they go now, as its closing would.
    if (!dialog.isVisible())
        form.ApplySetup();
    rules.Page->Practice->setChecked(settings.practice);
    rules.SetStanding(settings.scoringEnds, settings.practiceEnds, settings.firstDetail);
    // The letters follow the number of waves, which the clock takes only when
    // the shown dialog closes: the first detail is set again then.
    if (dialog.isVisible())
        rules.SetFirstDetailOnceSetUp(settings.firstDetail);
    applyScreen(settings.audienceScreen, unused);
    applyNetwork(settings, unused);
    return unused;
}

void TournamentWindows::applySetup(const TournamentSettings &settings, QStringList &unused)
{
    dialog.Staevnenavn->setText(settings.name);
    dialog.AntalHold->setText(QString::number(settings.waves));
    dialog.Skydetid->setText(QString::number(settings.shootingTime));
    dialog.gul_tid->setText(QString::number(settings.yellowTime));
    dialog.edRedWatingTime->setText(QString::number(settings.redTime));
    dialog.EnteredTournamentName = settings.name;
    dialog.EnteredNumberOfWaves = static_cast<std::uint8_t>(settings.waves);
    dialog.EnteredShootingTime = static_cast<std::uint8_t>(settings.shootingTime);
    dialog.EnteredYellowTime = static_cast<std::uint8_t>(settings.yellowTime);
    dialog.EnteredRedWaitingTime = static_cast<std::uint8_t>(settings.redTime);
    dialog.SetCdPlayerOption(settings.cdPlayer);

    dialog.AdvertList()->clear();
    for (const QString &picture : settings.advertList) {
        if (FileSystem::get().FileExists(picture))
            dialog.AppendAdvert(picture);
        else
            unused.append(TournamentMissingPicture + QLatin1Char(' ') + QDir::toNativeSeparators(picture));
    }
    dialog.Btn_slet->setEnabled(dialog.AdvertList()->count() > 0);
    if (dialog.AdvertsOption() != settings.adverts) {
        // As a click on the box: the advert controls show or hide with it.
        dialog.CheckBox_visReklamer->setChecked(settings.adverts);
        dialog.CheckBox_visReklamerClick();
    }
}

void TournamentWindows::applyRounds(const TournamentSettings &settings, QStringList &unused)
{
    RoundsPage &page = *rules.Page;
    // The round's name only: its times are the file's own, already typed in.
    int preset = settings.round.isEmpty() ? 0 : page.Preset->findData(settings.round);
    if (preset < 0) {
        unused.append(TournamentUnknownRound + QLatin1Char(' ') + settings.round);
        preset = 0;
    }
    page.Preset->setCurrentIndex(preset);
    for (const RuleBox &rule : ruleBoxes())
        rule.box->setChecked(settings.*(rule.field));
}

void TournamentWindows::applyScreen(const QString &screen, QStringList &unused)
{
    if (screens == nullptr)
        return;
    screens->Choose(screen);
    if (screen.isEmpty())
        return;
    for (const QScreen *connected : QGuiApplication::screens()) {
        if (connected->name() == screen)
            return;
    }
    // Still chosen: the display opens when the screen is plugged in.
    unused.append(TournamentUnknownScreen + QLatin1Char(' ') + screen);
}

void TournamentWindows::applyNetwork(const TournamentSettings &settings, QStringList &unused)
{
    if (network == nullptr)
        return;
    const bool serving = network->Server() != nullptr;
    if (!settings.serve) {
        if (serving)
            network->Stop();
        network->PortBox->setValue(settings.port);
        return;
    }
    if (serving && network->PortBox->value() == settings.port)
        return;
    network->PortBox->setValue(settings.port);
    if (!network->Serve(static_cast<quint16>(settings.port)))
        unused.append(TournamentNoServer + QLatin1Char(' ') + network->StatusText());
}
