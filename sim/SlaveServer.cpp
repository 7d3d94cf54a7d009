// SPDX-License-Identifier: GPL-3.0-or-later
#include "SlaveServer.h"

#include "DriveModel.h"
#include "comm/ModbusCrc.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kReadHoldingRegisters = 0x03;
constexpr int kWriteSingleRegister = 0x06;
constexpr int kWriteMultipleRegisters = 0x10;
constexpr int kGatewayTargetFailed = 0x0B;
constexpr int kMbapBytes = 7;

int word(const uint8_t* p)
{
    return (p[0] << 8) | p[1];
}

double monotonicSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool isLinkError(int error)
{
    return error == EIO || error == ECONNRESET || error == EBADF || error == ENXIO || error == ENODEV
        || error == EPIPE;
}

} // namespace

SlaveServer::SlaveServer(const LinkSettings& settings, DriveModel& model, modbus_mapping_t* mapping)
    : m_settings(settings)
    , m_model(&model)
    , m_mapping(mapping)
{
    m_drives.append(Drive { settings.slave, &model, mapping, {} });
    switch (settings.transport) {
    case LinkSettings::Transport::Serial:
        m_ctx = modbus_new_rtu(
            settings.port.toLocal8Bit().constData(), settings.baud, settings.parity, 8, settings.stopBits);
        break;
    case LinkSettings::Transport::ModbusTcp:
        // The context only frames; the socket is ours (listen, acceptClient).
        m_ctx = modbus_new_tcp("127.0.0.1", settings.tcpPort);
        break;
    case LinkSettings::Transport::RtuOverTcp:
        // RTU frames through the socket: libmodbus's RTU framing reads and writes any descriptor.
        m_ctx = modbus_new_rtu("tcp", settings.baud, settings.parity, 8, settings.stopBits);
        break;
    }
    if (!m_ctx)
        return;
    m_offset = modbus_get_header_length(m_ctx) - 1;
    modbus_set_slave(m_ctx, settings.slave);
    modbus_set_debug(m_ctx, settings.debug ? TRUE : FALSE);
    // The rest of a frame follows its first byte at once on a pty; a short wait resynchronises
    // quickly after garbage.
    modbus_set_byte_timeout(m_ctx, 0, 100000);
    // only used for the answer of another slave, see receive()
    modbus_set_response_timeout(m_ctx, 0, 1000);
}

SlaveServer::~SlaveServer()
{
    if (m_ctx) {
        close();
        modbus_free(m_ctx);
    }
    if (m_peerFd >= 0)
        ::close(m_peerFd);
    if (m_listenFd >= 0)
        ::close(m_listenFd);
}

bool SlaveServer::listen()
{
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listenFd < 0)
        return false;
    // A restarted server takes its port back at once, past the old connections' TIME_WAIT.
    const int enable = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &enable, sizeof enable);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK); // never beyond this computer
    address.sin_port = htons(static_cast<uint16_t>(m_settings.tcpPort));
    socklen_t size = sizeof address;
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(m_listenFd, 4) != 0
        || ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    }
    m_tcpPort = ntohs(address.sin_port);
    return true;
}

bool SlaveServer::acceptClient()
{
    const int client = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return false;
    close();
    modbus_set_socket(m_ctx, client);
    m_open = true;
    m_pending = false;
    m_tail.clear();
    return true;
}

void SlaveServer::addDrive(int slave, DriveModel& model, modbus_mapping_t* mapping)
{
    m_drives.append(Drive { slave, &model, mapping, {} });
}

DriveModel* SlaveServer::drive(int slave) const
{
    for (const Drive& drive : m_drives) {
        if (drive.slave == slave)
            return drive.model;
    }
    return nullptr;
}

void SlaveServer::ignoreWrites(int slave, quint16 address)
{
    for (Drive& drive : m_drives) {
        if (drive.slave == slave)
            drive.ignoredWrites.insert(address);
    }
}

void SlaveServer::keepWrites(int slave)
{
    for (Drive& drive : m_drives) {
        if (drive.slave == slave)
            drive.ignoredWrites.clear();
    }
}

bool SlaveServer::open()
{
    if (m_open || isTcp())
        return m_open;
    if (modbus_connect(m_ctx) != 0)
        return false;
    modbus_flush(m_ctx); // bytes left in the pty from before are no request of ours
    m_open = true;
    m_pending = false;
    m_tail.clear();
    return true;
}

void SlaveServer::close()
{
    if (!m_open)
        return;
    if (isTcp()) {
        ::close(modbus_get_socket(m_ctx));
        modbus_set_socket(m_ctx, -1);
    } else {
        modbus_close(m_ctx);
    }
    m_open = false;
    m_pending = false;
    m_tail.clear();
}

int SlaveServer::fd() const
{
    return m_open ? modbus_get_socket(m_ctx) : -1;
}

double SlaveServer::frameSeconds(int bytes) const
{
    const int bitsPerChar = 1 + 8 + (m_settings.parity == 'N' ? 0 : 1) + m_settings.stopBits;
    return bytes * double(bitsPerChar) / double(m_settings.baud);
}

double SlaveServer::silentIntervalSeconds() const
{
    // The serial-line rule: 3.5 characters, but a fixed 1.75 ms above 19200 baud, where character
    // timing is too fine for UARTs to keep.
    return m_settings.baud > 19200 ? 0.00175 : frameSeconds(1) * 3.5;
}

int SlaveServer::decide(int length) const
{
    if (allException)
        return allException;
    const uint8_t* r = frame();
    const int function = r[1];
    // a frame of an unknown function may be just slave, function and CRC
    const int address = length >= 8 ? word(r + 2) : 0;
    int count = length >= 8 ? word(r + 4) : 0;
    if (function == kWriteSingleRegister)
        count = 1;
    for (auto it = injectedExceptions.cbegin(); it != injectedExceptions.cend(); ++it) {
        if (it.key() >= address && it.key() < address + std::max(count, 1))
            return it.value();
    }
    switch (function) {
    case kReadHoldingRegisters:
        if (count < 1 || count > MODBUS_MAX_READ_REGISTERS)
            return MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE;
        break;
    case kWriteSingleRegister:
        break;
    case kWriteMultipleRegisters:
        if (count < 1 || count > MODBUS_MAX_WRITE_REGISTERS || r[6] != count * 2)
            return MODBUS_EXCEPTION_ILLEGAL_DATA_VALUE;
        break;
    default:
        return MODBUS_EXCEPTION_ILLEGAL_FUNCTION;
    }
    if (address + count > 65536)
        return MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS;
    if (function == kWriteSingleRegister) {
        const uint16_t value = static_cast<uint16_t>(word(r + 4));
        return m_model->checkWrite(static_cast<quint16>(address), &value, 1);
    }
    if (function == kWriteMultipleRegisters) {
        uint16_t values[MODBUS_MAX_WRITE_REGISTERS];
        for (int k = 0; k < count; ++k)
            values[k] = static_cast<uint16_t>(word(r + 7 + 2 * k));
        return m_model->checkWrite(static_cast<quint16>(address), values, count);
    }
    return 0;
}

double SlaveServer::takeShortestGap()
{
    const double gap = m_shortestGap;
    m_shortestGap = -1.0;
    return gap;
}

bool SlaveServer::receive(double now)
{
    if (m_replyEnd > 0.0) {
        const double gap = now - m_replyEnd;
        if (m_shortestGap < 0.0 || gap < m_shortestGap)
            m_shortestGap = gap;
        m_replyEnd = 0.0;
    }
    int rc = modbus_receive(m_ctx, m_request);
    m_current = 0;
    m_model = m_drives.first().model;
    m_mapping = m_drives.first().mapping;
    if (rc == 0) {
        // Addressed to another slave. libmodbus then takes the next frame for that slave's answer
        // and drops it; with no other slave on the line that would be our master's next request.
        // Let that wait run out now, while the master is still waiting for the other slave.
        int drive = -1;
        rc = otherDriveFrame(&drive);
        uint8_t scratch[MODBUS_RTU_MAX_ADU_LENGTH];
        modbus_receive(m_ctx, scratch);
        if (rc == 0)
            return true;
        m_current = drive;
        m_model = m_drives.at(drive).model;
        m_mapping = m_drives.at(drive).mapping;
    }
    if (rc < 0) {
        if (isLinkError(errno))
            return false;
        // bad CRC, a torn frame or garbage: drop whatever is left and wait for the next request
        dropInput();
        return true;
    }
    if (silent)
        return true;
    m_noise = !peerFramingMatches();
    if (m_noise && !m_settings.noiseOnMismatch)
        return true;
    m_received = rc;
    // A Modbus TCP request has no CRC; it counts as if it had one.
    m_length = rc - m_offset + (m_settings.transport == LinkSettings::Transport::ModbusTcp ? 2 : 0);
    m_foreignUnit = false;
    if (m_settings.transport == LinkSettings::Transport::ModbusTcp) {
        // libmodbus serves any unit id on TCP; a gateway passes only its drives' on.
        m_foreignUnit = true;
        for (int i = 0; i < m_drives.size(); ++i) {
            if (m_drives.at(i).slave == frame()[0]) {
                m_current = i;
                m_model = m_drives.at(i).model;
                m_mapping = m_drives.at(i).mapping;
                m_foreignUnit = false;
            }
        }
    }
    m_exception = m_foreignUnit ? kGatewayTargetFailed : decide(m_length);

    int replyBytes = 0;
    if (frame()[0] != MODBUS_BROADCAST_ADDRESS) {
        if (m_exception)
            replyBytes = 5;
        else if (frame()[1] == kReadHoldingRegisters)
            replyBytes = 5 + 2 * word(frame() + 4);
        else
            replyBytes = 8;
    }
    double delay = extraDelayMs / 1000.0;
    if (m_settings.wireTime)
        delay += frameSeconds(m_length + replyBytes) + silentIntervalSeconds();
    m_pending = true;
    m_deadline = now + delay;
    return true;
}

void SlaveServer::writeLog() const
{
    if (!m_log)
        return;
    const uint8_t* r = frame();
    const int function = r[1];
    const int address = m_length >= 8 ? word(r + 2) : 0;
    QByteArray line = QByteArray::number(function, 16).toUpper().rightJustified(2, '0') + ' '
        + QByteArray::number(address, 16).toUpper().rightJustified(4, '0') + ' ';
    if (function == kWriteSingleRegister) {
        line += "1 " + QByteArray::number(word(r + 4));
    } else {
        const int count = m_length >= 8 ? word(r + 4) : 0;
        line += QByteArray::number(count);
        if (function == kWriteMultipleRegisters) {
            const int bytes = std::min<int>(r[6], m_length - 9);
            for (int k = 0; k + 1 < bytes; k += 2)
                line += ' ' + QByteArray::number(word(r + 7 + k));
        }
    }
    std::fprintf(m_log, "%s\n", line.constData());
    std::fflush(m_log);
}

bool SlaveServer::sendPending()
{
    m_pending = false;
    if (!m_tail.isEmpty()) {
        const QByteArray tail = m_tail;
        m_tail.clear();
        const ssize_t n = ::write(fd(), tail.constData(), static_cast<size_t>(tail.size()));
        return !(n < 0 && isLinkError(errno));
    }
    if (m_noise)
        return sendNoise();
    if (!m_foreignUnit)
        writeLog();
    const int function = frame()[1];
    const int address = word(frame() + 2);
    const int count = function == kWriteSingleRegister ? 1 : word(frame() + 4);
    // libmodbus sends only the exception codes it knows; a test may inject any other. A Modbus TCP
    // frame has no CRC to corrupt.
    const bool corruptCrc = badCrc && m_settings.transport != LinkSettings::Transport::ModbusTcp;
    if (corruptCrc || m_exception >= MODBUS_EXCEPTION_MAX || splitPauseMs > 0 || (resetMidReply && isTcp()))
        return sendOwnFrame(corruptCrc);

    int rc;
    if (m_exception) {
        rc = modbus_reply_exception(m_ctx, m_request, static_cast<unsigned>(m_exception));
    } else if (function == kReadHoldingRegisters) {
        m_model->prepareRead(static_cast<quint16>(address), count);
        rc = modbus_reply(m_ctx, m_request, m_received, m_mapping);
    } else {
        const QVector<QPair<int, uint16_t>> kept = keptRegisters(address, count);
        rc = modbus_reply(m_ctx, m_request, m_received, m_mapping);
        restoreKept(kept);
        m_model->written(static_cast<quint16>(address), count, true);
    }
    return !(rc < 0 && isLinkError(errno));
}

bool SlaveServer::sendOwnFrame(bool corruptCrc)
{
    const uint8_t* r = frame();
    const int function = r[1];
    const int address = word(r + 2);
    const int count = function == kWriteSingleRegister ? 1 : word(r + 4);
    QByteArray pdu;
    if (m_exception) {
        pdu.append(static_cast<char>(function | 0x80));
        pdu.append(static_cast<char>(m_exception));
    } else if (function == kReadHoldingRegisters) {
        m_model->prepareRead(static_cast<quint16>(address), count);
        pdu.append(static_cast<char>(function));
        pdu.append(static_cast<char>(count * 2));
        for (int k = 0; k < count; ++k) {
            const uint16_t v = m_mapping->tab_registers[address + k];
            pdu.append(static_cast<char>(v >> 8));
            pdu.append(static_cast<char>(v & 0xFF));
        }
    } else {
        // the write itself succeeds, whatever happens to the answer
        const QVector<QPair<int, uint16_t>> kept = keptRegisters(address, count);
        if (function == kWriteSingleRegister) {
            m_mapping->tab_registers[address] = static_cast<uint16_t>(word(r + 4));
        } else {
            for (int k = 0; k < count; ++k)
                m_mapping->tab_registers[address + k] = static_cast<uint16_t>(word(r + 7 + 2 * k));
        }
        restoreKept(kept);
        m_model->written(static_cast<quint16>(address), count, true);
        pdu.append(reinterpret_cast<const char*>(r + 1), 5);
    }
    if (r[0] == MODBUS_BROADCAST_ADDRESS && !isTcp())
        return true;
    const QByteArray reply = framed(pdu, corruptCrc);
    if (resetMidReply && isTcp())
        return resetConnection(reply.left(reply.size() / 2));
    int now = reply.size();
    if (splitPauseMs > 0 && reply.size() > 1) {
        // The rest follows after the pause, as from a drive whose UART stalls mid-reply.
        now = reply.size() / 2;
        m_tail = reply.mid(now);
        m_pending = true;
        m_deadline = monotonicSeconds() + splitPauseMs / 1000.0;
    }
    const ssize_t n = ::write(fd(), reply.constData(), static_cast<size_t>(now));
    return !(n < 0 && isLinkError(errno));
}

// The reply around a PDU, in the framing the request came in.
QByteArray SlaveServer::framed(QByteArray pdu, bool corruptCrc) const
{
    QByteArray reply;
    if (m_settings.transport == LinkSettings::Transport::ModbusTcp) {
        const int length = pdu.size() + 1;
        reply.append(reinterpret_cast<const char*>(m_request), 4); // transaction and protocol id
        reply.append(static_cast<char>(length >> 8));
        reply.append(static_cast<char>(length & 0xFF));
        reply.append(static_cast<char>(frame()[0]));
        return reply + pdu;
    }
    reply.append(static_cast<char>(frame()[0]));
    reply.append(pdu);
    uint16_t crc = modbusCrc16(reply.constData(), reply.size());
    if (corruptCrc)
        crc ^= 0x5A5A;
    reply.append(static_cast<char>(crc & 0xFF));
    reply.append(static_cast<char>(crc >> 8));
    return reply;
}

// Half the reply, then a reset instead of an orderly close: the connection breaks off mid-answer,
// as when a gateway restarts or a network path drops. The server takes the next connection.
bool SlaveServer::resetConnection(const QByteArray& firstPart)
{
    [[maybe_unused]] const ssize_t n
        = ::write(fd(), firstPart.constData(), static_cast<size_t>(firstPart.size()));
    const linger abort { 1, 0 };
    ::setsockopt(fd(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    return false;
}

// Whatever is left of a broken request. A socket has no tcflush.
void SlaveServer::dropInput()
{
    if (!isTcp()) {
        modbus_flush(m_ctx);
        return;
    }
    char scratch[256];
    while (::recv(fd(), scratch, sizeof scratch, MSG_DONTWAIT) > 0) { }
}

// The registers of a write that the "ignorewrite" fault keeps, with the values they keep.
QVector<QPair<int, uint16_t>> SlaveServer::keptRegisters(int address, int count) const
{
    QVector<QPair<int, uint16_t>> kept;
    for (int a = address; a < address + count && a <= 0xFFFF; ++a) {
        // A RAM copy may be stale until it is read: what stays is the parameter's own value.
        const quint16 resolved = m_model->resolve(static_cast<quint16>(a));
        if (m_drives.at(m_current).ignoredWrites.contains(resolved))
            kept.append({ a, m_mapping->tab_registers[resolved] });
    }
    return kept;
}

void SlaveServer::restoreKept(const QVector<QPair<int, uint16_t>>& kept)
{
    for (const auto& entry : kept)
        m_mapping->tab_registers[entry.first] = entry.second;
}

// libmodbus hands over a whole frame addressed to another slave before it drops it; when that slave
// is one of ours and the frame is sound, it is ours to answer. Returns the frame's length, or 0.
int SlaveServer::otherDriveFrame(int* drive) const
{
    const uint8_t* r = frame();
    for (int i = 1; i < m_drives.size(); ++i) {
        if (m_drives.at(i).slave != r[0])
            continue;
        int length = 0;
        if (r[1] == kReadHoldingRegisters || r[1] == kWriteSingleRegister)
            length = 8;
        else if (r[1] == kWriteMultipleRegisters)
            length = 9 + r[6];
        if (length == 0 || length > MODBUS_RTU_MAX_ADU_LENGTH)
            return 0;
        const uint16_t crc = modbusCrc16(r, length - 2);
        if (r[length - 2] != (crc & 0xFF) || r[length - 1] != (crc >> 8))
            return 0;
        *drive = i;
        return length;
    }
    return 0;
}

// A pty carries no signal, only the termios its master set: the baud rate, the stop bits and odd
// parity show there (the pty driver drops the parity-enable flag, so even parity looks like none).
bool SlaveServer::peerFramingMatches()
{
    if (m_settings.peer.isEmpty())
        return true;
    if (m_peerFd < 0) {
        // Held open so the settings of every later opener of that end can be read.
        m_peerFd = ::open(m_settings.peer.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        if (m_peerFd < 0)
            return true;
    }
    termios t {};
    if (::tcgetattr(m_peerFd, &t) != 0)
        return true;
    static const struct
    {
        int baud;
        speed_t code;
    } speeds[] = { { 1200, B1200 }, { 2400, B2400 }, { 4800, B4800 }, { 9600, B9600 }, { 19200, B19200 },
        { 38400, B38400 }, { 57600, B57600 }, { 115200, B115200 }, { 230400, B230400 } };
    const speed_t speed = cfgetospeed(&t);
    bool sameBaud = false;
    for (const auto& s : speeds) {
        if (s.code == speed)
            sameBaud = s.baud == m_settings.baud;
    }
    const bool twoStops = (t.c_cflag & CSTOPB) != 0;
    const bool odd = (t.c_cflag & PARODD) != 0;
    return sameBaud && twoStops == (m_settings.stopBits == 2) && odd == (m_settings.parity == 'O');
}

bool SlaveServer::sendNoise()
{
    // What a receiver at the wrong setting makes of a reply: bytes that never form a sound frame.
    const int length = 5 + (frame()[1] == kReadHoldingRegisters ? 2 * word(frame() + 4) : 3);
    QByteArray junk;
    for (int i = 0; i < length; ++i) {
        m_noiseSeed = m_noiseSeed * 1664525u + 1013904223u;
        junk.append(static_cast<char>(m_noiseSeed >> 24));
    }
    // A corrupted CRC keeps even a lucky address and function byte from passing as an answer.
    const uint16_t crc = modbusCrc16(reinterpret_cast<const uint8_t*>(junk.constData()), length - 2);
    junk[length - 2] = static_cast<char>((crc & 0xFF) ^ 0xA5);
    junk[length - 1] = static_cast<char>(crc >> 8);
    const ssize_t n = ::write(fd(), junk.constData(), static_cast<size_t>(junk.size()));
    return !(n < 0 && isLinkError(errno));
}
