// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkPage.h"

#include "ClockServer.h"
#include "TitleSuffix.h"
#include "Unit1.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

NetworkPage::NetworkPage(TForm1 &form, AnnouncingSoundPlayer *horns, const QString &hornFolder, QWidget *parent)
    : QWidget(parent), form(form), horns(horns), hornFolder(hornFolder), title(new TitleSuffix(&form))
{
    ServeBox = new QCheckBox(QStringLiteral("Serve the clock to web browsers on the local network"), this);
    PortBox = new QSpinBox(this);
    PortBox->setRange(1, 65535);
    PortBox->setValue(DefaultPort);
    Status = new QLabel(this);
    Status->setWordWrap(true);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QFormLayout(this);
    layout->addRow(ServeBox);
    layout->addRow(QStringLiteral("Port:"), PortBox);
    layout->addRow(Status);
    connect(ServeBox, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            Serve(quint16(PortBox->value()));
        else
            Stop();
    });
    showState();
}

NetworkPage::~NetworkPage() = default;

bool NetworkPage::Serve(quint16 port)
{
    Stop();
    auto started = std::make_unique<ClockServer>(form, horns, hornFolder);
    if (!started->Listen(port)) {
        showState(QStringLiteral("Port %1 could not be opened: %2").arg(port).arg(started->ErrorText()));
        return false;
    }
    server = std::move(started);
    showState();
    return true;
}

void NetworkPage::Stop()
{
    server.reset();
    showState();
}

QString NetworkPage::StatusText() const
{
    return Status->text();
}

void NetworkPage::showState(const QString &problem)
{
    const QSignalBlocker quiet(ServeBox);
    ServeBox->setChecked(server != nullptr);
    PortBox->setEnabled(server == nullptr);
    if (server == nullptr) {
        Status->setText(problem.isEmpty() ? QStringLiteral("Nothing is served; nothing listens on the network.")
                                          : problem);
        title->Set(QString());
        return;
    }
    PortBox->setValue(server->Port());
    QStringList addresses = ClockServer::Addresses(server->Port());
    if (addresses.isEmpty())
        addresses.append(QStringLiteral("(no network address yet)"));
    Status->setText(QStringLiteral("Type on a display: %1\nRemote control: add remote to the address, PIN %2\n"
                                   "The PIN is drawn anew each time the server starts.")
                        .arg(addresses.join(QStringLiteral("  ")), server->Pin()));
    title->Set(QStringLiteral(" - on the network: ") + addresses.join(QStringLiteral("  ")));
}
