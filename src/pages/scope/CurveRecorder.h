// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pages/scope/CurveFile.h"

#include <QFile>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <deque>
#include <memory>

// Streams a recording into a curve file as its points come: whole rows, written at least twice a
// second, so that a crash or a kill loses at most the last second and a recording of hours needs
// neither the memory nor an export at the end. The file reads like any curve file.
class CurveRecorder : public QObject
{
    Q_OBJECT
public:
    explicit CurveRecorder(QObject* parent = nullptr);
    ~CurveRecorder() override;

    // Creates (or replaces) the file with the header of these curves; false, with errorString(),
    // when it cannot be written.
    bool start(const QString& path, const QStringList& names);
    bool isRecording() const { return m_writer != nullptr; }
    QString path() const { return m_file.fileName(); }
    QString errorString() const { return m_error; }

    void addPoint(int curve, double key, double value);
    // Writes the rows that are ready; false when writing failed (the recording then ends).
    bool flush();
    // Writes what is left, shorter curves with empty fields, and closes the file.
    void finish();

signals:
    // Writing failed; the recording has ended and the file keeps what was written before.
    void failed(const QString& error);

private:
    bool canWriteRow(bool all) const;
    QString takeRow();
    void fail();

    QFile m_file;
    std::unique_ptr<CurveTextWriter> m_writer;
    QVector<std::deque<QPointF>> m_pending; // per curve, oldest first
    double m_newestKey = 0;
    QTimer m_flushTimer;
    QString m_error;
};
