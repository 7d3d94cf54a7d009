#include "CurveFile.h"

#include "SafeFile.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/LodGraph.h"

#include <QFile>
#include <QTextCodec>
#include <QTextDecoder>
#include <QTextEncoder>

#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr QChar separator = QLatin1Char(',');
constexpr QChar quote = QLatin1Char('"');
constexpr int readChunkBytes = 1 << 20;
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

bool writeCsvLines(const QString& path, const QStringList& lines)
{
    if (path.isEmpty() || lines.isEmpty())
        return false;
    QTextCodec* codec = codecFor(path);
    if (!codec)
        return false;
    std::unique_ptr<QTextEncoder> encoder(codec->makeEncoder(QTextCodec::IgnoreHeader));
    QByteArray bytes;
    QString pending;
    constexpr int encodeChunkChars = 1 << 16;
    for (const QString& line : lines) {
        pending += line;
        pending += lineEnd;
        if (pending.size() >= encodeChunkChars) {
            bytes += encoder->fromUnicode(pending);
            pending.clear();
        }
    }
    bytes += encoder->fromUnicode(pending);
    return writeFileAtomically(path, bytes);
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
    const int graphCount = m_plot->graphCount();
    if (graphCount == 0)
        return 0;
    QVector<QSharedPointer<QCPGraphDataContainer>> data;
    int longest = 0;
    QString header;
    for (int j = 0; j < graphCount; ++j) {
        QCPGraph* graph = m_plot->graph(j);
        data.append(graph->data());
        longest = qMax(longest, data.last()->size());
        if (j > 0)
            header += separator;
        header += csvField(graph->name() + QLatin1Char('x')) + separator
            + csvField(graph->name() + QLatin1Char('y'));
    }

    QStringList lines;
    lines.reserve(longest + 1);
    lines.append(header);
    QVector<QCPGraphDataContainer::const_iterator> at;
    for (const auto& container : data)
        at.append(container->constBegin());
    for (int r = 0; r < longest; ++r) {
        QString line;
        for (int j = 0; j < graphCount; ++j) {
            if (j > 0)
                line += separator;
            if (at[j] != data[j]->constEnd()) {
                line += QString::number(at[j]->key, 'g', 6);
                line += separator;
                line += QString::number(at[j]->value, 'g', 6);
                ++at[j];
            } else {
                line += separator;
            }
        }
        lines.append(line);
    }
    return writeCsvLines(path, lines) ? 1 : -1;
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
            bool keyOk = false;
            bool valueOk = false;
            const float key = fields.value(2 * curve.pair).toFloat(&keyOk);
            const float value = fields.value(2 * curve.pair + 1).toFloat(&valueOk);
            // "nan" and "inf" parse as numbers; a NaN key would break the graph's sorting.
            if (keyOk && valueOk && std::isfinite(key) && std::isfinite(value)) {
                curve.keys.append(double(key));
                curve.values.append(double(value));
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
