// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include <cstdint>

// The clock's buttons a phone may press: the push buttons of the main
// window's button row that show at the moment, except those that open the
// operator's own dialogs or end the program. Each change of what shows gets
// a new list number, and a press names the list it was made on, so a press
// made on an old list never lands on a button that has since changed.
class RemoteButtons
{
public:
    RemoteButtons(QWidget *row, QList<QPushButton *> operatorOnly);

    // Looks again at the row; true when what shows has changed.
    bool Refresh();

    std::uint32_t ListNumber() const { return listNumber; }
    QStringList Captions() const;

    // Clicks the button as a mouse would, on the calling (user-interface)
    // thread; false when the list is old, the button gone, or a modal window
    // is open on the operator's screen.
    bool Press(std::uint32_t list, int button);

private:
    struct Shown
    {
        QPointer<QPushButton> button;
        QString caption;
        bool operator==(const Shown &other) const = default;
    };
    QList<Shown> current() const;

    QPointer<QWidget> row;
    QList<QPushButton *> operatorOnly;
    QList<Shown> shown;
    std::uint32_t listNumber = 0;
};
