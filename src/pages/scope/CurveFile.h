#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Curve files: comma-separated text, one row per line, GBK when the name ends in ".csv" (else the
// locale's encoding). A field holding a comma, a double quote or a line break is written in double
// quotes with its quotes doubled, so a file without such texts has no quotes at all.

// Larger files are refused unread: no scope recording comes near it, and a mistaken pick (a disk
// image, a video) must not stall the window or exhaust memory.
constexpr qint64 maxCurveFileBytes = qint64(512) * 1024 * 1024;

// `text` as one field of a curve file.
QString csvField(const QString& text);

// Replaces the file at `path` with `lines` in one step; false (and the earlier file untouched) when
// any step fails, or for an empty path or list.
bool writeCsvLines(const QString& path, const QStringList& lines);

// Every row of the file as its fields (empty fields kept); `fieldCount` is the first row's field
// count, 0 for an empty file. False when the file cannot be read, is over maxCurveFileBytes or is
// not text.
bool readCsvLines(const QString& path, QList<QStringList>& rows, int& fieldCount);
