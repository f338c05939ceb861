// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerLink.h"

#include "FrontDoor.h"

#include <QCryptographicHash>
#include <QTcpSocket>
#include <QTimer>

namespace {

enum Opcode { Continuation = 0x0, Text = 0x1, Binary = 0x2, Close = 0x8, Ping = 0x9, Pong = 0xA };

// Close codes the server gives.
constexpr quint16 Normal = 1000;
constexpr quint16 ProtocolError = 1002;
constexpr quint16 Unacceptable = 1003;
constexpr quint16 TooBig = 1009;
constexpr quint16 PolicyViolation = 1008;

constexpr int CloseWaitMs = 1000;

} // namespace

ViewerLink::ViewerLink(QTcpSocket *socket, const QByteArray &key, std::function<qint64()> now, QObject *parent)
    : QObject(parent), socket(socket), now(std::move(now)), address(FrontDoor::AddressOf(socket))
{
    socket->setParent(this);
    secondStarted = this->now();
    connect(socket, &QTcpSocket::readyRead, this, &ViewerLink::readFrames);
    connect(socket, &QTcpSocket::disconnected, this, &ViewerLink::closed);
    socket->write("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                  "Sec-WebSocket-Accept: " + AcceptKey(key) + "\r\n\r\n");
    // Whatever came with the handshake is read as frames.
    if (socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &ViewerLink::readFrames);
}

QByteArray ViewerLink::AcceptKey(const QByteArray &key)
{
    return QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1)
        .toBase64();
}

void ViewerLink::SendText(const QByteArray &text)
{
    if (!closing)
        sendFrame(Text, text);
}

qint64 ViewerLink::Unsent() const
{
    return socket ? socket->bytesToWrite() : 0;
}

void ViewerLink::Abort()
{
    closing = true;
    if (socket)
        socket->abort();
}

void ViewerLink::readFrames()
{
    while (socket && !closing && readFrame()) {
    }
}

// Reads one whole frame when it has come; false when more must come first or
// the connection is being ended.
bool ViewerLink::readFrame()
{
    const QByteArray start = socket->peek(14);
    if (start.size() < 2)
        return false;
    const auto first = quint8(start[0]), second = quint8(start[1]);
    const bool fin = first & 0x80;
    const int opcode = first & 0x0F;
    qint64 length = second & 0x7F;
    int headLength = 2;
    if (length == 126) {
        headLength = 4;
        length = start.size() >= 4 ? (quint8(start[2]) << 8) | quint8(start[3]) : 0;
    } else if (length == 127) {
        // Never within the limits: refused by its size below.
        headLength = 10;
        length = qint64(MaxMessageBytes) + 1;
    }
    // A client's frames are masked, use no extension and are short.
    if (!(second & 0x80) || (first & 0x70)) {
        closeWith(ProtocolError);
        return false;
    }
    const bool control = opcode & 0x8;
    if (length > (control ? 125 : MaxMessageBytes) || (control && !fin)) {
        closeWith(TooBig);
        return false;
    }
    if (socket->bytesAvailable() < headLength + 4 + length)
        return false;
    const qint64 at = now();
    if (at - secondStarted >= 1000) {
        secondStarted = at;
        frames = 0;
    }
    if (++frames > MaxFramesPerSecond) {
        closeWith(PolicyViolation);
        return false;
    }
    socket->skip(headLength);
    const QByteArray mask = socket->read(4);
    QByteArray payload = socket->read(length);
    for (qsizetype i = 0; i < payload.size(); ++i)
        payload[i] = char(payload[i] ^ mask[i % 4]);

    switch (opcode) {
    case Ping:
        sendFrame(Pong, payload);
        return true;
    case Pong:
        return true;
    case Close:
        closeWith(Normal);
        return false;
    case Text:
    case Continuation:
        if ((opcode == Text) == inMessage) {
            closeWith(ProtocolError);
            return false;
        }
        message = opcode == Text ? payload : message + payload;
        inMessage = !fin;
        if (message.size() > MaxMessageBytes) {
            closeWith(TooBig);
            return false;
        }
        if (fin) {
            const QByteArray text = std::exchange(message, QByteArray());
            emit textReceived(text);
        }
        return true;
    case Binary:
    default:
        closeWith(Unacceptable);
        return false;
    }
}

void ViewerLink::sendFrame(int opcode, const QByteArray &payload)
{
    if (!socket)
        return;
    QByteArray frame;
    frame.append(char(0x80 | opcode));
    const qsizetype length = payload.size();
    if (length < 126) {
        frame.append(char(length));
    } else if (length < 65536) {
        frame.append(char(126));
        frame.append(char(length >> 8));
        frame.append(char(length & 0xFF));
    } else {
        frame.append(char(127));
        for (int shift = 56; shift >= 0; shift -= 8)
            frame.append(char((quint64(length) >> shift) & 0xFF));
    }
    socket->write(frame + payload);
    // Out at once, not after the main window has repainted.
    socket->flush();
}

void ViewerLink::closeWith(quint16 code)
{
    if (closing || !socket)
        return;
    closing = true;
    if (code != Normal) {
        // A client breaking the rules is cut off without a word more.
        socket->abort();
        return;
    }
    sendFrame(Close, QByteArray(1, char(code >> 8)) + char(code & 0xFF));
    socket->disconnectFromHost();
    QTimer::singleShot(CloseWaitMs, socket, [socket = socket] { socket->abort(); });
}
