// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;
class QTabWidget;

// More options for running a tournament, reached from the setup dialog. Each
// capability brings its own page; every option starts off in every run, and
// nothing is stored.
class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OptionsDialog(QWidget *parent = nullptr);

    void AddPage(QWidget *page, const QString &title);
    int PageCount() const;

    QTabWidget *Pages = nullptr;
    QPushButton *CloseButton = nullptr;
};
