// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <functional>

class QTcpSocket;

// One browser's WebSocket, the server's side of it, read frame by frame
// within firm limits: every frame a client sends must be masked, no frame
// nor message may be longer than a short command, and a client may send
// only a few frames a second of any kind (text, continuation, ping, pong).
// Whatever breaks a limit ends the connection at once. Binary messages are
// not expected either. Pings are answered; the server's own heartbeat is a
// text message of the clock.
class ViewerLink : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxMessageBytes = 256;
    static constexpr int MaxFramesPerSecond = 30;

    // Answers the handshake whose Sec-WebSocket-Key is key, the head already
    // read; takes the socket as its own. now: milliseconds on a steady clock.
    ViewerLink(QTcpSocket *socket, const QByteArray &key, std::function<qint64()> now, QObject *parent = nullptr);

    // The value of Sec-WebSocket-Accept for a handshake's key.
    static QByteArray AcceptKey(const QByteArray &key);

    void SendText(const QByteArray &text);
    qint64 Unsent() const;
    // The client's address; an IPv4 client on an IPv6 socket by its IPv4 form.
    QString Address() const { return address; }
    // Ends the connection at once; closed() follows.
    void Abort();

signals:
    void textReceived(const QByteArray &text);
    void closed();

private:
    void readFrames();
    bool readFrame();
    void sendFrame(int opcode, const QByteArray &payload);
    void closeWith(quint16 code);

    QPointer<QTcpSocket> socket;
    std::function<qint64()> now;
    QString address;
    QByteArray message;
    bool inMessage = false;
    bool closing = false;
    qint64 secondStarted = 0;
    int frames = 0;
};
