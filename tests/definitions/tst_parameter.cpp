// SPDX-License-Identifier: GPL-3.0-or-later
#include "definitions/Parameter.h"

#include <QtTest>

class TestParameter : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void codeToAddress_data();
    void codeToAddress();
    void codeToAddressWithoutOkFlag();

    void metatypeRegistered();
    void formatOnlyFile();
    void formatsAccumulate();
    void parameterAttributes();
    void groupsKeepDocumentOrder();
    void authority_data();
    void authority();
    void commentsGiveEmptyRecords();
    void childrenOfParameter();

    void failedLoadKeepsContent_data();
    void failedLoadKeepsContent();

private:
    QString writeFile(const QByteArray& content);
    QScopedPointer<QTemporaryDir> dir;
};

static const QByteArray goodFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<ParamTable>
    <Format><C>Code</C><N>Name</N></Format>
    <Group name="P0" description="Basic" authority="0" code="0">
        <Param name="P0-00" description="Mode"/>
    </Group>
</ParamTable>
)";

void TestParameter::init()
{
    // A fresh folder per test function keeps parallel runs and earlier rows apart.
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
}

QString TestParameter::writeFile(const QByteArray& content)
{
    const QString path = dir->filePath(QStringLiteral("ParamTable.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(content);
    return path;
}

void TestParameter::codeToAddress_data()
{
    QTest::addColumn<QString>("groupCode");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("ok");

    QTest::newRow("P0-22") << "0"
                           << "P0-22" << 0x0016 << true;
    QTest::newRow("PF-01") << "F"
                           << "PF-01" << 0x0F01 << true;
    QTest::newRow("B2-03") << "B2"
                           << "B2-03" << 0xB203 << true;
    QTest::newRow("D0-05") << "70"
                           << "D0-05" << 0x7005 << true;
    QTest::newRow("index above a byte") << "0"
                                        << "P0-300" << 0x002C << true;
    QTest::newRow("index not a number") << "0"
                                        << "P0-x" << 0x0000 << false;
    QTest::newRow("leading blank, lower case") << "0"
                                               << " p0-22" << 0x0016 << true;
    QTest::newRow("several leading blanks") << "0"
                                            << "   p0-22" << 0x0016 << true;
    QTest::newRow("lower-case hex index rejected") << "1"
                                                   << "P1-1a" << 0x0100 << false;
    QTest::newRow("0x prefix on group code") << "0x1A"
                                             << "P1A-02" << 0x1A02 << true;
    QTest::newRow("lower-case group code") << "b2"
                                           << "B2-03" << 0xB203 << true;
    QTest::newRow("unparsable group code") << "zz"
                                           << "P0-22" << 0x0016 << true;
    QTest::newRow("empty group code") << ""
                                      << "P0-01" << 0x0001 << true;
    QTest::newRow("code without dash taken whole") << "2"
                                                   << "17" << 0x0211 << true;
    QTest::newRow("only the first dash splits") << "1"
                                                << "P1-2-3" << 0x0100 << false;
    QTest::newRow("group code beyond a byte") << "1FF"
                                              << "P0-01" << 0xFF01 << true;
}

void TestParameter::codeToAddress()
{
    QFETCH(QString, groupCode);
    QFETCH(QString, code);
    QFETCH(int, address);
    QFETCH(bool, ok);

    bool parsed = !ok;
    QCOMPARE(int(::codeToAddress(groupCode, code, &parsed)), address);
    QCOMPARE(parsed, ok);
}

void TestParameter::codeToAddressWithoutOkFlag()
{
    QCOMPARE(int(::codeToAddress(QStringLiteral("F"), QStringLiteral("PF-01"), nullptr)), 0x0F01);
    QCOMPARE(int(::codeToAddress(QStringLiteral("F"), QStringLiteral("PF-x"), nullptr)), 0x0F00);
}

void TestParameter::metatypeRegistered()
{
    const int id = QMetaType::type("ParamAttributeStruct");
    QVERIFY(id != QMetaType::UnknownType);
    QCOMPARE(id, qMetaTypeId<ParamAttributeStruct>());

    ParamAttributeStruct param;
    param.name = QStringLiteral("P1-03");
    param.indexList = { { QStringLiteral("Off"), QStringLiteral("0") } };
    const QVariant variant = QVariant::fromValue(param);
    QCOMPARE(variant.userType(), id);
    const ParamAttributeStruct copy = variant.value<ParamAttributeStruct>();
    QCOMPARE(copy.name, param.name);
    QCOMPARE(copy.indexList, param.indexList);
}

void TestParameter::formatOnlyFile()
{
    const QString path = writeFile(R"(<Anything>
        <Format><a>Code</a><b>Name</b><c>Setting</c><d>Current</d></Format>
    </Anything>)");
    Parameter parameter(path, nullptr);
    QVERIFY(parameter.load());
    QCOMPARE(parameter.formatList(), QStringList({ "Code", "Name", "Setting", "Current" }));
    QVERIFY(parameter.groups().isEmpty());
}

void TestParameter::formatsAccumulate()
{
    const QString path = writeFile(R"(<ParamTable>
        <Format><a>Code</a><b>Name</b></Format>
        <Group name="P0" code="0"><Param name="P0-00"/></Group>
        <Format><x>Unit</x></Format>
        <Group name="P1" code="1"/>
    </ParamTable>)");
    Parameter parameter(path, nullptr);
    QVERIFY(parameter.load());
    QCOMPARE(parameter.formatList(), QStringList({ "Code", "Name", "Unit" }));
    // "Format" takes no group key.
    const QMap<int, ParamGroupStruct> groups = parameter.groups();
    QCOMPARE(groups.keys(), QList<int>({ 0, 1 }));
    QCOMPARE(groups[0].name, QStringLiteral("P0"));
    QCOMPARE(groups[1].name, QStringLiteral("P1"));
    QVERIFY(groups[1].params.isEmpty());
}

void TestParameter::parameterAttributes()
{
    const QString path = writeFile(R"(<ParamTable>
        <Group name="P1" description="Motor" authority="2" code="1">
            <Param name="P1-03" description="Rated current" min=" 0.10 " max="99.99" units="A"
                   default="2.50" writable="1" effect="2" format1="2" format2="0"/>
            <Param name="P1-04"/>
        </Group>
    </ParamTable>)");
    Parameter parameter(path, nullptr);
    QVERIFY(parameter.load());
    QVERIFY(parameter.formatList().isEmpty());
    const QMap<int, ParamGroupStruct> groups = parameter.groups();
    QCOMPARE(groups.size(), 1);
    const ParamGroupStruct group = groups[0];
    QCOMPARE(group.name, QStringLiteral("P1"));
    QCOMPARE(group.description, QStringLiteral("Motor"));
    QCOMPARE(int(group.authority), 2);
    QCOMPARE(group.code, QStringLiteral("1"));
    QCOMPARE(group.params.keys(), QList<int>({ 0, 1 }));

    const ParamAttributeStruct p = group.params[0];
    QCOMPARE(p.name, QStringLiteral("P1-03"));
    QCOMPARE(p.description, QStringLiteral("Rated current"));
    QCOMPARE(p.min, QStringLiteral(" 0.10 ")); // kept exactly as written
    QCOMPARE(p.max, QStringLiteral("99.99"));
    QCOMPARE(p.units, QStringLiteral("A"));
    QCOMPARE(p.defaultValue, QStringLiteral("2.50"));
    QCOMPARE(p.writable, QStringLiteral("1"));
    QCOMPARE(p.effect, QStringLiteral("2"));
    QCOMPARE(p.format1, QStringLiteral("2"));
    QCOMPARE(p.format2, QStringLiteral("0"));
    QVERIFY(p.toolTips.isEmpty());
    QVERIFY(p.indexList.isEmpty());

    // Absent attributes read as empty strings.
    const ParamAttributeStruct bare = group.params[1];
    QCOMPARE(bare.name, QStringLiteral("P1-04"));
    QVERIFY(bare.description.isEmpty() && bare.min.isEmpty() && bare.writable.isEmpty());
    QVERIFY(bare.format1.isEmpty() && bare.format2.isEmpty() && bare.defaultValue.isEmpty());
}

void TestParameter::groupsKeepDocumentOrder()
{
    const QString path = writeFile(R"(<ParamTable>
        <Group name="P0" description="First" code="0"><Param name="P0-00"/></Group>
        <Other name="P0" description="Second" code="0"><Param name="P0-01"/></Other>
        <Group name="D0" description="Monitor" code="70"/>
    </ParamTable>)");
    Parameter parameter(path, nullptr);
    QVERIFY(parameter.load());
    const QMap<int, ParamGroupStruct> groups = parameter.groups();
    QCOMPARE(groups.keys(), QList<int>({ 0, 1, 2 }));
    QCOMPARE(groups[0].name, QStringLiteral("P0"));
    QCOMPARE(groups[0].description, QStringLiteral("First"));
    QCOMPARE(groups[0].params[0].name, QStringLiteral("P0-00"));
    QCOMPARE(groups[1].name, QStringLiteral("P0"));
    QCOMPARE(groups[1].description, QStringLiteral("Second"));
    QCOMPARE(groups[1].params[0].name, QStringLiteral("P0-01"));
    QCOMPARE(groups[2].code, QStringLiteral("70"));
}

void TestParameter::authority_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<int>("expected");

    QTest::newRow("absent") << QString() << 0;
    QTest::newRow("administrator") << "authority=\"1\"" << 1;
    QTest::newRow("always shown") << "authority=\"2\"" << 2;
    QTest::newRow("257 truncated to 8 bits") << "authority=\"257\"" << 1;
    QTest::newRow("256 truncated to 8 bits") << "authority=\"256\"" << 0;
    QTest::newRow("not a number") << "authority=\"admin\"" << 0;
    QTest::newRow("negative") << "authority=\"-1\"" << 0;
    QTest::newRow("hexadecimal is not decimal") << "authority=\"0x1\"" << 0;
}

void TestParameter::authority()
{
    QFETCH(QString, attribute);
    QFETCH(int, expected);
    const QString path
        = writeFile(QStringLiteral("<ParamTable><Group name=\"P0\" %1 code=\"0\"/></ParamTable>")
                        .arg(attribute)
                        .toUtf8());
    Parameter parameter(path, nullptr);
    QVERIFY(parameter.load());
    QCOMPARE(parameter.groups().size(), 1);
    QCOMPARE(int(parameter.groups()[0].authority), expected);
}

void TestParameter::commentsGiveEmptyRecords()
{
    const QString path = writeFile(R"(<ParamTable>
        <Format><a>Code</a></Format>
        <!-- the basic group -->
        <Group name="P0" description="Basic" authority="1" code="0">
            <Param name="P0-00" description="Mode"/>
            <!-- reserved -->
            <Param name="P0-02" description="Speed"/>
        </Group>
    </ParamTable>)");
    Parameter parameter(path, nullptr);
    QVERIFY(parameter.load());
    const QMap<int, ParamGroupStruct> groups = parameter.groups();
    QCOMPARE(groups.keys(), QList<int>({ 0, 1 }));

    const ParamGroupStruct empty = groups[0];
    QVERIFY(empty.name.isEmpty() && empty.description.isEmpty() && empty.code.isEmpty());
    QCOMPARE(int(empty.authority), 0);
    QVERIFY(empty.params.isEmpty());

    const ParamGroupStruct group = groups[1];
    QCOMPARE(group.name, QStringLiteral("P0"));
    QCOMPARE(group.params.keys(), QList<int>({ 0, 1, 2 }));
    QCOMPARE(group.params[0].name, QStringLiteral("P0-00"));
    const ParamAttributeStruct blank = group.params[1];
    QVERIFY(blank.name.isEmpty() && blank.description.isEmpty() && blank.format1.isEmpty());
    QVERIFY(blank.toolTips.isEmpty() && blank.indexList.isEmpty());
    QCOMPARE(group.params[2].name, QStringLiteral("P0-02"));
}

void TestParameter::childrenOfParameter()
{
    const QString path = writeFile(R"(<ParamTable>
        <Group name="P0" code="0">
            <Param name="P0-01" description="Control mode" format1="0">
                <Index name="Speed" value="1"/>
                <ToolTips name="First help"/>
                <Index name="Position" value="0"/>
                <toolTips name="wrong case is ignored"/>
                <Note name="ignored"/>
                <!-- ignored as well -->
                <ToolTips name="Second help"/>
                <Index name="Torque" value="2"/>
            </Param>
        </Group>
    </ParamTable>)");
    Parameter parameter(path, nullptr);
    QVERIFY(parameter.load());
    const ParamAttributeStruct p = parameter.groups()[0].params[0];
    QCOMPARE(p.toolTips, QStringLiteral("Second help"));
    const QList<QStringList> expected = { { "Speed", "1" }, { "Position", "0" }, { "Torque", "2" } };
    QCOMPARE(p.indexList, expected);
}

void TestParameter::failedLoadKeepsContent_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("warning");

    QTest::newRow("missing file") << "missing" << QString();
    QTest::newRow("malformed XML") << "malformed"
                                   << "Can't not setContent the file";
    QTest::newRow("empty file") << "empty"
                                << "Can't not setContent the file";
    QTest::newRow("cannot be opened") << "directory"
                                      << "Can't not open the file";
}

static QStringList capturedWarnings;
static void captureMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        capturedWarnings.append(message);
}

void TestParameter::failedLoadKeepsContent()
{
    QFETCH(QString, failure);
    QFETCH(QString, warning);

    const QString path = writeFile(goodFile);
    Parameter parameter(path, nullptr);
    QVERIFY(parameter.load());
    QCOMPARE(parameter.groups().size(), 1);

    QVERIFY(QFile::remove(path));
    if (failure == QLatin1String("malformed"))
        writeFile("<ParamTable><Group name=\"P9\"></ParamTable>");
    else if (failure == QLatin1String("empty"))
        writeFile(QByteArray());
    else if (failure == QLatin1String("directory"))
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("ParamTable.xml")));

    capturedWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    const bool loaded = parameter.load();
    qInstallMessageHandler(previous);

    QVERIFY(!loaded);
    if (!warning.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QVERIFY(!parameter.load());
    }
    // The warning is the only report, and a missing file is not reported at all.
    QCOMPARE(capturedWarnings, warning.isEmpty() ? QStringList() : QStringList { warning });
    QCOMPARE(parameter.formatList(), QStringList({ "Code", "Name" }));
    const QMap<int, ParamGroupStruct> groups = parameter.groups();
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].name, QStringLiteral("P0"));
    QCOMPARE(groups[0].params[0].name, QStringLiteral("P0-00"));
}

QTEST_GUILESS_MAIN(TestParameter)
#include "tst_parameter.moc"
