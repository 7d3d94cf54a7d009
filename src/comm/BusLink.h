// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// Link parameters of one serial connection, copied by value. The response time and the retries are
// those of every transport.
struct SerialSettings
{
    QString portName;
    int baudRate = 0;
    int dataBits = 0;
    int stopBits = 0;
    int parity = 0;
    int responseTime = 1500;
    int numberOfRetries = 1;
};

// How the tool reaches one drive: a serial port, or a TCP connection either to a Modbus TCP server
// (a Modbus TCP-to-RTU gateway, or a drive with Ethernet of its own) or to a transparent serial
// device server that passes RTU frames between the socket and its RS-485 line. The drive's slave
// address (the unit id on Modbus TCP) is given to the bus device on its own.
struct BusLink
{
    Q_DECLARE_TR_FUNCTIONS(BusLink)
public:
    enum Transport : quint8 {
        Serial = 0,
        ModbusTcp = 1,
        RtuOverTcp = 2,
    };

    static constexpr quint16 DefaultTcpPort = 502;

    Transport transport = Serial;
    SerialSettings serial; // the port and its framing (serial only), response time and retries
    QString host; // a name or an address (TCP only)
    quint16 tcpPort = DefaultTcpPort;

    static BusLink serialPort(const SerialSettings& settings);
    static BusLink tcp(Transport transport, const QString& host, quint16 port);

    bool isTcp() const { return transport != Serial; }
    int responseTime() const { return serial.responseTime; }
    int numberOfRetries() const { return serial.numberOfRetries; }

    // "HOST", "HOST:PORT" or "[IPv6]:PORT" into its parts; the port is the default one when absent
    // unless it is required. False for an empty host or a port outside 1 to 65535.
    static bool parseHostAndPort(const QString& text, bool portRequired, QString* host, quint16* port);

    // The port name, or host:port.
    QString endpoint() const;
    static QString hostAndPort(const QString& host, quint16 port);
    // The same drive connection: the same transport to the same port, or to the same host and TCP
    // port. The serial framing does not make it another link.
    bool sameEndpoint(const BusLink& other) const;

    // The protocol's name as the connection page lists it ("Modbus-TCP").
    static QString transportName(Transport transport);
    // The drive at `address` on this link, in words for the console and the status line.
    QString describe(quint16 address) const;
};
