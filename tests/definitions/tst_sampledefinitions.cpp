// SPDX-License-Identifier: GPL-3.0-or-later
// Consistency of the drive definitions shipped in Driver/Config: every file must load with the
// tool's own readers, and the data must agree with the registers the tool reaches directly.

#include "Xml.h"
#include "definitions/DefinitionRecords.h"
#include "definitions/Parameter.h"
#include "definitions/ValueFormat.h"

#include <QtTest>

#include <cmath>

namespace {

const QString configRoot = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config");
const QString pictureRoot = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Pictures");
const QStringList families = { QStringLiteral("SERVO"), QStringLiteral("VFD") };
const QStringList languages = { QStringLiteral("EN"), QStringLiteral("CN") };
const QStringList definitionFiles = { QStringLiteral("ParamTable.xml"), QStringLiteral("Variables.xml"),
    QStringLiteral("ErrorCode.xml"), QStringLiteral("ControlFunction.xml") };

struct Row
{
    QString group;
    QString groupCode;
    quint8 authority = 0;
    ParamAttributeStruct param;
    quint16 address = 0;
};

QStringList versionsOf(const QString& family)
{
    return QDir(configRoot + QLatin1Char('/') + family).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

QString folderOf(const QString& family, const QString& version, const QString& language)
{
    return QStringLiteral("%1/%2/%3/%4/").arg(configRoot, family, version, language);
}

// Parameters of one file in table order, with their register addresses.
QList<Row> loadRows(const QString& folder, QStringList* headers = nullptr)
{
    Parameter parameter(folder + QStringLiteral("ParamTable.xml"), nullptr);
    if (!parameter.load())
        return {};
    if (headers)
        *headers = parameter.formatList();
    QList<Row> rows;
    for (const ParamGroupStruct& group : parameter.groups()) {
        for (const ParamAttributeStruct& param : group.params) {
            Row row;
            row.group = group.name;
            row.groupCode = group.code;
            row.authority = group.authority;
            row.param = param;
            bool ok = false;
            row.address = codeToAddress(group.code, param.name, &ok);
            if (!ok)
                row.address = 0xFFFF;
            rows.append(row);
        }
    }
    return rows;
}

QMap<quint16, Row> byAddress(const QList<Row>& rows)
{
    QMap<quint16, Row> map;
    for (const Row& row : rows)
        map.insert(row.address, row);
    return map;
}

QMap<QString, Row> byCode(const QList<Row>& rows)
{
    QMap<QString, Row> map;
    for (const Row& row : rows)
        map.insert(row.param.name, row);
    return map;
}

// A limit or factory text read in the number base of its format, as the value editors read it.
bool parseRaw(const QString& text, uint format1, qint64* raw)
{
    bool ok = false;
    if (format1 <= 7) {
        const double value = text.toDouble(&ok);
        *raw = std::llround(value * std::pow(10.0, format1));
        return ok && text.contains(QLatin1Char('.')) == (format1 > 0)
            && (format1 == 0 || text.section(QLatin1Char('.'), 1).size() == int(format1));
    }
    if (format1 == 8)
        *raw = text.toLongLong(&ok, 2);
    else if (format1 == 9)
        *raw = text.toLongLong(&ok, 16);
    else
        *raw = text.toLongLong(&ok, 10);
    return ok;
}

void addFolderRows(const QString& only = QString())
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("folder");
    for (const QString& family : families)
        if (only.isEmpty() || family == only)
            for (const QString& version : versionsOf(family))
                for (const QString& language : languages)
                    QTest::newRow(
                        qPrintable(family + QLatin1Char('/') + version + QLatin1Char('/') + language))
                        << family << folderOf(family, version, language);
}

void addVersionRows()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("version");
    for (const QString& family : families)
        for (const QString& version : versionsOf(family))
            QTest::newRow(qPrintable(family + QLatin1Char('/') + version)) << family << version;
}

} // namespace

class TestSampleDefinitions : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void everyFileLoads_data() { addFolderRows(); }
    void everyFileLoads();
    void limitsAndFactoryValues_data() { addFolderRows(); }
    void limitsAndFactoryValues();
    void registersAreUnique_data() { addFolderRows(); }
    void registersAreUnique();
    void servoRegisters_data() { addFolderRows(QStringLiteral("SERVO")); }
    void servoRegisters();
    void vfdRegisters_data() { addFolderRows(QStringLiteral("VFD")); }
    void vfdRegisters();
    void monitoringGroup_data() { addFolderRows(QStringLiteral("VFD")); }
    void monitoringGroup();
    void variables_data() { addFolderRows(); }
    void variables();
    void controlFunctions_data() { addFolderRows(); }
    void controlFunctions();
    void languagesAgree_data() { addVersionRows(); }
    void languagesAgree();
    void picturesHaveDefinitions();
};

void TestSampleDefinitions::initTestCase()
{
    for (const QString& family : families)
        QVERIFY2(
            !versionsOf(family).isEmpty(), qPrintable(family + QStringLiteral(" has no device version")));
}

void TestSampleDefinitions::everyFileLoads()
{
    QFETCH(QString, folder);
    for (const QString& file : definitionFiles)
        QVERIFY2(QFile::exists(folder + file), qPrintable(folder + file));

    QStringList headers;
    const QList<Row> rows = loadRows(folder, &headers);
    QVERIFY(!rows.isEmpty());
    QCOMPARE(headers.size(), 11);
    QVERIFY(headers.at(0).isEmpty());

    QVector<VariableRecord> variables;
    QVERIFY(Xml::readVariables(folder + QStringLiteral("Variables.xml"), variables));
    QVERIFY(!variables.isEmpty());
    QMap<int, QString> faults;
    QVERIFY(Xml::readErrorCodes(folder + QStringLiteral("ErrorCode.xml"), faults));
    QVERIFY(faults.size() >= 20);
    for (const QString& name : faults)
        QVERIFY(!name.isEmpty());
    QMultiMap<QString, ControlFunctionRecord> functions;
    QVERIFY(Xml::readControlFunctions(folder + QStringLiteral("ControlFunction.xml"), functions));
    QVERIFY(functions.uniqueKeys().size() >= 2);
}

void TestSampleDefinitions::limitsAndFactoryValues()
{
    QFETCH(QString, folder);
    const QList<Row> rows = loadRows(folder);
    QVERIFY(!rows.isEmpty());
    for (const Row& row : rows) {
        const ParamAttributeStruct& p = row.param;
        const QByteArray what = p.name.toUtf8();
        bool ok = false;
        const uint format1 = p.format1.toUInt(&ok);
        QVERIFY2(ok, what.constData());
        QVERIFY2(p.format2 == QLatin1String("0") || p.format2 == QLatin1String("1"), what.constData());
        const uint writable = p.writable.toUInt(&ok);
        QVERIFY2(ok && writable <= 2, what.constData());
        const uint effect = p.effect.toUInt(&ok);
        QVERIFY2(ok && effect <= 2, what.constData());
        QVERIFY2(writable != 0 || effect == 0, what.constData());
        QVERIFY2(!p.description.isEmpty() && !p.toolTips.isEmpty(), what.constData());

        if (!p.indexList.isEmpty()) {
            // The table finds the entry of a read value by a substring test, first hit wins, so the
            // values must be plain ascending numbers for the right entry to come first.
            qint64 previous = -1;
            bool defaultFound = false;
            for (const QStringList& entry : p.indexList) {
                QCOMPARE(entry.size(), 2);
                const qint64 value = entry.at(1).toLongLong(&ok);
                QVERIFY2(ok && value > previous, what.constData());
                QVERIFY2(!entry.at(0).isEmpty(), what.constData());
                previous = value;
                defaultFound = defaultFound || entry.at(1) == p.defaultValue;
            }
            QVERIFY2(defaultFound, what.constData());
            QCOMPARE(p.min, p.indexList.first().at(1));
            QCOMPARE(p.max, p.indexList.last().at(1));
            continue;
        }

        qint64 min = 0, max = 0, factory = 0;
        QVERIFY2(parseRaw(p.min, format1, &min), what.constData());
        QVERIFY2(parseRaw(p.max, format1, &max), what.constData());
        QVERIFY2(parseRaw(p.defaultValue, format1, &factory), what.constData());
        QVERIFY2(min <= factory && factory <= max, what.constData());
        const bool isSigned = p.format2 == QLatin1String("1");
        QVERIFY2(min >= (isSigned ? -32768 : 0), what.constData());
        QVERIFY2(max <= (isSigned ? 32767 : 65535), what.constData());
        // The current-value cell is compared with the factory text as the tool prints the register.
        QCOMPARE(registerToText(quint16(factory), quint8(format1), isSigned ? 1 : 0), p.defaultValue);
    }
}

void TestSampleDefinitions::registersAreUnique()
{
    QFETCH(QString, folder);
    const QList<Row> rows = loadRows(folder);
    QSet<quint16> seen;
    QSet<QString> codes;
    bool adminGroup = false;
    for (const Row& row : rows) {
        const QString& code = row.param.name;
        QVERIFY2(code.startsWith(row.group + QLatin1Char('-')), qPrintable(code));
        const uint index = code.section(QLatin1Char('-'), 1).toUInt();
        QVERIFY2(index <= 0xFF && row.address != 0xFFFF, qPrintable(code));
        QVERIFY2(!seen.contains(row.address), qPrintable(code));
        QVERIFY2(!codes.contains(code), qPrintable(code));
        seen.insert(row.address);
        codes.insert(code);
        adminGroup = adminGroup || row.authority == 1;
    }
    QVERIFY(adminGroup);
}

void TestSampleDefinitions::servoRegisters()
{
    QFETCH(QString, folder);
    const QList<Row> rows = loadRows(folder);
    const QMap<quint16, Row> registers = byAddress(rows);
    QVERIFY(rows.size() >= 200);

    // Writing these starts or resets something on the drive.
    for (quint16 command : { 0, 1, 60, 181, 400, 401, 402, 514, 515, 640 })
        QVERIFY2(!registers.contains(command), qPrintable(QString::number(command)));
    for (const Row& row : rows)
        QVERIFY2(row.address < 0x1000 || row.address > 0x101B, qPrintable(row.param.name));

    // Settings the motion and IO pages write directly.
    for (quint16 setting : { 55, 57, 149, 168, 169, 644 }) {
        QVERIFY2(registers.contains(setting), qPrintable(QString::number(setting)));
        QVERIFY(registers.value(setting).param.writable != QLatin1String("0"));
    }
    QCOMPARE(registers.value(55).param.format1, QStringLiteral("8"));
    QCOMPARE(registers.value(57).param.format1, QStringLiteral("8"));

    // The function codes of the IO page's lists.
    const QList<int> diCodes = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 16, 18, 19, 20, 21, 22, 23, 27,
        28, 29, 30, 31, 33, 34, 37, 38, 39, 40 };
    const QList<int> doCodes = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 18 };
    auto values = [](const ParamAttributeStruct& p) {
        QList<int> list;
        for (const QStringList& entry : p.indexList)
            list.append(entry.at(1).toInt());
        return list;
    };
    for (quint16 address = 256; address <= 263; ++address) {
        QVERIFY(registers.contains(address));
        QCOMPARE(registers.value(address).param.name,
            QStringLiteral("P1-%1").arg(address - 256, 2, 10, QLatin1Char('0')));
        QCOMPARE(values(registers.value(address).param), diCodes);
    }
    for (quint16 address = 276; address <= 281; ++address) {
        QVERIFY(registers.contains(address));
        const QList<int> entries = values(registers.value(address).param);
        for (int code : doCodes)
            QVERIFY2(entries.contains(code), qPrintable(QString::number(code)));
        // Entries start at 0, so the table's substring lookup of a read 0 cannot land on 10.
        QCOMPARE(entries.first(), 0);
    }

    // Every kind of value the table can show.
    QSet<QString> formats;
    bool signedValue = false, readOnly = false, colonEnumeration = false;
    QSet<QString> writables, effects;
    for (const Row& row : rows) {
        formats.insert(row.param.format1);
        signedValue = signedValue || row.param.format2 == QLatin1String("1");
        readOnly = readOnly || row.param.writable == QLatin1String("0");
        writables.insert(row.param.writable);
        effects.insert(row.param.effect);
        for (const QStringList& entry : row.param.indexList)
            colonEnumeration = colonEnumeration || entry.at(0).startsWith(entry.at(1) + QLatin1Char(':'));
    }
    for (int f = 0; f <= 10; ++f)
        QVERIFY2(formats.contains(QString::number(f)), qPrintable(QString::number(f)));
    QVERIFY(signedValue && readOnly && colonEnumeration);
    QCOMPARE(writables.size(), 3);
    QCOMPARE(effects.size(), 3);
}

void TestSampleDefinitions::vfdRegisters()
{
    QFETCH(QString, folder);
    const QList<Row> rows = loadRows(folder);
    const QMap<quint16, Row> registers = byAddress(rows);
    const QMap<QString, Row> codes = byCode(rows);

    for (quint16 command : { 2, 3, 8, 0x1F00, 0x1F01, 0x2000, 0x3000, 0x8000, 0xFD00, 0xFD01, 0xFD02 })
        QVERIFY2(!registers.contains(command), qPrintable(QString::number(command, 16)));

    // What the status poll and the control panel read, under the tags they use.
    const QList<QPair<QString, quint16>> polled = {
        { QStringLiteral("P0-19"), 0xF013 },
        { QStringLiteral("P0-22"), 0xF016 },
        { QStringLiteral("P0-12"), 0xF00C },
        { QStringLiteral("PF-00"), 0xFF00 },
        { QStringLiteral("PF-01"), 0xFF01 },
        { QStringLiteral("PF-03"), 0xFF03 },
        { QStringLiteral("P0-02"), 0xF002 },
    };
    for (const auto& entry : polled) {
        QVERIFY2(registers.contains(entry.second), qPrintable(entry.first));
        QCOMPARE(registers.value(entry.second).param.name, entry.first);
    }
    QVERIFY(codes.contains(QStringLiteral("P7-12")));
    QVERIFY(codes.value(QStringLiteral("PF-00")).param.writable != QLatin1String("0"));
    QCOMPARE(codes.value(QStringLiteral("PF-03")).param.writable, QStringLiteral("0"));
    const ParamAttributeStruct source = codes.value(QStringLiteral("P0-02")).param;
    QCOMPARE(source.indexList.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(source.indexList.at(i).at(1), QString::number(i));
    const ParamAttributeStruct resolution = codes.value(QStringLiteral("P0-22")).param;
    QCOMPARE(resolution.defaultValue, QStringLiteral("2"));

    // The motor data whose decimals follow the power class: as stored, they are those of a class
    // up to 21, which the factory power class must then be.
    QVERIFY(codes.value(QStringLiteral("PF-01")).param.defaultValue.toInt() <= 21);
    const QList<QPair<QStringList, QString>> precision = {
        { { "P1-03", "P1-10", "B2-03", "B2-10" }, "2" },
        { { "P1-06", "P1-07", "B2-06", "B2-07" }, "3" },
        { { "P1-08", "B2-08" }, "2" },
        { { "P1-09", "B2-09" }, "1" },
    };
    for (const auto& entry : precision)
        for (const QString& code : entry.first) {
            QVERIFY2(codes.contains(code), qPrintable(code));
            QCOMPARE(codes.value(code).param.format1, entry.second);
        }
    QVERIFY(codes.contains(QStringLiteral("B2-03")));
    QCOMPARE(codes.value(QStringLiteral("B2-03")).groupCode, QStringLiteral("B2"));
}

void TestSampleDefinitions::monitoringGroup()
{
    QFETCH(QString, folder);
    // The realtime refresh reads 60 registers from 0x7000 and fills the D0 rows in table order.
    QList<Row> d0;
    for (const Row& row : loadRows(folder))
        if (row.group == QLatin1String("D0"))
            d0.append(row);
    QCOMPARE(d0.size(), 60);
    for (int k = 0; k < d0.size(); ++k) {
        QCOMPARE(d0.at(k).param.name, QStringLiteral("D0-%1").arg(k, 2, 10, QLatin1Char('0')));
        QCOMPARE(d0.at(k).address, quint16(0x7000 + k));
        QCOMPARE(d0.at(k).param.writable, QStringLiteral("0"));
    }
}

void TestSampleDefinitions::variables()
{
    QFETCH(QString, family);
    QFETCH(QString, folder);
    QVector<VariableRecord> variables;
    QVERIFY(Xml::readVariables(folder + QStringLiteral("Variables.xml"), variables));
    const QMap<QString, Row> codes = byCode(loadRows(folder));
    QSet<QString> names;
    for (const VariableRecord& v : variables) {
        QVERIFY2(v.length == 1 || v.length == 2, qPrintable(v.name));
        QVERIFY2(!v.description.isEmpty() && v.code != 0, qPrintable(v.name));
        QVERIFY2(v.format2 <= 1, qPrintable(v.name));
        names.insert(v.name);
        // A variable that is also a D0 parameter is shown the same way in both places.
        if (codes.contains(v.name)) {
            const Row row = codes.value(v.name);
            QCOMPARE(v.code, row.address);
            QCOMPARE(QString::number(v.format1), row.param.format1);
            QCOMPARE(QString::number(v.format2), row.param.format2);
        }
    }
    if (family == QLatin1String("VFD")) {
        for (const char* name : { "D0-00", "D0-01", "D0-14", "D0-19", "D0-29", "D0-30", "D0-31", "D0-69" })
            QVERIFY2(names.contains(QLatin1String(name)), name);
    } else {
        // The monitor page's status block: speed, position, following error, torque, current.
        QMap<quint16, VariableRecord> at;
        for (const VariableRecord& v : variables)
            at.insert(v.code, v);
        QCOMPARE(at.value(0x1000).format2, quint8(1));
        QCOMPARE(at.value(0x1001).length, quint8(2));
        QCOMPARE(at.value(0x1005).length, quint8(2));
        QCOMPARE(at.value(0x1008).format1, quint8(2));
        QCOMPARE(at.value(0x100A).format1, quint8(1));
    }
}

void TestSampleDefinitions::controlFunctions()
{
    QFETCH(QString, folder);
    const QMap<QString, Row> codes = byCode(loadRows(folder));
    QMultiMap<QString, ControlFunctionRecord> functions;
    QVERIFY(Xml::readControlFunctions(folder + QStringLiteral("ControlFunction.xml"), functions));
    for (auto it = functions.cbegin(); it != functions.cend(); ++it) {
        QVERIFY2(codes.contains(it.key()), qPrintable(it.key()));
        QVERIFY(!it.value().triggers.isEmpty());
        QVERIFY(!it.value().effectCodes.isEmpty());
        for (const QStringList& unitAndPrecision : it.value().triggers) {
            QCOMPARE(unitAndPrecision.size(), 2);
            bool ok = false;
            QVERIFY(unitAndPrecision.at(1).toUInt(&ok) <= 7 && ok);
        }
        // The decimals in the file are those that the trigger's factory value selects.
        const int factory = codes.value(it.key()).param.defaultValue.toInt();
        for (const QString& effect : it.value().effectCodes) {
            QVERIFY2(codes.contains(effect), qPrintable(effect));
            if (it.value().triggers.contains(factory))
                QCOMPARE(codes.value(effect).param.format1, it.value().triggers.value(factory).at(1));
        }
    }
}

void TestSampleDefinitions::languagesAgree()
{
    QFETCH(QString, family);
    QFETCH(QString, version);
    const QString en = folderOf(family, version, QStringLiteral("EN"));
    const QString cn = folderOf(family, version, QStringLiteral("CN"));

    static const QRegularExpression chinese(QStringLiteral("[\\x{4E00}-\\x{9FFF}]"));
    Parameter enTable(en + QStringLiteral("ParamTable.xml"), nullptr);
    Parameter cnTable(cn + QStringLiteral("ParamTable.xml"), nullptr);
    QVERIFY(enTable.load() && cnTable.load());
    QCOMPARE(cnTable.groups().size(), enTable.groups().size());
    for (int g = 0; g < enTable.groups().size(); ++g) {
        const ParamGroupStruct a = enTable.groups().value(g);
        const ParamGroupStruct b = cnTable.groups().value(g);
        QCOMPARE(b.name, a.name);
        QCOMPARE(b.code, a.code);
        QCOMPARE(b.authority, a.authority);
        QVERIFY2(!a.description.isEmpty() && b.description.contains(chinese), qPrintable(b.name));
    }
    QCOMPARE(cnTable.formatList().size(), enTable.formatList().size());

    const QList<Row> enRows = loadRows(en);
    const QList<Row> cnRows = loadRows(cn);
    QCOMPARE(cnRows.size(), enRows.size());
    for (int i = 0; i < enRows.size(); ++i) {
        const ParamAttributeStruct& a = enRows.at(i).param;
        const ParamAttributeStruct& b = cnRows.at(i).param;
        QCOMPARE(b.name, a.name);
        QCOMPARE(cnRows.at(i).groupCode, enRows.at(i).groupCode);
        QCOMPARE(cnRows.at(i).authority, enRows.at(i).authority);
        QCOMPARE(b.min, a.min);
        QCOMPARE(b.max, a.max);
        QCOMPARE(b.defaultValue, a.defaultValue);
        QCOMPARE(b.writable, a.writable);
        QCOMPARE(b.effect, a.effect);
        QCOMPARE(b.format1, a.format1);
        QCOMPARE(b.format2, a.format2);
        QCOMPARE(b.indexList.size(), a.indexList.size());
        for (int k = 0; k < a.indexList.size(); ++k)
            QCOMPARE(b.indexList.at(k).at(1), a.indexList.at(k).at(1));
        QVERIFY2(b.description.contains(chinese), qPrintable(b.name));
        QVERIFY2(b.toolTips.contains(chinese), qPrintable(b.name));
    }

    QVector<VariableRecord> enVariables, cnVariables;
    QVERIFY(Xml::readVariables(en + QStringLiteral("Variables.xml"), enVariables));
    QVERIFY(Xml::readVariables(cn + QStringLiteral("Variables.xml"), cnVariables));
    QCOMPARE(cnVariables.size(), enVariables.size());
    for (int i = 0; i < enVariables.size(); ++i) {
        QCOMPARE(cnVariables.at(i).name, enVariables.at(i).name);
        QCOMPARE(cnVariables.at(i).code, enVariables.at(i).code);
        QCOMPARE(cnVariables.at(i).length, enVariables.at(i).length);
        QCOMPARE(cnVariables.at(i).format1, enVariables.at(i).format1);
        QCOMPARE(cnVariables.at(i).format2, enVariables.at(i).format2);
        QVERIFY2(cnVariables.at(i).description.contains(chinese), qPrintable(cnVariables.at(i).name));
    }

    QMap<int, QString> enFaults, cnFaults;
    QVERIFY(Xml::readErrorCodes(en + QStringLiteral("ErrorCode.xml"), enFaults));
    QVERIFY(Xml::readErrorCodes(cn + QStringLiteral("ErrorCode.xml"), cnFaults));
    QCOMPARE(cnFaults.keys(), enFaults.keys());
    for (const QString& name : cnFaults)
        QVERIFY2(name.contains(chinese), qPrintable(name));

    QMultiMap<QString, ControlFunctionRecord> enFunctions, cnFunctions;
    QVERIFY(Xml::readControlFunctions(en + QStringLiteral("ControlFunction.xml"), enFunctions));
    QVERIFY(Xml::readControlFunctions(cn + QStringLiteral("ControlFunction.xml"), cnFunctions));
    QCOMPARE(cnFunctions.keys(), enFunctions.keys());
    const QList<ControlFunctionRecord> a = enFunctions.values();
    const QList<ControlFunctionRecord> b = cnFunctions.values();
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(b.at(i).effectCodes, a.at(i).effectCodes);
        QCOMPARE(b.at(i).triggers.keys(), a.at(i).triggers.keys());
        for (int value : a.at(i).triggers.keys())
            QCOMPARE(b.at(i).triggers.value(value).at(1), a.at(i).triggers.value(value).at(1));
    }
}

void TestSampleDefinitions::picturesHaveDefinitions()
{
    // The connection page offers one version per picture and reads its definitions from the
    // folder of the same name.
    for (const QString& family : families) {
        const QFileInfoList pictures
            = QDir(pictureRoot + QLatin1Char('/') + family).entryInfoList(QDir::Files);
        QVERIFY2(!pictures.isEmpty(), qPrintable(family));
        QSet<QString> pictured;
        for (const QFileInfo& picture : pictures) {
            const QString version = picture.completeBaseName();
            pictured.insert(version);
            for (const QString& language : languages)
                for (const QString& file : definitionFiles)
                    QVERIFY2(QFile::exists(folderOf(family, version, language) + file),
                        qPrintable(family + QLatin1Char('/') + version + QLatin1Char('/') + language
                            + QLatin1Char('/') + file));
        }
        for (const QString& version : versionsOf(family))
            QVERIFY2(pictured.contains(version), qPrintable(version + QStringLiteral(" has no picture")));
    }
}

QTEST_GUILESS_MAIN(TestSampleDefinitions)
#include "tst_sampledefinitions.moc"
