// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveFile.h"

#include "SafeFile.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/LodGraph.h"

#include <QFile>
#include <QTextCodec>
#include <QTextDecoder>
#include <QTextEncoder>

#include <charconv>
#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr QChar separator = QLatin1Char(',');
constexpr QChar quote = QLatin1Char('"');
constexpr int readChunkBytes = 1 << 20;
constexpr int writeChunkChars = 1 << 16;
// A row of a real curve file is a few hundred characters; a binary file without line breaks
// would otherwise become one giant row.
constexpr int maxRowChars = 64 * 1024;

#ifdef Q_OS_WIN
const QString lineEnd = QStringLiteral("\r\n");
#else
const QString lineEnd = QStringLiteral("\n");
#endif

QTextCodec* codecFor(const QString& path)
{
    return path.endsWith(QLatin1String(".csv")) ? QTextCodec::codecForName("GBK")
                                                : QTextCodec::codecForLocale();
}

// Splits decoded text into rows as it arrives, so a file is never held whole in memory.
class RowParser
{
public:
    explicit RowParser(std::function<void(QStringList&)> onRow)
        : m_onRow(std::move(onRow))
    {
    }

    // False when the text cannot be a curve file.
    bool feed(const QString& text)
    {
        const QChar* chars = text.constData();
        const int size = text.size();
        int i = 0;
        while (i < size) {
            // Plain characters go in as one run: almost every character of a curve file is one.
            if (!m_inQuotes && !(chars[i] == quote && m_fieldEmpty)) {
                int end = i;
                while (end < size && !isSpecial(chars[end]))
                    ++end;
                if (end > i) {
                    m_rowChars += end - i;
                    if (m_rowChars > maxRowChars)
                        return false;
                    m_field.append(chars + i, end - i);
                    m_fieldEmpty = false;
                    m_unquotedCr = chars[end - 1] == QLatin1Char('\r');
                    i = end;
                    continue;
                }
            }
            if (chars[i].unicode() == 0 || ++m_rowChars > maxRowChars)
                return false;
            take(chars[i++]);
        }
        return true;
    }

    void finish()
    {
        if (m_rowChars > 0)
            endRow();
    }

private:
    static bool isSpecial(QChar ch)
    {
        return ch == separator || ch == QLatin1Char('\n') || ch.unicode() == 0;
    }

    void take(QChar ch)
    {
        if (m_inQuotes) {
            if (m_quotePending) {
                m_quotePending = false;
                if (ch == quote) {
                    m_field.append(quote);
                    return;
                }
                m_inQuotes = false; // that quote closed the field; `ch` follows it
            } else if (ch == quote) {
                m_quotePending = true;
                return;
            } else {
                m_field.append(ch);
                return;
            }
        }
        if (ch == separator) {
            endField();
        } else if (ch == QLatin1Char('\n')) {
            endRow();
        } else if (ch == quote && m_fieldEmpty) {
            m_inQuotes = true;
            m_fieldEmpty = false;
        } else {
            m_field.append(ch);
            m_fieldEmpty = false;
            m_unquotedCr = ch == QLatin1Char('\r');
            return;
        }
        m_unquotedCr = false;
    }

    void endField()
    {
        m_row.append(m_field);
        m_field.clear();
        m_fieldEmpty = true;
        m_inQuotes = false;
        m_quotePending = false;
    }

    void endRow()
    {
        // CR LF ends a line as LF does.
        if (m_unquotedCr)
            m_field.chop(1);
        endField();
        m_onRow(m_row);
        m_row.clear();
        m_rowChars = 0;
        m_unquotedCr = false;
    }

    std::function<void(QStringList&)> m_onRow;
    QStringList m_row;
    QString m_field;
    bool m_fieldEmpty = true;
    bool m_inQuotes = false;
    bool m_quotePending = false;
    bool m_unquotedCr = false;
    int m_rowChars = 0;
};

bool forEachCsvRow(const QString& path, std::function<void(QStringList&)> onRow)
{
    if (path.isEmpty())
        return false;
    QTextCodec* codec = codecFor(path);
    QFile file(path);
    if (!codec || !file.open(QIODevice::ReadOnly) || file.size() > maxCurveFileBytes)
        return false;
    std::unique_ptr<QTextDecoder> decoder;
    RowParser parser(std::move(onRow));
    qint64 total = 0;
    QByteArray chunk;
    while (true) {
        chunk = file.read(readChunkBytes);
        if (chunk.isEmpty())
            break;
        // As a text stream does: a byte-order mark (a spreadsheet's "UTF-8 CSV") names the encoding.
        if (!decoder)
            decoder.reset(QTextCodec::codecForUtfText(chunk, codec)->makeDecoder());
        // A device or a file still growing can pass the size check and go on for ever.
        total += chunk.size();
        if (total > maxCurveFileBytes || !parser.feed(decoder->toUnicode(chunk)))
            return false;
    }
    if (file.error() != QFileDevice::NoError)
        return false;
    parser.finish();
    return true;
}

// The point of column pair `pair` in a row of a curve file: its key, or NaN when the row has none
// for that curve (an empty, non-numeric or infinite field). A key with an empty value is a gap.
double curvePoint(const QStringList& fields, int pair, double* value)
{
    bool ok = false;
    const double key = fields.value(2 * pair).toDouble(&ok);
    // "nan" and "inf" parse as numbers; a NaN key would break the graph's sorting.
    if (!ok || !std::isfinite(key))
        return qQNaN();
    const QString valueText = fields.value(2 * pair + 1);
    *value = valueText.toDouble(&ok);
    if (!ok && valueText.trimmed().isEmpty())
        *value = qQNaN();
    else if (!ok || !std::isfinite(*value))
        return qQNaN();
    return key;
}

bool needsQuotes(const QString& text)
{
    for (const QChar ch : text) {
        if (ch == separator || ch == quote || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            return true;
    }
    return false;
}

} // namespace

QString csvField(const QString& text)
{
    if (!needsQuotes(text))
        return text;
    QString quoted = text;
    quoted.replace(quote, QStringLiteral("\"\""));
    return quote + quoted + quote;
}

QString curveNumber(double value)
{
    if (std::isnan(value))
        return QString();
    // The shortest digits that read back as `value` (scientific, so that they count).
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific).ptr;
    int significant = 0;
    for (const char* c = digits; c < end && *c != 'e'; ++c)
        significant += (*c >= '0' && *c <= '9') ? 1 : 0;
    // With six digits or fewer, 'g' with six rounds to exactly those digits: the text curve files
    // always had.
    return QString::number(value, 'g', qMax(6, significant));
}

CurveTextWriter::CurveTextWriter(const QString& path, QIODevice* device)
    : m_device(device)
{
    if (QTextCodec* codec = codecFor(path))
        m_encoder.reset(codec->makeEncoder(QTextCodec::IgnoreHeader));
}

CurveTextWriter::~CurveTextWriter() = default;

bool CurveTextWriter::addLine(const QString& line)
{
    m_pending += line;
    m_pending += lineEnd;
    return m_pending.size() < writeChunkChars || write();
}

bool CurveTextWriter::write()
{
    if (m_pending.isEmpty())
        return true;
    if (!m_encoder || !m_device)
        return false;
    const QByteArray bytes = m_encoder->fromUnicode(m_pending);
    m_pending.clear();
    return m_device->write(bytes) == bytes.size();
}

namespace {

// Replaces the file at `path` with the lines `produce` adds, in one rename; false (and the earlier
// file untouched) when any step fails.
bool writeCurveFile(const QString& path, const std::function<bool(CurveTextWriter&)>& produce)
{
    if (path.isEmpty())
        return false;
    return writeFileAtomically(path, [&](QIODevice* device) {
        CurveTextWriter writer(path, device);
        return writer.isValid() && produce(writer) && writer.write();
    });
}

} // namespace

bool writeCsvLines(const QString& path, const QStringList& lines)
{
    if (lines.isEmpty())
        return false;
    return writeCurveFile(path, [&lines](CurveTextWriter& writer) {
        for (const QString& line : lines) {
            if (!writer.addLine(line))
                return false;
        }
        return true;
    });
}

bool readCsvLines(const QString& path, QList<QStringList>& rows, int& fieldCount)
{
    rows.clear();
    fieldCount = 0;
    const bool ok = forEachCsvRow(path, [&rows](QStringList& row) { rows.append(std::move(row)); });
    if (!ok) {
        rows.clear();
        return false;
    }
    fieldCount = rows.isEmpty() ? 0 : rows.first().size();
    return true;
}

int CustomPlot::exportCsv(QString path)
{
    struct Column
    {
        QString name;
        QSharedPointer<QCPGraphDataContainer> data; // keeps the points alive while writing
        QCPGraphDataContainer::const_iterator at;
        QCPGraphDataContainer::const_iterator end;
    };
    QVector<Column> columns;
    if (m_importedMode) {
        for (const ImportedCurve& curve : qAsConst(m_imported)) {
            if (curve.graph)
                columns.append({ curve.name, curve.graph->data(), {}, {} });
        }
    } else {
        for (auto it = m_channels.constBegin(); it != m_channels.constEnd(); ++it)
            columns.append({ it->name, runOf(it.key()), {}, {} });
    }
    if (columns.isEmpty())
        return 0;
    // A held capture is what the user is looking at and means to keep.
    const bool capture = !m_importedMode && m_holdingCapture;
    const ScopeTrigger::Window window = m_trigger.window();
    QString header;
    for (Column& column : columns) {
        column.at = capture ? column.data->findBegin(window.from, false) : column.data->constBegin();
        column.end = capture ? column.data->findEnd(window.to, false) : column.data->constEnd();
        if (!header.isEmpty())
            header += separator;
        header += csvField(column.name + QLatin1Char('x')) + separator
            + csvField(column.name + QLatin1Char('y'));
    }

    const bool written = writeCurveFile(path, [&columns, &header](CurveTextWriter& writer) {
        if (!writer.addLine(header))
            return false;
        for (bool more = true; more;) {
            more = false;
            QString line;
            for (int j = 0; j < columns.size(); ++j) {
                Column& column = columns[j];
                if (j > 0)
                    line += separator;
                if (column.at == column.end) {
                    line += separator;
                    continue;
                }
                line += curveNumber(column.at->key);
                line += separator;
                line += curveNumber(column.at->value);
                ++column.at;
                more = true;
            }
            if (more && !writer.addLine(line))
                return false;
        }
        return true;
    });
    return written ? 1 : -1;
}

bool CustomPlot::importCsv(QString path)
{
    struct Curve
    {
        int pair;
        QString name;
        QVector<double> keys;
        QVector<double> values;
    };
    QList<Curve> curves;
    bool header = true;
    const bool ok = forEachCsvRow(path, [&](QStringList& fields) {
        if (header) {
            header = false;
            for (int q = 0; q < fields.size() / 2; ++q) {
                const QString& name = fields.at(2 * q);
                if (!name.isEmpty())
                    curves.append({ q, name.left(name.size() - 1), {}, {} });
            }
            return;
        }
        for (Curve& curve : curves) {
            double value = 0;
            const double key = curvePoint(fields, curve.pair, &value);
            if (!std::isnan(key)) {
                curve.keys.append(key);
                curve.values.append(value);
            }
        }
    });
    if (!ok)
        return false;

    m_imported.clear();
    m_importedKeys.clear();
    m_importedValues.clear();
    for (Curve& curve : curves) {
        const QColor color = curve.pair < m_defaultColors.size() ? m_defaultColors.at(curve.pair) : QColor();
        m_imported.append({ curve.name, QPen(color), nullptr });
        m_importedKeys.append(std::move(curve.keys));
        m_importedValues.append(std::move(curve.values));
    }
    m_importedMode = true;
    rebuildImportedGraphs();
    return true;
}
