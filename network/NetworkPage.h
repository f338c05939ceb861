// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

class AnnouncingSoundPlayer;
class ClockServer;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TForm1;
class TitleSuffix;

// The options page "Network": switches the web server on and off and shows
// the operator what to type on a display and the remote control's PIN, with
// a QR code of the follow page and one of the remote (the PIN is in neither:
// it is typed). The
// main window's title carries the addresses while the server runs, not the
// PIN: the archers may see that window.
class NetworkPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 8080;

    NetworkPage(TForm1 &form, AnnouncingSoundPlayer *horns, const QString &hornFolder, QWidget *parent = nullptr);
    ~NetworkPage() override;

    // Starts serving on the port; false, with the reason shown on the page,
    // when the port cannot be opened.
    bool Serve(quint16 port);
    void Stop();
    // Buttons beyond the clock's own that a phone may press on every server
    // this page starts.
    void AllowRemote(const QList<QPushButton *> &more);

    ClockServer *Server() const { return server.get(); }
    QString StatusText() const;

    QCheckBox *ServeBox = nullptr;
    QSpinBox *PortBox = nullptr;
    QLabel *Status = nullptr;
    QLabel *FollowCode = nullptr;
    QLabel *RemoteCode = nullptr;

private:
    void showState(const QString &problem = QString());
    void showCodes(const QString &address);

    TForm1 &form;
    AnnouncingSoundPlayer *horns;
    QString hornFolder;
    TitleSuffix *title;
    std::unique_ptr<ClockServer> server;
    QList<QPushButton *> remoteToo;
};
