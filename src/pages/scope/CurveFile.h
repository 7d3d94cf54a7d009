// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

class QIODevice;
class QTextEncoder;

// Curve files: comma-separated text, one row per line, GBK when the name ends in ".csv" (else the
// locale's encoding). A field holding a comma, a double quote or a line break is written in double
// quotes with its quotes doubled, so a file without such texts has no quotes at all.

// Larger files are refused unread: no scope recording comes near it, and a mistaken pick (a disk
// image, a video) must not stall the window or exhaust memory.
constexpr qint64 maxCurveFileBytes = qint64(512) * 1024 * 1024;

// `text` as one field of a curve file.
QString csvField(const QString& text);

// A time or value of a curve file: six significant digits ('g') when they read back as the same
// number, otherwise the fewest that do, so a long recording keeps its milliseconds and a 32-bit
// count its last digit. A NaN (a gap in the recording) is an empty field.
QString curveNumber(double value);

// Lines of a curve file in its encoding, written to a device in pieces as they are added, so that
// a long recording is never held twice in memory as text.
class CurveTextWriter
{
public:
    // The encoding follows `path`; the caller opens `device` and keeps it.
    CurveTextWriter(const QString& path, QIODevice* device);
    ~CurveTextWriter();

    bool isValid() const { return m_encoder != nullptr; }
    // Adds one line; a full piece is written on the way (false when that write failed).
    bool addLine(const QString& line);
    // Writes everything added so far in one write; false on a failed or short write.
    bool write();
    bool hasPending() const { return !m_pending.isEmpty(); }

private:
    QIODevice* m_device;
    std::unique_ptr<QTextEncoder> m_encoder;
    QString m_pending;
};

// Replaces the file at `path` with `lines` in one step; false (and the earlier file untouched) when
// any step fails, or for an empty path or list.
bool writeCsvLines(const QString& path, const QStringList& lines);

// Every row of the file as its fields (empty fields kept); `fieldCount` is the first row's field
// count, 0 for an empty file. False when the file cannot be read, is over maxCurveFileBytes or is
// not text.
bool readCsvLines(const QString& path, QList<QStringList>& rows, int& fieldCount);
