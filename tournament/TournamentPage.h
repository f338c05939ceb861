// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class TournamentDocument;
class TournamentRules;

// The options page "Tournament": the tournament file (Open..., Save,
// Save as...) and where the tournament stands, put right by hand.
class TournamentPage : public QWidget
{
    Q_OBJECT
public:
    TournamentPage(TournamentDocument &document, TournamentRules &rules, QWidget *parent = nullptr);

    QLabel *FileName = nullptr;
    QPushButton *OpenButton = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *SaveAsButton = nullptr;
    QLabel *NextEnd = nullptr;
    QLabel *FirstDetail = nullptr;
    QPushButton *EndUpButton = nullptr;
    QPushButton *EndDownButton = nullptr;
    QPushButton *OtherDetailButton = nullptr;

    // Shows the file and the standing as they are now.
    void Refresh();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *button(const QString &caption);

    TournamentDocument &document;
    TournamentRules &rules;
};
