// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkPage.h"

#include "ClockServer.h"
#include "QrPicture.h"
#include "TitleSuffix.h"
#include "Unit1.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSpinBox>

NetworkPage::NetworkPage(TForm1 &form, AnnouncingSoundPlayer *horns, const QString &hornFolder, QWidget *parent)
    : QWidget(parent), form(form), horns(horns), hornFolder(hornFolder), title(new TitleSuffix(&form))
{
    using namespace uVantixStrings;
    ServeBox = new QCheckBox(NetworkServe, this);
    PortBox = new QSpinBox(this);
    PortBox->setRange(1, 65535);
    PortBox->setValue(DefaultPort);
    Status = new QLabel(this);
    Status->setWordWrap(true);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QFormLayout(this);
    layout->addRow(ServeBox);
    layout->addRow(NetworkPort, PortBox);
    layout->addRow(Status);
    auto *codes = new QHBoxLayout;
    for (const auto &[code, caption] : {std::pair(&FollowCode, NetworkFollowCode), std::pair(&RemoteCode, NetworkRemoteCode)}) {
        auto *box = new QWidget(this);
        auto *column = new QVBoxLayout(box);
        *code = new QLabel(box);
        (*code)->setAlignment(Qt::AlignHCenter);
        auto *under = new QLabel(caption, box);
        under->setAlignment(Qt::AlignHCenter);
        under->setWordWrap(true);
        column->addWidget(*code);
        column->addWidget(under);
        codes->addWidget(box);
    }
    layout->addRow(codes);
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
    started->AllowRemote(remoteToo);
    if (!started->Listen(port)) {
        showState(uVantixStrings::NetworkPortFailed.arg(port).arg(started->ErrorText()));
        return false;
    }
    server = std::move(started);
    showState();
    return true;
}

void NetworkPage::AllowRemote(const QList<QPushButton *> &more)
{
    remoteToo += more;
    if (server != nullptr)
        server->AllowRemote(more);
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
    using namespace uVantixStrings;
    const QSignalBlocker quiet(ServeBox);
    ServeBox->setChecked(server != nullptr);
    PortBox->setEnabled(server == nullptr);
    if (server == nullptr) {
        Status->setText(problem.isEmpty() ? NetworkNothingServed : problem);
        title->Set(QString());
        showCodes(QString());
        return;
    }
    PortBox->setValue(server->Port());
    QStringList addresses = ClockServer::Addresses(server->Port());
    showCodes(addresses.value(0));
    if (addresses.isEmpty())
        addresses.append(NetworkNoAddress);
    Status->setText(NetworkTypeOnDisplay.arg(addresses.join(QStringLiteral("  "))) + QLatin1Char('\n') +
                    NetworkRemoteControl.arg(server->Pin()) + QLatin1Char('\n') + NetworkPinAnew);
    title->Set(QStringLiteral(" - ") + NetworkOnTheNetwork + QLatin1Char(' ') + addresses.join(QStringLiteral("  ")));
}

void NetworkPage::showCodes(const QString &address)
{
    // A phone's camera reads a code of a few pixels a module from the screen.
    constexpr int ModulePixels = 4;
    const QList<std::pair<QLabel *, QString>> codes = {
        {FollowCode, address},
        {RemoteCode, address.isEmpty() ? QString() : address + QStringLiteral("remote")},
    };
    for (const auto &[label, text] : codes) {
        // The code with its caption shows only while there is an address.
        label->parentWidget()->setVisible(!text.isEmpty());
        label->setPixmap(text.isEmpty() ? QPixmap() : QPixmap::fromImage(QrPicture::Make(text, ModulePixels)));
        label->setToolTip(text);
    }
}
