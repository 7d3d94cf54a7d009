// SPDX-License-Identifier: GPL-3.0-or-later
#include "DriveWork.h"

#include "Global.h"
#include "cli/Terminal.h"
#include "engine/DeviceVersions.h"
#include "engine/FileComparison.h"
#include "engine/ParamFile.h"
#include "engine/ParamValue.h"
#include "engine/PrecisionSources.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace Cli {

using Outcome = ParameterBatch::Outcome;
using Kind = ParameterBatch::Kind;

namespace {

const QString noAnswer = QStringLiteral("(no answer)");

QString entryList(const QList<QStringList>& entries)
{
    QStringList names;
    for (const QStringList& entry : entries)
        names << entry.value(0);
    return names.join(QStringLiteral(", "));
}

QString problemText(const ParamAttributeStruct& attribute, const QString& text, ParamValue::Problem problem)
{
    const QString code = attribute.name;
    switch (problem) {
    case ParamValue::Problem::None:
        return QString();
    case ParamValue::Problem::Empty:
        return QStringLiteral("%1: no value given").arg(code);
    case ParamValue::Problem::NotANumber:
        return QStringLiteral("%1: \"%2\" is no value of this parameter").arg(code, text);
    case ParamValue::Problem::NoSuchEntry:
        return QStringLiteral("%1: \"%2\" is none of its entries (%3)")
            .arg(code, text, entryList(attribute.indexList));
    case ParamValue::Problem::BelowMinimum:
        return QStringLiteral("%1: %2 is below the minimum %3").arg(code, text.trimmed(), attribute.min);
    case ParamValue::Problem::AboveMaximum:
        return QStringLiteral("%1: %2 is above the maximum %3").arg(code, text.trimmed(), attribute.max);
    case ParamValue::Problem::TooWide:
        return QStringLiteral("%1: %2 does not fit its register").arg(code, text.trimmed());
    }
    return QString();
}

QString writeResult(const ParameterBatch::Result& result, const QString& readBack)
{
    switch (result.outcome) {
    case Outcome::Verified:
        return QStringLiteral("verified");
    case Outcome::Done:
        return QStringLiteral("written, not read back");
    case Outcome::NotKept:
        return QStringLiteral("NOT KEPT: reads %1").arg(readBack);
    case Outcome::ReadBackFailed:
        return QStringLiteral("written, read-back failed");
    case Outcome::Failed:
        return QStringLiteral("write failed");
    case Outcome::LinkLost:
    case Outcome::NotSent:
        return QStringLiteral("not written: link lost");
    case Outcome::Cancelled:
        return QStringLiteral("not written: interrupted");
    case Outcome::Pending:
        break;
    }
    return QStringLiteral("not written");
}

QStringList codesWith(const QVector<ParameterBatch::Result>& results, bool (*test)(Outcome))
{
    QStringList codes;
    for (const ParameterBatch::Result& result : results) {
        if (test(result.outcome))
            codes << result.request.code;
    }
    return codes;
}

bool notSuccess(Outcome outcome)
{
    return !ParameterBatch::isSuccess(outcome);
}

} // namespace

int exitCodeOf(const QVector<ParameterBatch::Result>& results)
{
    int code = ExitOk;
    // The worst first: what stopped the run, then what is wrong on the drive.
    const QList<QPair<Outcome, int>> ranks { { Outcome::Cancelled, ExitInterrupted },
        { Outcome::LinkLost, ExitNoAnswer }, { Outcome::NotSent, ExitNoAnswer },
        { Outcome::NotKept, ExitNotVerified }, { Outcome::ReadBackFailed, ExitNotVerified },
        { Outcome::Failed, ExitRequestFailed }, { Outcome::Pending, ExitRequestFailed } };
    for (const auto& rank : ranks) {
        const bool found = std::any_of(results.cbegin(), results.cend(),
            [&rank](const ParameterBatch::Result& r) { return r.outcome == rank.first; });
        if (found)
            return rank.second;
    }
    return code;
}

DriveWork::DriveWork(
    const Options& options, const Definitions& definitions, DriveLink* link, DriveEntry* entry)
    : m_options(options)
    , m_definitions(definitions)
    , m_link(link)
    , m_entry(entry)
    , m_label(QStringLiteral("slave %1:").arg(entry->slave))
{
}

int DriveWork::fail(int code, const QString& message)
{
    m_entry->message = message;
    return code;
}

int DriveWork::run(const QJsonObject& file)
{
    m_entry->probe = m_link->probeAnswer();
    if (!chooseVersion() || !loadDefinitions())
        return m_entry->exitCode;
    if (m_options.command == Command::Info)
        return ExitOk;

    const QVector<ParameterBatch::Result> sources = readPrecisionSources();
    const int sourcesCode = exitCodeOf(sources);
    if (sourcesCode == ExitInterrupted || sourcesCode == ExitNoAnswer)
        return fail(sourcesCode, QStringLiteral("the link was lost or stopped before anything was written"));
    const QStringList unread = codesWith(sources, notSuccess);
    if (!unread.isEmpty()) {
        const QString text
            = QStringLiteral("%1 could not be read, so the decimals of the parameters it rules "
                             "are not known")
                  .arg(unread.join(QStringLiteral(", ")));
        // A value typed or saved in the wrong decimals would be written ten times too large or small.
        if (m_options.command == Command::Set || m_options.command == Command::Restore)
            return fail(ExitRequestFailed, text + QStringLiteral("; nothing was written"));
        m_entry->warnings << text;
    }

    switch (m_options.command) {
    case Command::Get:
        return get();
    case Command::Set:
        return set();
    case Command::Backup:
        return backup();
    case Command::Diff:
    case Command::Restore:
        return compare(file);
    default:
        return ExitOk;
    }
}

bool DriveWork::chooseVersion()
{
    const QStringList versions = DeviceVersions::available(m_definitions.familyFolder());
    const bool vfd = m_definitions.family == Global::DEVICE_VFD;
    m_entry->reportedVersion = probeVersionText(vfd, m_entry->probe);
    if (!m_options.deviceVersion.isEmpty()) {
        if (!versions.contains(m_options.deviceVersion)) {
            m_entry->exitCode = fail(ExitInput,
                QStringLiteral("there are no definitions of the device version %1 in %2 (there are: %3)")
                    .arg(m_options.deviceVersion, m_definitions.familyFolder(),
                        versions.isEmpty() ? QStringLiteral("none") : versions.join(QStringLiteral(", "))));
            return false;
        }
        m_entry->deviceVersion = m_options.deviceVersion;
        m_entry->versionSource = QStringLiteral("option");
        return true;
    }
    const QString reported = DeviceVersions::matching(versions, m_entry->reportedVersion);
    if (!reported.isEmpty()) {
        m_entry->deviceVersion = reported;
        m_entry->versionSource = QStringLiteral("reported");
        return true;
    }
    m_entry->deviceVersion = DeviceVersions::newest(versions);
    m_entry->versionSource = QStringLiteral("newest");
    if (m_entry->deviceVersion.isEmpty()) {
        m_entry->exitCode = fail(ExitInput,
            QStringLiteral("there are no drive definitions in %1 (--definitions names the Driver folder)")
                .arg(m_definitions.familyFolder()));
        return false;
    }
    if (!m_entry->reportedVersion.isEmpty())
        m_entry->warnings << QStringLiteral("the drive reports %1, for which there are no definitions: using "
                                            "the newest, %2")
                                 .arg(m_entry->reportedVersion, m_entry->deviceVersion);
    return true;
}

bool DriveWork::loadDefinitions()
{
    const QString folder = m_definitions.versionFolder(m_entry->deviceVersion);
    m_entry->definitionFolder = QDir::cleanPath(folder);
    QList<DefinitionError> errors;
    m_set.load(folder, &errors);
    for (const DefinitionError& error : qAsConst(errors)) {
        // Without control functions values still read right, only without unit switching.
        if (QFileInfo(error.file).fileName() != QLatin1String("ParamTable.xml")) {
            m_entry->warnings << error.text();
            continue;
        }
        m_entry->exitCode = fail(ExitInput, error.text());
        return false;
    }
    m_entry->parameterCount = m_set.rowCount();
    if (m_set.rowCount() == 0) {
        m_entry->exitCode = fail(ExitInput, QStringLiteral("%1 defines no parameters").arg(folder));
        return false;
    }
    return true;
}

QVector<ParameterBatch::Result> DriveWork::readPrecisionSources()
{
    QVector<ParameterBatch::Result> results = m_link->run(
        Kind::Write, PrecisionSources::writes(m_definitions.family), m_label + QStringLiteral(" unlocking"));
    // An unlock the drive refused shows as the size it then does not answer.
    results.erase(std::remove_if(results.begin(), results.end(),
                      [](const ParameterBatch::Result& r) { return r.outcome == Outcome::Failed; }),
        results.end());
    results += readValues(PrecisionSources::reads(m_set, m_definitions.family),
        m_label + QStringLiteral(" reading the ruling values"));
    return results;
}

void DriveWork::takeAnswer(const QString& code, const QVector<quint16>& values)
{
    m_set.applyRescales(code, values);
    const int row = m_set.rowOf(code);
    if (row >= 0)
        m_set.applyAnswer(row, values);
}

QString DriveWork::unknownText(const QStringList& codes) const
{
    return QStringLiteral("%1 has no parameter %2")
        .arg(m_entry->deviceVersion, codes.join(QStringLiteral(", ")));
}

int DriveWork::rowOf(const QString& code) const
{
    const int row = m_set.rowOf(code);
    return row >= 0 ? row : m_set.rowOf(code.trimmed().toUpper());
}

QVector<ParameterBatch::Result> DriveWork::readValues(const ParamRequests& requests, const QString& label)
{
    return m_link->run(
        Kind::Read, requests, label, [this, requests](int index, bool, const QVector<quint16>& values) {
            takeAnswer(requests.at(index).code, values);
        });
}

ParamRequests DriveWork::rulingFirst(ParamRequests requests) const
{
    // A drive may re-express what it holds when a ruling value changes; so those go first, and the
    // values they rule arrive in the decimals they were typed or saved in.
    const PrecisionRules& rules = m_set.precisionRules();
    std::stable_partition(requests.begin(), requests.end(),
        [&rules](const ParamRequest& request) { return rules.isTrigger(request.code); });
    return requests;
}

int DriveWork::get()
{
    ParamRequests reads;
    QStringList unknown;
    for (const QString& code : m_options.arguments) {
        const int row = rowOf(code);
        if (row < 0 || !m_set.row(row).hasAddress)
            unknown << code;
        else if (std::none_of(reads.cbegin(), reads.cend(),
                     [&](const ParamRequest& r) { return r.code == m_set.row(row).attribute.name; }))
            reads.append(m_set.readRequests({ row }));
    }
    if (!unknown.isEmpty())
        return fail(ExitInput, unknownText(unknown));

    const QVector<ParameterBatch::Result> results = readValues(reads, m_label + QStringLiteral(" reading"));
    for (const ParameterBatch::Result& result : results) {
        const ParameterSet::Row& row = m_set.row(m_set.rowOf(result.request.code));
        ParameterEntry entry { row.attribute.name, row.attribute.description, row.units, noAnswer, {}, {},
            true };
        if (result.outcome == Outcome::Done) {
            entry.before = ParamValue::shownText(row.attribute, result.values.value(0));
            entry.failed = false;
        }
        m_entry->parameters.append(entry);
    }
    return exitCodeOf(results);
}

int DriveWork::set()
{
    struct Assignment
    {
        int row;
        QString text;
    };
    QVector<Assignment> assignments;
    QStringList problems;
    QStringList unknown;
    QHash<QString, quint16> rulingValues;
    for (const auto& pair : m_options.assignments()) {
        const int row = rowOf(pair.first);
        if (row < 0 || !m_set.row(row).hasAddress) {
            unknown << pair.first;
            continue;
        }
        const ParamAttributeStruct& attribute = m_set.row(row).attribute;
        if (attribute.writable.toUInt() == 0) {
            problems << QStringLiteral("%1 is read-only").arg(attribute.name);
            continue;
        }
        if (std::any_of(assignments.cbegin(), assignments.cend(),
                [row](const Assignment& a) { return a.row == row; })) {
            problems << QStringLiteral("%1 is given twice").arg(attribute.name);
            continue;
        }
        assignments.append({ row, pair.second });
        quint16 raw = 0;
        if (m_set.precisionRules().isTrigger(attribute.name)
            && ParamValue::parse(attribute, pair.second, &raw) == ParamValue::Problem::None)
            rulingValues.insert(attribute.name, raw);
    }

    if (!unknown.isEmpty())
        problems.prepend(unknownText(unknown));

    // A value goes in the decimals the command's own ruling values give it.
    const QHash<QString, int> precisions = m_set.precisionsAfter(rulingValues);
    ParamRequests writes;
    QHash<QString, QString> newText;
    for (const Assignment& assignment : qAsConst(assignments)) {
        const ParameterSet::Row& row = m_set.row(assignment.row);
        const ParamAttributeStruct attribute = ParamValue::withPrecision(
            row.attribute, precisions.value(row.attribute.name, ParamValue::format1(row.attribute)));
        quint16 raw = 0;
        const ParamValue::Problem problem = ParamValue::parse(attribute, assignment.text, &raw);
        if (problem != ParamValue::Problem::None) {
            problems << problemText(attribute, assignment.text, problem);
            continue;
        }
        writes.append({ row.attribute.name, row.address, raw });
        newText.insert(row.attribute.name, ParamValue::shownText(attribute, raw));
    }
    if (!problems.isEmpty())
        return fail(
            ExitInput, problems.join(QStringLiteral("; ")) + QStringLiteral(". Nothing was written."));

    writes = rulingFirst(writes);
    ParamRequests reads;
    for (const ParamRequest& write : qAsConst(writes))
        reads.append({ write.code, write.address, 0 });
    const QVector<ParameterBatch::Result> old
        = readValues(reads, m_label + QStringLiteral(" reading the old values"));
    if (Interrupt::instance()->isRequested())
        return fail(ExitInterrupted, QStringLiteral("interrupted before anything was written"));
    QStringList before;
    QStringList after;
    for (int i = 0; i < writes.size(); ++i) {
        const ParamAttributeStruct& attribute = m_set.row(m_set.rowOf(writes.at(i).code)).attribute;
        before << (old.at(i).outcome == Outcome::Done
                ? ParamValue::shownText(attribute, old.at(i).values.value(0))
                : noAnswer);
        after << newText.value(writes.at(i).code);
    }
    return writeValues(writes, before, after);
}

int DriveWork::writeValues(const ParamRequests& writes, const QStringList& before, const QStringList& after)
{
    QHash<int, QVector<quint16>> readBack;
    const QVector<ParameterBatch::Result> results = m_link->run(
        m_options.verify ? Kind::WriteVerify : Kind::Write, writes, m_label + QStringLiteral(" writing"),
        [&](int index, bool isReadBack, const QVector<quint16>& values) {
            if (isReadBack)
                readBack.insert(index, values);
            takeAnswer(writes.at(index).code, values);
        });
    for (int i = 0; i < results.size(); ++i) {
        const ParameterSet::Row& row = m_set.row(m_set.rowOf(writes.at(i).code));
        const QString readText = ParamValue::shownText(row.attribute, readBack.value(i).value(0));
        ParameterEntry entry { row.attribute.name, row.attribute.description, row.units, before.value(i),
            after.value(i), writeResult(results.at(i), readText),
            !ParameterBatch::isSuccess(results.at(i).outcome) };
        m_entry->parameters.append(entry);
    }
    const int code = exitCodeOf(results);
    if (code == ExitNotVerified)
        m_entry->message = QStringLiteral("not kept by the drive: %1").arg(codesWith(results, [](Outcome o) {
            return o == Outcome::NotKept || o == Outcome::ReadBackFailed;
        }).join(QStringLiteral(", ")));
    else if (code != ExitOk)
        m_entry->message = QStringLiteral("not written as asked: %1")
                               .arg(codesWith(results, notSuccess).join(QStringLiteral(", ")));
    return code;
}

int DriveWork::backup()
{
    m_entry->file = m_options.fileFor(m_entry->slave);
    const QVector<ParameterBatch::Result> results
        = readValues(m_set.readRequests(m_set.allRows()), m_label + QStringLiteral(" reading"));
    for (int row = 0; row < m_set.rowCount(); ++row) {
        const ParameterSet::Row& r = m_set.row(row);
        m_entry->parameters.append({ r.attribute.name, r.attribute.description, r.units, r.current, {}, {},
            ParameterSet::isFailure(r.state) });
    }
    const int code = exitCodeOf(results);
    if (code != ExitOk)
        return fail(code,
            QStringLiteral("%1 not read: the backup was not written")
                .arg(codesWith(results, notSuccess).join(QStringLiteral(", "))));
    if (!ParamFile::writeDocument(m_entry->file, m_set.exportDocument(quint8(m_definitions.family))))
        return fail(ExitFileNotWritten, QStringLiteral("%1 cannot be written").arg(m_entry->file));
    return ExitOk;
}

int DriveWork::compare(const QJsonObject& file)
{
    m_entry->file = m_options.fileFor(m_entry->slave);
    FileComparison comparison(m_set, file);
    m_entry->notInVersion = comparison.unknownCodes();
    m_entry->readOnly = comparison.readOnlyCodes();
    m_entry->withoutValue = comparison.emptyCodes();
    QStringList problems;
    for (const QString& code : comparison.unusableCodes())
        problems << QStringLiteral("%1: \"%2\" is no value of this parameter")
                        .arg(code, ParamFile::valueText(file, code));
    for (const QString& code : comparison.outOfRangeCodes()) {
        const ParamAttributeStruct& attribute = m_set.row(m_set.rowOf(code)).attribute;
        problems << QStringLiteral("%1: %2 lies outside its limits (%3 to %4)")
                        .arg(code, ParamFile::valueText(file, code), attribute.min, attribute.max);
    }
    if (!problems.isEmpty())
        return fail(ExitInput,
            QStringLiteral("%1 holds values that cannot be written: %2. Nothing was written.")
                .arg(m_entry->file, problems.join(QStringLiteral("; "))));
    if (!m_entry->notInVersion.isEmpty())
        m_entry->warnings << QStringLiteral("skipped, as %1 has no such parameter: %2")
                                 .arg(m_entry->deviceVersion,
                                     m_entry->notInVersion.join(QStringLiteral(", ")));

    const ParamRequests reads = comparison.reads();
    m_entry->compared = reads.size();
    const QVector<ParameterBatch::Result> results = m_link->run(Kind::Read, reads,
        m_label + QStringLiteral(" reading"), [&](int index, bool, const QVector<quint16>& values) {
            comparison.setDriveValue(reads.at(index).code, values);
            takeAnswer(reads.at(index).code, values);
        });
    const int code = exitCodeOf(results);
    if (code != ExitOk && m_options.command == Command::Restore)
        return fail(code,
            QStringLiteral("%1 not read: nothing was written")
                .arg(codesWith(results, notSuccess).join(QStringLiteral(", "))));
    if (m_options.command == Command::Restore)
        return restore(comparison);

    const QVector<FileComparison::Difference> differences = comparison.differences();
    for (const FileComparison::Difference& d : differences) {
        const ParameterSet::Row& row = m_set.row(d.row);
        m_entry->parameters.append({ d.code, d.name, row.units, d.driveRead ? d.driveText : noAnswer,
            d.fileText, {}, !d.driveRead });
    }
    if (code != ExitOk)
        return fail(code,
            QStringLiteral("%1 not read").arg(codesWith(results, notSuccess).join(QStringLiteral(", "))));
    return differences.isEmpty() ? ExitOk : ExitDifferent;
}

int DriveWork::restore(const FileComparison& comparison)
{
    const QVector<FileComparison::Difference> chosen
        = m_options.all ? comparison.comparedParameters() : comparison.differences();
    const ParamRequests writes = rulingFirst(comparison.writes(chosen));
    QStringList before;
    QStringList after;
    for (const ParamRequest& write : writes) {
        const auto found = std::find_if(chosen.cbegin(), chosen.cend(),
            [&write](const FileComparison::Difference& d) { return d.code == write.code; });
        before << found->driveText;
        after << found->fileText;
    }
    return writeValues(writes, before, after);
}

} // namespace Cli
