// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusTransaction.h"

#include "BusLink.h"
#include "RtuFrame.h"

namespace {

void appendWord(QByteArray& frame, quint16 word)
{
    frame.append(char(word >> 8));
    frame.append(char(word & 0xFF));
}

QByteArray frameOf(const BusTransaction& t, const QByteArray& pdu)
{
    if (pdu.isEmpty())
        return {};
    if (t.transport != BusLink::ModbusTcp)
        return RtuFrame::frame(t.serverAddress, pdu);
    QByteArray frame;
    appendWord(frame, t.transactionId);
    appendWord(frame, 0); // the Modbus protocol
    appendWord(frame, quint16(1 + pdu.size()));
    frame.append(char(t.serverAddress));
    frame.append(pdu);
    return frame;
}

} // namespace

QByteArray BusTransaction::requestPdu() const
{
    QByteArray pdu;
    pdu.append(char(functionCode));
    appendWord(pdu, startAddr);
    switch (functionCode) {
    case 0x03:
        appendWord(pdu, count);
        break;
    case 0x06:
        appendWord(pdu, written.value(0));
        break;
    case 0x10:
        appendWord(pdu, quint16(written.size()));
        pdu.append(char(written.size() * 2));
        for (const quint16 value : written)
            appendWord(pdu, value);
        break;
    default:
        return {};
    }
    return pdu;
}

QByteArray BusTransaction::replyPdu() const
{
    QByteArray pdu;
    if (outcome == Exception) {
        pdu.append(char(functionCode | RtuFrame::ExceptionFlag));
        pdu.append(char(exceptionCode));
        return pdu;
    }
    if (outcome != Ok)
        return {};
    pdu.append(char(functionCode));
    switch (functionCode) {
    case 0x03:
        pdu.append(char(values.size() * 2));
        for (const quint16 value : values)
            appendWord(pdu, value);
        break;
    case 0x06:
        appendWord(pdu, startAddr);
        appendWord(pdu, values.value(0, written.value(0)));
        break;
    case 0x10:
        appendWord(pdu, startAddr);
        appendWord(pdu, quint16(written.size()));
        break;
    default:
        return {};
    }
    return pdu;
}

QByteArray BusTransaction::requestFrame() const
{
    return frameOf(*this, requestPdu());
}

QByteArray BusTransaction::replyFrame() const
{
    return frameOf(*this, replyPdu());
}
