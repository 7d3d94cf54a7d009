// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusMonitorModel.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QFont>
#include <QFontDatabase>
#include <QMetaObject>

#include <algorithm>

namespace {

const char* const Context = "BusMonitorModel";

QString text(const char* source, bool translated)
{
    return translated ? QCoreApplication::translate(Context, source) : QString::fromLatin1(source);
}

const char* const ColumnTitles[BusMonitorModel::ColumnCount] = {
    QT_TRANSLATE_NOOP("BusMonitorModel", "Time"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Tag"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Function"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Address"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Count"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Values"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Latency (ms)"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Outcome"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Request bytes"),
    QT_TRANSLATE_NOOP("BusMonitorModel", "Reply bytes"),
};

// The exception codes of the Modbus application protocol, by their standard names.
const char* exceptionSource(quint8 code)
{
    switch (code) {
    case 0x01:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Illegal function");
    case 0x02:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Illegal data address");
    case 0x03:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Illegal data value");
    case 0x04:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Server device failure");
    case 0x05:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Acknowledge");
    case 0x06:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Server device busy");
    case 0x08:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Memory parity error");
    case 0x0A:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Gateway path unavailable");
    case 0x0B:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Gateway target device failed to respond");
    default:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Unknown exception");
    }
}

const char* functionSource(quint8 code)
{
    switch (code) {
    case 0x03:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Read holding registers");
    case 0x06:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Write single register");
    case 0x10:
        return QT_TRANSLATE_NOOP("BusMonitorModel", "Write multiple registers");
    default:
        return "";
    }
}

QString hex(uint value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString csvField(const QString& field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"'))
        && !field.contains(QLatin1Char('\n')))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool isNumericColumn(int column)
{
    return column == BusMonitorModel::CountColumn || column == BusMonitorModel::LatencyColumn;
}

} // namespace

BusMonitorModel::BusMonitorModel(QObject* parent, int capacity)
    : QAbstractTableModel(parent)
    , m_capacity(qMax(1, capacity))
{
    m_batchTimer.setSingleShot(true);
    m_batchTimer.setInterval(BatchIntervalMs);
    connect(&m_batchTimer, &QTimer::timeout, this, [this] {
        m_batchDue = true;
        m_quietTimer.start();
    });
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(BatchIntervalMs);
    connect(&m_quietTimer, &QTimer::timeout, this, &BusMonitorModel::flush);
}

int BusMonitorModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_filter.isEmpty() ? m_records.size() : m_matches.size());
}

int BusMonitorModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const BusTransaction& BusMonitorModel::transaction(int row) const
{
    if (m_filter.isEmpty())
        return m_records[size_t(row)];
    return m_records[size_t(m_matches[size_t(row)] - m_firstSequence)];
}

QVariant BusMonitorModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const BusTransaction& t = transaction(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(t, index.column());
    case Qt::ToolTipRole:
        if (index.column() == FunctionColumn)
            return text(functionSource(t.functionCode), true);
        if (index.column() == ValuesColumn || index.column() == OutcomeColumn)
            return cellText(t, index.column());
        return {};
    case Qt::BackgroundRole:
        if (t.outcome != BusTransaction::Ok)
            return QBrush(QColor(0xFD, 0xE4, 0xE1));
        return {};
    case Qt::TextAlignmentRole:
        if (isNumericColumn(index.column()))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole:
        if (index.column() == RequestColumn || index.column() == ReplyColumn)
            return QFontDatabase::systemFont(QFontDatabase::FixedFont);
        return {};
    default:
        return {};
    }
}

QVariant BusMonitorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return text(ColumnTitles[section], true);
}

QString BusMonitorModel::cellText(const BusTransaction& t, int column) const
{
    switch (column) {
    case TimeColumn:
        return timeText(t);
    case TagColumn:
        return tagText(t);
    case FunctionColumn:
        return hex(t.functionCode, 2);
    case AddressColumn:
        return hex(t.startAddr, 4);
    case CountColumn:
        return QString::number(t.count);
    case ValuesColumn:
        return valuesText(t);
    case LatencyColumn:
        return latencyText(t);
    case OutcomeColumn:
        return outcomeText(t);
    case RequestColumn:
        return hexBytes(t.requestFrame());
    case ReplyColumn:
        return hexBytes(t.replyFrame());
    default:
        return {};
    }
}

QString BusMonitorModel::outcomeText(const BusTransaction& t, bool translated)
{
    switch (t.outcome) {
    case BusTransaction::Ok:
        return text(QT_TRANSLATE_NOOP("BusMonitorModel", "ok"), translated);
    case BusTransaction::Timeout:
        return text(QT_TRANSLATE_NOOP("BusMonitorModel", "timeout"), translated);
    case BusTransaction::Exception:
        return text(QT_TRANSLATE_NOOP("BusMonitorModel", "exception"), translated) + QLatin1Char(' ')
            + hex(t.exceptionCode, 2) + QLatin1Char(' ') + exceptionName(t.exceptionCode, translated);
    case BusTransaction::CrcError:
        return text(QT_TRANSLATE_NOOP("BusMonitorModel", "CRC error"), translated);
    case BusTransaction::LinkError:
        return text(QT_TRANSLATE_NOOP("BusMonitorModel", "link error"), translated);
    }
    return {};
}

QString BusMonitorModel::exceptionName(quint8 code, bool translated)
{
    return text(exceptionSource(code), translated);
}

QString BusMonitorModel::tagText(const BusTransaction& t, bool translated)
{
    if (t.connectionTest)
        return text(QT_TRANSLATE_NOOP("BusMonitorModel", "(connection test)"), translated);
    return t.tag;
}

QString BusMonitorModel::valuesText(const BusTransaction& t)
{
    const QVector<quint16>& values = t.functionCode == 0x03 ? t.values : t.written;
    QString out;
    out.reserve(values.size() * 6);
    for (const quint16 value : values) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += QString::number(value);
    }
    return out;
}

QString BusMonitorModel::timeText(const BusTransaction& t)
{
    return QDateTime::fromMSecsSinceEpoch(t.startedMs).toString(QStringLiteral("hh:mm:ss.zzz"));
}

QString BusMonitorModel::latencyText(const BusTransaction& t)
{
    return QString::number(double(t.latencyUs) / 1000.0, 'f', 1);
}

QString BusMonitorModel::hexBytes(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

void BusMonitorModel::append(const BusTransaction& transaction)
{
    m_pending.push_back(transaction);
    if (m_pending.size() > size_t(m_capacity))
        m_pending.pop_front();
    if (m_paused || m_flushQueued)
        return;
    if (m_batchDue) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &BusMonitorModel::flush, Qt::QueuedConnection);
    } else if (!m_batchTimer.isActive()) {
        m_batchTimer.start();
    }
}

void BusMonitorModel::flush()
{
    m_batchTimer.stop();
    m_quietTimer.stop();
    m_batchDue = false;
    m_flushQueued = false;
    if (m_paused || m_pending.empty())
        return;

    const size_t capacity = size_t(m_capacity);
    const size_t overflow
        = m_records.size() + m_pending.size() > capacity ? m_records.size() + m_pending.size() - capacity : 0;
    if (overflow > 0) {
        const qint64 firstKept = m_firstSequence + qint64(overflow);
        const size_t rows = m_filter.isEmpty()
            ? overflow
            : size_t(std::lower_bound(m_matches.begin(), m_matches.end(), firstKept) - m_matches.begin());
        if (rows > 0)
            beginRemoveRows(QModelIndex(), 0, int(rows) - 1);
        m_records.erase(m_records.begin(), m_records.begin() + qint64(overflow));
        m_firstSequence = firstKept;
        if (!m_filter.isEmpty())
            m_matches.erase(m_matches.begin(), m_matches.begin() + qint64(rows));
        if (rows > 0)
            endRemoveRows();
    }

    if (m_filter.isEmpty()) {
        const int first = int(m_records.size());
        beginInsertRows(QModelIndex(), first, first + int(m_pending.size()) - 1);
        std::move(m_pending.begin(), m_pending.end(), std::back_inserter(m_records));
        m_pending.clear();
        endInsertRows();
        return;
    }

    std::deque<qint64> newMatches;
    for (BusTransaction& t : m_pending) {
        if (matches(t))
            newMatches.push_back(m_firstSequence + qint64(m_records.size()));
        m_records.push_back(std::move(t));
    }
    m_pending.clear();
    if (newMatches.empty())
        return;
    const int first = int(m_matches.size());
    beginInsertRows(QModelIndex(), first, first + int(newMatches.size()) - 1);
    m_matches.insert(m_matches.end(), newMatches.begin(), newMatches.end());
    endInsertRows();
}

void BusMonitorModel::clear()
{
    beginResetModel();
    m_records.clear();
    m_matches.clear();
    m_pending.clear();
    m_firstSequence = 0;
    endResetModel();
}

void BusMonitorModel::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    if (!paused)
        flush();
}

void BusMonitorModel::setFilter(const QString& text)
{
    const QString filter = text.trimmed();
    if (filter == m_filter)
        return;
    QString digits = filter;
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    bool ok = false;
    const uint address = digits.toUInt(&ok, 16);
    m_filterIsAddress = ok && !digits.isEmpty() && digits.size() <= 4;
    m_filterAddress = quint16(address);

    beginResetModel();
    m_filter = filter;
    rebuildMatches();
    endResetModel();
}

bool BusMonitorModel::matches(const BusTransaction& t) const
{
    if (m_filter.isEmpty())
        return true;
    if (m_filterIsAddress) {
        const uint first = t.startAddr;
        const uint last = first + qMax<uint>(t.count, 1) - 1;
        if (m_filterAddress >= first && m_filterAddress <= last)
            return true;
    }
    return t.tag.contains(m_filter, Qt::CaseInsensitive);
}

void BusMonitorModel::rebuildMatches()
{
    m_matches.clear();
    if (m_filter.isEmpty())
        return;
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (matches(m_records[i]))
            m_matches.push_back(m_firstSequence + qint64(i));
    }
}

QByteArray BusMonitorModel::toCsv() const
{
    QStringList header;
    for (const char* title : ColumnTitles)
        header << QString::fromLatin1(title);
    QString out = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        const BusTransaction& t = transaction(row);
        const QStringList fields {
            QDateTime::fromMSecsSinceEpoch(t.startedMs).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")),
            csvField(tagText(t, false)),
            hex(t.functionCode, 2),
            hex(t.startAddr, 4),
            QString::number(t.count),
            valuesText(t),
            latencyText(t),
            outcomeText(t, false),
            hexBytes(t.requestFrame()),
            hexBytes(t.replyFrame()),
        };
        out += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out.toUtf8();
}
