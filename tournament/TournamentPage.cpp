// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentPage.h"

#include "TournamentDocument.h"
#include "TournamentFile.h"
#include "TournamentRules.h"
#include "uVantixStrings.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace uVantixStrings;

TournamentPage::TournamentPage(TournamentDocument &document, TournamentRules &rules, QWidget *parent)
    : QWidget(parent), document(document), rules(rules)
{
    FileName = new QLabel;
    FileName->setTextFormat(Qt::PlainText);
    FileName->setWordWrap(true);
    OpenButton = button(TournamentOpenButton);
    SaveButton = button(TournamentSaveButton);
    SaveAsButton = button(TournamentSaveAsButton);
    NextEnd = new QLabel;
    FirstDetail = new QLabel;
    EndUpButton = button(TournamentEndUp);
    EndDownButton = button(TournamentEndDown);
    OtherDetailButton = button(TournamentOtherDetail);

    auto *file = new QFormLayout;
    file->addRow(TournamentFileLabel, FileName);
    auto *fileButtons = new QHBoxLayout;
    for (QPushButton *b : {OpenButton, SaveButton, SaveAsButton})
        fileButtons->addWidget(b);
    fileButtons->addStretch();

    auto *standing = new QGroupBox(TournamentStandingGroup);
    auto *standingRows = new QFormLayout(standing);
    standingRows->addRow(TournamentNextEnd, NextEnd);
    standingRows->addRow(TournamentFirstDetail, FirstDetail);
    auto *standingButtons = new QHBoxLayout;
    for (QPushButton *b : {EndDownButton, EndUpButton, OtherDetailButton})
        standingButtons->addWidget(b);
    standingButtons->addStretch();
    standingRows->addRow(standingButtons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addLayout(fileButtons);
    layout->addWidget(standing);
    layout->addStretch();

    connect(OpenButton, &QPushButton::clicked, this, [this] {
        this->document.ChooseAndOpen(window());
        Refresh();
    });
    connect(SaveButton, &QPushButton::clicked, this, [this] {
        this->document.Save(window());
        Refresh();
    });
    connect(SaveAsButton, &QPushButton::clicked, this, [this] {
        this->document.ChooseAndSaveAs(window());
        Refresh();
    });
    connect(EndUpButton, &QPushButton::clicked, this, [this] {
        this->rules.StepEnd(+1);
        Refresh();
    });
    connect(EndDownButton, &QPushButton::clicked, this, [this] {
        this->rules.StepEnd(-1);
        Refresh();
    });
    connect(OtherDetailButton, &QPushButton::clicked, this, [this] {
        this->rules.SetFirstDetail((this->rules.FirstDetail() + 1) % this->rules.Details());
        Refresh();
    });
    Refresh();
}

QPushButton *TournamentPage::button(const QString &caption)
{
    auto *b = new QPushButton(caption);
    b->setAutoDefault(false);
    return b;
}

void TournamentPage::Refresh()
{
    FileName->setText(document.Path().isEmpty() ? TournamentNoFile : QDir::toNativeSeparators(document.Path()));
    NextEnd->setText(rules.Ends.Label());
    const bool letters = rules.Details() > 1;
    FirstDetail->setText(letters ? TournamentFile::DetailName(rules.FirstDetail()) : QStringLiteral("-"));
    OtherDetailButton->setEnabled(letters);
}

void TournamentPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Refresh();
}
