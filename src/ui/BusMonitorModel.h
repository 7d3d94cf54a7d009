// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/BusTransaction.h"

#include <QAbstractTableModel>
#include <QString>
#include <QTimer>

#include <deque>

// The bus monitor's list: the transactions of the connection in a bounded ring buffer, oldest
// dropped first, optionally narrowed by a filter. Arrivals are collected and put into the list in
// batches, so a busy bus costs the view a few updates a second rather than one per transaction.
// A due batch waits for the next arrival and goes in just after it: a page answering that arrival
// with its next request has sent it by then, so the list is updated and painted while the bus
// carries that request instead of delaying it.
class BusMonitorModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        TimeColumn,
        TagColumn,
        FunctionColumn,
        AddressColumn,
        CountColumn,
        ValuesColumn,
        LatencyColumn,
        OutcomeColumn,
        RequestColumn,
        ReplyColumn,
        ColumnCount
    };

    static constexpr int DefaultCapacity = 100000;
    static constexpr int BatchIntervalMs = 200;

    explicit BusMonitorModel(QObject* parent = nullptr, int capacity = DefaultCapacity);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int capacity() const { return m_capacity; }
    // Transactions held, shown or filtered out, plus those waiting for the next batch.
    int heldCount() const { return int(m_records.size() + m_pending.size()); }
    int pendingCount() const { return int(m_pending.size()); }
    const BusTransaction& transaction(int row) const;

    // While paused the list stands still; arrivals wait (within the capacity) and come in on resume.
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    QString filter() const { return m_filter; }
    // A tag containing the text (any case), or a register the request touched when the text reads
    // as a hexadecimal address ("F013", "0xF013").
    void setFilter(const QString& text);
    bool matches(const BusTransaction& transaction) const;

    // The rows as shown, one CSV line each after a header; fixed English texts, so that logs from
    // either language read alike.
    QByteArray toCsv() const;

    // Texts of the record's cells; `translated` false gives the English of the log file.
    static QString outcomeText(const BusTransaction& transaction, bool translated = true);
    static QString exceptionName(quint8 code, bool translated = true);
    static QString tagText(const BusTransaction& transaction, bool translated = true);
    static QString valuesText(const BusTransaction& transaction);
    static QString timeText(const BusTransaction& transaction);
    static QString latencyText(const BusTransaction& transaction);
    static QString hexBytes(const QByteArray& bytes);

public slots:
    void append(const BusTransaction& transaction);
    // Puts what has arrived into the list now (the batch timer does so on its own).
    void flush();
    void clear();

private:
    QString cellText(const BusTransaction& t, int column) const;
    void rebuildMatches();

    int m_capacity;
    std::deque<BusTransaction> m_records; // m_records[i] has the sequence number m_firstSequence + i
    qint64 m_firstSequence = 0;
    std::deque<qint64> m_matches; // sequence numbers of the records shown while a filter is set
    std::deque<BusTransaction> m_pending;
    QTimer m_batchTimer;
    QTimer m_quietTimer; // a due batch goes in anyway when nothing more arrives
    bool m_batchDue = false;
    bool m_flushQueued = false;
    bool m_paused = false;
    QString m_filter;
    bool m_filterIsAddress = false;
    quint16 m_filterAddress = 0;
};
