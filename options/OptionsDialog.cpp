// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionsDialog.h"

#include "uVantixStrings.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

OptionsDialog::OptionsDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(uVantixStrings::OptionsTitle);
    Pages = new QTabWidget(this);
    CloseButton = new QPushButton(uVantixStrings::OptionsClose, this);
    CloseButton->setAutoDefault(false);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addLayout(buttons);
}

void OptionsDialog::AddPage(QWidget *page, const QString &title)
{
    Pages->addTab(page, title);
}

int OptionsDialog::PageCount() const
{
    return Pages->count();
}
