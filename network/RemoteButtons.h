// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include <cstdint>

// The clock's buttons a phone may press: of the buttons it is given (the
// clock's own, none that opens the operator's dialogs or ends the program),
// those that show at the moment and are enabled. A button not on the list
// is never remote, whatever is added to the window later. Each change of
// what shows gets a new list number, and a press names the list it was made
// on, so a press made on an old list never lands on a button that has since
// changed. It tells when one of its buttons shows, hides or changes its
// enabled state or caption, so the list can be looked at again.
class RemoteButtons : public QObject
{
    Q_OBJECT
public:
    explicit RemoteButtons(QList<QPushButton *> allowed, QObject *parent = nullptr);

    // Puts more of the clock's buttons on the list (a mode that brings
    // buttons of its own, as finals do), after those already there.
    void Allow(const QList<QPushButton *> &more);

    // Looks again at the buttons; true when what shows has changed.
    bool Refresh();

    std::uint32_t ListNumber() const { return listNumber; }
    QStringList Captions() const;

    // Clicks the button as a mouse would, on the calling (user-interface)
    // thread; false when the list is old, the button gone, or a modal window
    // is open on the operator's screen.
    bool Press(std::uint32_t list, int button);

signals:
    void mayHaveChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Shown
    {
        QPointer<QPushButton> button;
        QString caption;
        bool operator==(const Shown &other) const = default;
    };
    QList<Shown> current() const;

    QList<QPointer<QPushButton>> allowed;
    QList<Shown> shown;
    std::uint32_t listNumber = 0;
};
