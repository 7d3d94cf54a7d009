// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParameterSet.h"

#include "definitions/DefinitionReaders.h"
#include "definitions/ValueFormat.h"
#include "engine/ParamFile.h"
#include "engine/ParamValue.h"
#include "engine/RealtimeRefresh.h"

namespace {

const QString monitoringGroup = QStringLiteral("D0");

ParameterSet::Access accessOf(const QString& writable)
{
    bool ok = false;
    const uint value = writable.toUInt(&ok);
    if (!ok)
        return ParameterSet::Access::Unknown;
    switch (quint8(value)) {
    case 0:
        return ParameterSet::Access::ReadOnly;
    case 1:
        return ParameterSet::Access::WhileStopped;
    case 2:
        return ParameterSet::Access::Any;
    default:
        return ParameterSet::Access::Unknown;
    }
}

ParameterSet::Effect effectOf(const QString& effect)
{
    bool ok = false;
    const uint value = effect.toUInt(&ok);
    if (!ok)
        return ParameterSet::Effect::Unknown;
    switch (value) {
    case 0:
        return ParameterSet::Effect::None;
    case 1:
        return ParameterSet::Effect::Immediately;
    case 2:
        return ParameterSet::Effect::AfterRestart;
    default:
        return ParameterSet::Effect::Unknown;
    }
}

bool isShownInMode(const ParamGroupStruct& group, bool administrator)
{
    return administrator || group.authority != 1;
}

int entryNamed(const QList<QStringList>& entries, const QString& name)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).value(0) == name)
            return i;
    }
    return -1;
}

} // namespace

ParameterSet::ParameterSet(QObject* parent)
    : QObject(parent)
{
}

void ParameterSet::load(const QString& folder, QList<DefinitionError>* errors)
{
    Parameter parameter(folder + QStringLiteral("ParamTable.xml"), nullptr);
    if (!parameter.load() && errors)
        errors->append(parameter.error());
    QMultiMap<QString, ControlFunctionRecord> functions;
    DefinitionError functionError;
    DefinitionReaders::readControlFunctions(
        folder + QStringLiteral("ControlFunction.xml"), functions, &functionError);
    if (functionError.isError() && errors)
        errors->append(functionError);
    PrecisionRules rules;
    rules.setControlFunctions(functions);
    setPrecisionRules(rules);
    setDefinitions(parameter.formatList(), parameter.groups());
    build(false);
}

void ParameterSet::setDefinitions(const QStringList& headers, const QMap<int, ParamGroupStruct>& groups)
{
    m_headers = headers;
    m_groups = groups;
}

void ParameterSet::setPrecisionRules(const PrecisionRules& rules)
{
    m_rules = rules;
}

QVector<ParamGroupStruct> ParameterSet::groups(bool administrator) const
{
    QVector<ParamGroupStruct> groups;
    for (const ParamGroupStruct& group : m_groups) {
        if (isShownInMode(group, administrator))
            groups.append(group);
    }
    return groups;
}

ParameterSet::Row ParameterSet::makeRow(
    const ParamGroupStruct& group, const ParamAttributeStruct& attribute) const
{
    Row row;
    row.attribute = attribute;
    row.groupName = group.name;
    row.groupCode = group.code;
    row.address = codeToAddress(group.code, attribute.name, &row.hasAddress);
    bool writableOk = false;
    row.readOnly = attribute.writable.toUInt(&writableOk) == 0 && writableOk;
    row.access = accessOf(attribute.writable);
    row.effect = effectOf(attribute.effect);
    row.factory = attribute.defaultValue;
    row.units = attribute.units;
    return row;
}

void ParameterSet::build(bool administrator)
{
    emit aboutToRebuild();
    m_administrator = administrator;
    m_rows.clear();
    m_firstRowOfCode.clear();
    m_realtimeRows.clear();
    for (const ParamGroupStruct& group : qAsConst(m_groups)) {
        if (!isShownInMode(group, administrator))
            continue;
        for (const ParamAttributeStruct& attribute : group.params) {
            if (!m_firstRowOfCode.contains(attribute.name))
                m_firstRowOfCode.insert(attribute.name, m_rows.size());
            if (group.name == monitoringGroup)
                m_realtimeRows.append(m_rows.size());
            m_rows.append(makeRow(group, attribute));
        }
    }
    emit rebuilt();
}

int ParameterSet::rowOf(const QString& code) const
{
    return m_firstRowOfCode.value(code, -1);
}

QVector<int> ParameterSet::allRows() const
{
    QVector<int> rows(m_rows.size());
    for (int i = 0; i < rows.size(); ++i)
        rows[i] = i;
    return rows;
}

void ParameterSet::changed(int row, Change change)
{
    if (change == Change::Current)
        emit currentChanged(row);
    else
        emit rowChanged(row);
}

template <typename T> void ParameterSet::set(int row, T Row::*member, const T& value, Change change)
{
    m_rows[row].*member = value;
    changed(row, change);
}

void ParameterSet::setSetting(int row, const QString& text)
{
    set(row, &Row::setting, text);
}

void ParameterSet::setSettingRaw(int row, const QVariant& raw)
{
    set(row, &Row::settingRaw, raw);
}

void ParameterSet::setSettingPosition(int row, const QVariant& position)
{
    set(row, &Row::settingPosition, position);
}

void ParameterSet::setCurrent(int row, const QString& text)
{
    set(row, &Row::current, text, Change::Current);
}

void ParameterSet::setState(int row, State state)
{
    set(row, &Row::state, state, Change::Current);
}

void ParameterSet::paintAgainstFactory(Row& row, const QString& value)
{
    row.state = value == row.factory || row.factory.isEmpty() ? State::Read : State::DiffersFromFactory;
}

void ParameterSet::applyAnswer(int row, const QVector<quint16>& values, State failure)
{
    Row& r = m_rows[row];
    if (values.isEmpty()) {
        r.state = failure;
    } else if (!r.attribute.indexList.isEmpty()) {
        const int entry = ParamFile::findIndexEntry(r.attribute.indexList, QString::number(values.at(0)));
        if (entry >= 0) {
            r.current = r.attribute.indexList.at(entry).value(0);
            paintAgainstFactory(r, r.attribute.indexList.at(entry).value(1));
        } else {
            r.current.clear();
        }
    } else {
        r.current = ParamValue::displayText(r.attribute, values);
        paintAgainstFactory(r, r.current);
    }
    changed(row, Change::Current);
}

void ParameterSet::showFileValue(int row, const QString& text)
{
    Row& r = m_rows[row];
    if (!r.attribute.indexList.isEmpty() && !text.isEmpty()) {
        int entry = ParamFile::findIndexEntry(r.attribute.indexList, text);
        // An entry without a leading number is saved under its name.
        if (entry < 0)
            entry = entryNamed(r.attribute.indexList, text);
        if (entry < 0)
            return;
        r.current = r.attribute.indexList.at(entry).value(0);
        paintAgainstFactory(r, r.attribute.indexList.at(entry).value(1));
    } else {
        r.current = text;
        paintAgainstFactory(r, text);
    }
    changed(row, Change::Current);
}

void ParameterSet::applyRescales(const QString& tag, const QVector<quint16>& values)
{
    const QVector<Rescale> rescales = m_rules.rescalesFor(tag, values);
    if (rescales.isEmpty())
        return;
    for (const Rescale& rescale : rescales) {
        for (int row = 0; row < m_rows.size(); ++row) {
            if (m_rows.at(row).attribute.name == rescale.code)
                setPrecision(row, rescale.precision, rescale.unit);
        }
    }
}

void ParameterSet::setPrecision(int row, int precision, const QString& unit)
{
    Row& r = m_rows[row];
    const quint8 oldPrecision = ParamValue::format1(r.attribute);
    if (precision == int(oldPrecision))
        return;
    const quint8 newPrecision = quint8(precision);
    // An empty text stays empty: turning it into 0 would make a parameter without factory value
    // differ from it.
    for (QString* text : { &r.factory, &r.attribute.min, &r.attribute.max, &r.current, &r.setting })
        *text = ParamValue::rescaledText(*text, oldPrecision, newPrecision);
    if (!unit.isEmpty())
        r.units = unit;
    r.attribute.format1 = QString::number(precision);
    changed(row);
}

bool ParameterSet::applyRealtimeBlock(const QString& tag, const QVector<quint16>& values)
{
    int first = 0;
    int count = 0;
    if (!RealtimeRefresh::parseTag(tag, &first, &count))
        return false;
    for (int k = 0; k < count; ++k) {
        const int key = first + k;
        if (key < 0 || key >= m_realtimeRows.size())
            continue;
        Row& r = m_rows[m_realtimeRows.at(key)];
        if (values.size() == count) {
            r.current = registerToText(
                values.at(k), ParamValue::format1(r.attribute), ParamValue::format2(r.attribute));
            r.state = State::Realtime;
        } else {
            r.state = State::ReadFailed;
        }
        changed(m_realtimeRows.at(key), Change::Current);
    }
    return true;
}

bool ParameterSet::isFailure(State state)
{
    return state == State::ReadFailed || state == State::WriteFailed || state == State::NotKept;
}

bool ParameterSet::differs(int row, Comparison comparison) const
{
    const Row& r = m_rows.at(row);
    const QList<QStringList>& entries = r.attribute.indexList;
    switch (comparison) {
    case Comparison::SettingNotCurrent:
        return r.setting != r.current;
    case Comparison::SettingNotFactory:
        // An enumeration's setting shows the entry's name; its register value is what compares.
        if (entries.isEmpty() || r.setting.isEmpty() || r.factory.isEmpty())
            return r.setting != r.factory;
        return r.settingRaw.toInt() != r.factory.toInt();
    case Comparison::CurrentNotFactory:
        if (entries.isEmpty() || r.current.isEmpty() || r.factory.isEmpty())
            return r.factory != r.current;
        for (const QStringList& entry : entries) {
            if ((entry.value(0) == r.current || entry.value(1) == r.current) && entry.value(1) == r.factory)
                return false;
        }
        return true;
    }
    return false;
}

ParamRequests ParameterSet::readRequests(const QVector<int>& rows) const
{
    ParamRequests requests;
    for (int row : rows) {
        const Row& r = m_rows.at(row);
        if (r.hasAddress)
            requests.append({ r.attribute.name, r.address, 0 });
    }
    return requests;
}

ParamRequests ParameterSet::writeRequests(const QVector<int>& rows) const
{
    ParamRequests requests;
    for (int row : rows) {
        const Row& r = m_rows.at(row);
        if (r.hasAddress && r.settingRaw.isValid())
            requests.append({ r.attribute.name, r.address, quint16(r.settingRaw.toInt()) });
    }
    return requests;
}

QList<QPair<QString, QString>> ParameterSet::exportValues() const
{
    QList<QPair<QString, QString>> values;
    for (const Row& r : m_rows)
        values.append(qMakePair(r.attribute.name, r.current));
    return values;
}

QByteArray ParameterSet::exportDocument(quint8 device) const
{
    return ParamFile::buildDocument(device, exportValues());
}

bool ParameterSet::fileRaw(int row, const QString& text, quint16* raw) const
{
    const Row& r = m_rows.at(row);
    qint64 value = 0;
    if (r.attribute.writable.toUInt() == 0 || !ParamValue::fileNumber(r.attribute, text, &value))
        return false;
    *raw = quint16(value & 0xFFFF);
    return true;
}

QHash<QString, int> ParameterSet::precisionsAfter(const QHash<QString, quint16>& triggerValues) const
{
    QHash<QString, int> precisions;
    for (const Row& r : m_rows) {
        const auto value = triggerValues.constFind(r.attribute.name);
        if (value == triggerValues.constEnd() || !m_rules.isTrigger(r.attribute.name))
            continue;
        const QVector<Rescale> rescales = m_rules.rescalesFor(r.attribute.name, { value.value() });
        for (const Rescale& rescale : rescales)
            precisions.insert(rescale.code, rescale.precision);
    }
    return precisions;
}

ParamRequests ParameterSet::importValues(const QJsonObject& file)
{
    ParamRequests writes;
    for (int row = 0; row < m_rows.size(); ++row) {
        const Row& r = m_rows.at(row);
        if (!file.contains(r.attribute.name))
            continue;
        const QString text = ParamFile::valueText(file, r.attribute.name);
        quint16 raw = 0;
        if (r.hasAddress && fileRaw(row, text, &raw))
            writes.append({ r.attribute.name, r.address, raw });
        showFileValue(row, text);
    }
    return writes;
}
