// SPDX-License-Identifier: GPL-3.0-or-later
#include "Record.h"

#include "Global.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace Cli {

namespace {

QString familyName(int family)
{
    return family == Global::DEVICE_VFD ? QStringLiteral("vfd") : QStringLiteral("servo");
}

QString languageName(int language)
{
    return language == Global::LANGUAGE_CN ? QStringLiteral("cn") : QStringLiteral("en");
}

QJsonArray stringArray(const QStringList& list)
{
    return QJsonArray::fromStringList(list);
}

QString hexWords(const QVector<quint16>& values)
{
    QStringList words;
    for (quint16 value : values)
        words << QStringLiteral("0x") + QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
    return words.join(QLatin1Char(' '));
}

QString versionNote(const DriveEntry& drive)
{
    if (drive.versionSource == QLatin1String("option"))
        return QStringLiteral("as given");
    if (drive.versionSource == QLatin1String("reported"))
        return QStringLiteral("the drive reports %1").arg(drive.reportedVersion);
    if (!drive.reportedVersion.isEmpty())
        return QStringLiteral("the newest of the family; the drive reports %1, which has no definitions")
            .arg(drive.reportedVersion);
    return QStringLiteral("the newest of the family; the drive names none");
}

// The keys of a parameter's two values and its result in --json and the record.
struct ValueKeys
{
    const char* before;
    const char* after;
    bool result;
};

ValueKeys valueKeys(Command command)
{
    switch (command) {
    case Command::Get:
    case Command::Backup:
        return { "value", nullptr, false };
    case Command::Diff:
        return { "drive", "file", false };
    case Command::Set:
    case Command::Restore:
        return { "old", "new", true };
    default:
        return { nullptr, nullptr, false };
    }
}

} // namespace

QString alignedTable(const QStringList& header, const QVector<QStringList>& rows)
{
    QVector<int> widths;
    auto widen = [&widths](const QStringList& cells) {
        widths.resize(qMax(widths.size(), cells.size()));
        for (int c = 0; c < cells.size(); ++c)
            widths[c] = qMax(widths.at(c), cells.at(c).size());
    };
    widen(header);
    for (const QStringList& row : rows)
        widen(row);
    QString text;
    auto line = [&](const QStringList& cells) {
        QString out;
        for (int c = 0; c < cells.size(); ++c)
            out += c + 1 == cells.size() ? cells.at(c) : cells.at(c).leftJustified(widths.at(c) + 2);
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        if (!out.isEmpty())
            text += out + QLatin1Char('\n');
    };
    line(header);
    for (const QStringList& row : rows)
        line(row);
    return text;
}

Record::Record(const Options& options)
    : m_options(options)
    , m_started(QDateTime::currentDateTime())
{
}

void Record::setDefinitions(const QString& folder, int family, int language)
{
    m_definitions = folder;
    m_family = family;
    m_language = language;
}

DriveEntry& Record::addDrive(int slave)
{
    m_drives.append(DriveEntry());
    m_drives.last().slave = slave;
    return m_drives.last();
}

QJsonObject Record::parameterJson(const ParameterEntry& parameter) const
{
    const ValueKeys keys = valueKeys(m_options.command);
    QJsonObject object { { QStringLiteral("code"), parameter.code },
        { QStringLiteral("name"), parameter.name }, { QStringLiteral("unit"), parameter.unit } };
    if (keys.before)
        object.insert(QLatin1String(keys.before), parameter.before);
    if (keys.after)
        object.insert(QLatin1String(keys.after), parameter.after);
    if (keys.result) {
        object.insert(QStringLiteral("result"), parameter.result);
        object.insert(QStringLiteral("ok"), !parameter.failed);
    }
    return object;
}

QJsonObject Record::driveJson(const DriveEntry& drive) const
{
    QJsonObject object { { QStringLiteral("slave"), drive.slave },
        { QStringLiteral("status"), statusText(drive.exitCode) },
        { QStringLiteral("exitCode"), drive.exitCode } };
    if (!drive.message.isEmpty())
        object.insert(QStringLiteral("message"), drive.message);
    if (!drive.deviceVersion.isEmpty()) {
        object.insert(QStringLiteral("deviceVersion"), drive.deviceVersion);
        object.insert(QStringLiteral("versionSource"), drive.versionSource);
    }
    if (!drive.reportedVersion.isEmpty())
        object.insert(QStringLiteral("reportedVersion"), drive.reportedVersion);
    if (!drive.probe.isEmpty()) {
        QJsonArray probe;
        for (quint16 value : drive.probe)
            probe.append(int(value));
        object.insert(QStringLiteral("probe"), probe);
    }
    if (!drive.definitionFolder.isEmpty())
        object.insert(QStringLiteral("definitionFolder"), drive.definitionFolder);
    if (drive.parameterCount >= 0)
        object.insert(QStringLiteral("parameterCount"), drive.parameterCount);
    if (!drive.file.isEmpty())
        object.insert(QStringLiteral("file"), drive.file);
    if (drive.compared >= 0)
        object.insert(QStringLiteral("compared"), drive.compared);
    if (m_options.command != Command::Info) {
        QJsonArray parameters;
        for (const ParameterEntry& parameter : drive.parameters)
            parameters.append(parameterJson(parameter));
        object.insert(QStringLiteral("parameters"), parameters);
    }
    if (m_options.takesFile() && m_options.command != Command::Backup) {
        object.insert(QStringLiteral("skipped"),
            QJsonObject { { QStringLiteral("notInVersion"), stringArray(drive.notInVersion) },
                { QStringLiteral("readOnly"), stringArray(drive.readOnly) },
                { QStringLiteral("withoutValue"), stringArray(drive.withoutValue) } });
    }
    if (!drive.warnings.isEmpty())
        object.insert(QStringLiteral("warnings"), stringArray(drive.warnings));
    return object;
}

QJsonObject Record::toJson() const
{
    const ScanFraming framing = m_options.framings.value(0);
    QJsonObject object { { QStringLiteral("tool"), QStringLiteral("kestrova-cli") },
        { QStringLiteral("version"), QStringLiteral(KESTROVA_VERSION) },
        { QStringLiteral("date"),
            m_started.toOffsetFromUtc(m_started.offsetFromUtc()).toString(Qt::ISODate) },
        { QStringLiteral("command"), commandName(m_options.command) },
        { QStringLiteral("arguments"), stringArray(m_options.commandLine) },
        { QStringLiteral("port"), m_options.port }, { QStringLiteral("baud"), m_options.baudRates.value(0) },
        { QStringLiteral("framing"), framing.name() }, { QStringLiteral("family"), familyName(m_family) },
        { QStringLiteral("language"), languageName(m_language) },
        { QStringLiteral("definitions"), m_definitions },
        { QStringLiteral("status"), statusText(m_exitCode) }, { QStringLiteral("exitCode"), m_exitCode } };
    if (!m_message.isEmpty())
        object.insert(QStringLiteral("message"), m_message);
    QJsonArray drives;
    for (const DriveEntry& drive : m_drives)
        drives.append(driveJson(drive));
    object.insert(QStringLiteral("drives"), drives);
    return object;
}

QByteArray Record::json() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Indented);
}

QStringList Record::columns() const
{
    switch (m_options.command) {
    case Command::Get:
        return { QStringLiteral("Code"), QStringLiteral("Name"), QStringLiteral("Value"),
            QStringLiteral("Unit") };
    case Command::Diff:
        return { QStringLiteral("Code"), QStringLiteral("Name"), QStringLiteral("Drive"),
            QStringLiteral("File"), QStringLiteral("Unit") };
    case Command::Set:
    case Command::Restore:
        return { QStringLiteral("Code"), QStringLiteral("Name"), QStringLiteral("Old"), QStringLiteral("New"),
            QStringLiteral("Unit"), QStringLiteral("Result") };
    default:
        return {};
    }
}

QStringList Record::cells(const ParameterEntry& p) const
{
    switch (m_options.command) {
    case Command::Get:
        return { p.code, p.name, p.before, p.unit };
    case Command::Diff:
        return { p.code, p.name, p.before, p.after, p.unit };
    case Command::Set:
    case Command::Restore:
        return { p.code, p.name, p.before, p.after, p.unit, p.result };
    default:
        return {};
    }
}

QString Record::driveHeading(const DriveEntry& drive) const
{
    QString heading = QStringLiteral("Slave %1").arg(drive.slave);
    if (!drive.deviceVersion.isEmpty())
        heading += QStringLiteral(" (%1)").arg(drive.deviceVersion);
    if (drive.exitCode != ExitOk)
        heading += QStringLiteral(": ") + statusText(drive.exitCode);
    return heading;
}

QString Record::summary(const DriveEntry& drive) const
{
    QStringList lines;
    const int failed = int(std::count_if(drive.parameters.cbegin(), drive.parameters.cend(),
        [](const ParameterEntry& p) { return p.failed; }));
    const int total = drive.parameters.size();
    switch (m_options.command) {
    case Command::Backup:
        if (drive.exitCode == ExitOk)
            lines << QStringLiteral("%1 parameters saved to %2").arg(total).arg(drive.file);
        break;
    case Command::Diff:
        if (drive.exitCode == ExitOk)
            lines << QStringLiteral("The drive holds the file's value of every parameter compared (%1).")
                         .arg(drive.compared);
        else if (drive.compared >= 0)
            lines << QStringLiteral("%1 of the %2 parameters compared differ from the file.")
                         .arg(total)
                         .arg(drive.compared);
        break;
    case Command::Set:
    case Command::Restore:
        if (drive.compared >= 0 && total == 0 && drive.exitCode == ExitOk)
            lines << QStringLiteral("Nothing to write: the drive holds the file's value of every parameter "
                                    "compared (%1).")
                         .arg(drive.compared);
        else if (total > 0 && m_options.verify)
            lines << QStringLiteral("%1 to write: %2 verified, %3 not")
                         .arg(total)
                         .arg(total - failed)
                         .arg(failed);
        else if (total > 0)
            lines << QStringLiteral("%1 to write: %2 written (not read back), %3 not")
                         .arg(total)
                         .arg(total - failed)
                         .arg(failed);
        break;
    default:
        break;
    }
    if (m_options.takesFile() && m_options.command != Command::Backup && drive.compared >= 0) {
        const int skipped = drive.notInVersion.size() + drive.readOnly.size() + drive.withoutValue.size();
        if (skipped > 0)
            lines << QStringLiteral("Not compared: %1 read-only, %2 not in %3, %4 without a value.")
                         .arg(drive.readOnly.size())
                         .arg(drive.notInVersion.size())
                         .arg(drive.deviceVersion)
                         .arg(drive.withoutValue.size());
    }
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString Record::table() const
{
    QString text;
    const bool headings = m_drives.size() > 1;
    for (const DriveEntry& drive : m_drives) {
        if (headings)
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + driveHeading(drive)
                + QLatin1Char('\n');
        if (m_options.command == Command::Info) {
            if (drive.exitCode != ExitOk)
                continue;
            QVector<QStringList> rows { { QStringLiteral("Slave"), QString::number(drive.slave) },
                { QStringLiteral("Answer"), hexWords(drive.probe) },
                { QStringLiteral("Device version"),
                    drive.deviceVersion + QStringLiteral(" (") + versionNote(drive) + QLatin1Char(')') },
                { QStringLiteral("Definitions"), drive.definitionFolder },
                { QStringLiteral("Parameters"), QString::number(drive.parameterCount) } };
            text += alignedTable({}, rows);
            continue;
        }
        QVector<QStringList> rows;
        for (const ParameterEntry& parameter : drive.parameters)
            rows.append(cells(parameter));
        if (!rows.isEmpty() && !columns().isEmpty())
            text += alignedTable(columns(), rows);
        text += summary(drive);
    }
    return text;
}

QByteArray Record::html() const
{
    const QJsonObject top = toJson();
    auto esc = [](const QString& text) { return text.toHtmlEscaped(); };
    QString out;
    out += QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<title>Commissioning record: %1</title>\n<style>\n"
                          "body { font-family: sans-serif; margin: 2em; }\n"
                          "table { border-collapse: collapse; margin-bottom: 1.5em; }\n"
                          "th, td { border: 1px solid #bbb; padding: 0.25em 0.6em; text-align: left; }\n"
                          "th { background: #eee; }\n.failed { background: #f4d6d6; }\n"
                          "</style>\n</head>\n<body>\n<h1>Commissioning record</h1>\n")
               .arg(esc(commandName(m_options.command)));
    const QList<QPair<QString, QString>> facts { { QStringLiteral("Date"),
                                                     top.value(QStringLiteral("date")).toString() },
        { QStringLiteral("Tool"), QStringLiteral("kestrova-cli " KESTROVA_VERSION) },
        { QStringLiteral("Command"),
            QStringLiteral("kestrova-cli ") + m_options.commandLine.join(QLatin1Char(' ')) },
        { QStringLiteral("Port"), m_options.port },
        { QStringLiteral("Baud rate and framing"),
            QStringLiteral("%1 %2")
                .arg(m_options.baudRates.value(0))
                .arg(m_options.framings.value(0).name()) },
        { QStringLiteral("Family"), familyName(m_family) }, { QStringLiteral("Definitions"), m_definitions },
        { QStringLiteral("Result"),
            statusText(m_exitCode) + (m_message.isEmpty() ? QString() : QStringLiteral(": ") + m_message) } };
    out += QStringLiteral("<table>\n");
    for (const auto& fact : facts)
        out += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n").arg(esc(fact.first), esc(fact.second));
    out += QStringLiteral("</table>\n");
    for (const DriveEntry& drive : m_drives) {
        out += QStringLiteral("<h2>%1</h2>\n").arg(esc(driveHeading(drive)));
        QStringList notes;
        if (!drive.deviceVersion.isEmpty())
            notes << QStringLiteral("Device version %1 (%2)").arg(drive.deviceVersion, versionNote(drive));
        if (!drive.message.isEmpty())
            notes << drive.message;
        notes << drive.warnings;
        const QString summaryText = summary(drive).trimmed();
        if (!summaryText.isEmpty())
            notes << summaryText.split(QLatin1Char('\n'));
        for (const QString& note : qAsConst(notes))
            out += QStringLiteral("<p>%1</p>\n").arg(esc(note));
        if (drive.parameters.isEmpty() || columns().isEmpty())
            continue;
        out += QStringLiteral("<table>\n<tr>");
        for (const QString& column : columns())
            out += QStringLiteral("<th>%1</th>").arg(esc(column));
        out += QStringLiteral("</tr>\n");
        for (const ParameterEntry& parameter : drive.parameters) {
            out += parameter.failed ? QStringLiteral("<tr class=\"failed\">") : QStringLiteral("<tr>");
            for (const QString& cell : cells(parameter))
                out += QStringLiteral("<td>%1</td>").arg(esc(cell));
            out += QStringLiteral("</tr>\n");
        }
        out += QStringLiteral("</table>\n");
    }
    out += QStringLiteral("</body>\n</html>\n");
    return out.toUtf8();
}

} // namespace Cli
