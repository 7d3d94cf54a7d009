// SPDX-License-Identifier: GPL-3.0-or-later
#include "Xml.h"
#include "definitions/DefinitionRecords.h"
#include "definitions/Parameter.h"

#include <QtTest>

class TestDefinitionReaders : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void variables();
    void variableNumbers_data();
    void variableNumbers();
    void errorCodes();
    void controlFunctionsSameTrigger();
    void controlFunctionSections();
    void controlFunctionsAddBesideExisting();

    void failureLeavesOutUntouched_data();
    void failureLeavesOutUntouched();
    void failureSaysWhy_data();
    void failureSaysWhy();
    void readFileReportsNoError();

private:
    QString writeFile(const QString& name, const QByteArray& content);
    QScopedPointer<QTemporaryDir> dir;
};

void TestDefinitionReaders::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
}

QString TestDefinitionReaders::writeFile(const QString& name, const QByteArray& content)
{
    const QString path = dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(content);
    return path;
}

void TestDefinitionReaders::variables()
{
    const QString path = writeFile(QStringLiteral("Variables.xml"), R"(<?xml version="1.0"?>
        <Variables>
            <Variable name="Speed" description="Motor speed" code="0x1001" length="2" format1="1" format2="1"/>
            <!-- position values follow -->
            <Other name="Position" description="Encoder" code="2a0F" length="1" format1="0" format2="0"/>
        </Variables>)");

    QVector<VariableRecord> out;
    VariableRecord before;
    before.name = QStringLiteral("kept");
    out.append(before);
    QVERIFY(Xml::readVariables(path, out));

    // Appended after what the caller already had, in document order.
    QCOMPARE(out.size(), 4);
    QCOMPARE(out[0].name, QStringLiteral("kept"));

    QCOMPARE(out[1].name, QStringLiteral("Speed"));
    QCOMPARE(out[1].description, QStringLiteral("Motor speed"));
    QCOMPARE(int(out[1].code), 0x1001);
    QCOMPARE(int(out[1].length), 2);
    QCOMPARE(int(out[1].format1), 1);
    QCOMPARE(int(out[1].format2), 1);

    // A comment node is a variable too, with nothing in it.
    QVERIFY(out[2].name.isEmpty());
    QVERIFY(out[2].description.isEmpty());
    QCOMPARE(int(out[2].code), 0);
    QCOMPARE(int(out[2].length), 0);
    QCOMPARE(int(out[2].format1), 0);
    QCOMPARE(int(out[2].format2), 0);

    QCOMPARE(out[3].name, QStringLiteral("Position"));
    QCOMPARE(int(out[3].code), 0x2A0F);
    QCOMPARE(int(out[3].length), 1);
}

void TestDefinitionReaders::variableNumbers_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("format1");
    QTest::addColumn<int>("format2");

    QTest::newRow("plain hex code") << R"(code="1A" length="1" format1="2" format2="0")" << 0x1A << 1 << 2
                                    << 0;
    QTest::newRow("upper-case 0X") << R"(code="0X7001" length="2")" << 0x7001 << 2 << 0 << 0;
    QTest::newRow("code kept in 16 bits") << R"(code="0x12345")" << 0x2345 << 0 << 0 << 0;
    QTest::newRow("length kept in 8 bits") << R"(code="1" length="257")" << 1 << 1 << 0 << 0;
    QTest::newRow("unparsable code") << R"(code="speed" length="1")" << 0 << 1 << 0 << 0;
    QTest::newRow("length is decimal") << R"(length="0x2")" << 0 << 0 << 0 << 0;
    QTest::newRow("unparsable formats") << R"(format1="two" format2="-1")" << 0 << 0 << 0 << 0;
    QTest::newRow("all absent") << QString() << 0 << 0 << 0 << 0;
}

void TestDefinitionReaders::variableNumbers()
{
    QFETCH(QString, attributes);
    QFETCH(int, code);
    QFETCH(int, length);
    QFETCH(int, format1);
    QFETCH(int, format2);

    const QString path = writeFile(QStringLiteral("Variables.xml"),
        QStringLiteral("<Variables><V name=\"x\" %1/></Variables>").arg(attributes).toUtf8());
    QVector<VariableRecord> out;
    QVERIFY(Xml::readVariables(path, out));
    QCOMPARE(out.size(), 1);
    QCOMPARE(int(out[0].code), code);
    QCOMPARE(int(out[0].length), length);
    QCOMPARE(int(out[0].format1), format1);
    QCOMPARE(int(out[0].format2), format2);
}

void TestDefinitionReaders::errorCodes()
{
    const QString path = writeFile(QStringLiteral("ErrorCode.xml"), R"(<ErrorCode>
        <Error code="0x10" name="Overcurrent"/>
        <Error code="1F" name="Overvoltage"/>
        <!-- comment: no code, skipped -->
        <Error code="Err2" name="not hexadecimal, skipped"/>
        <Error code="" name="empty code, skipped"/>
        <Error code="0x10" name="Overcurrent during acceleration"/>
        <Error code="0x10020" name="kept in 16 bits"/>
        <Error code="5" name="replaces the caller's entry"/>
    </ErrorCode>)");

    QMap<int, QString> out;
    out.insert(5, QStringLiteral("old"));
    out.insert(99, QStringLiteral("untouched"));
    QVERIFY(Xml::readErrorCodes(path, out));

    QMap<int, QString> expected;
    expected.insert(0x10, QStringLiteral("Overcurrent during acceleration"));
    expected.insert(0x1F, QStringLiteral("Overvoltage"));
    expected.insert(0x20, QStringLiteral("kept in 16 bits"));
    expected.insert(5, QStringLiteral("replaces the caller's entry"));
    expected.insert(99, QStringLiteral("untouched"));
    QCOMPARE(out, expected);
}

void TestDefinitionReaders::controlFunctionsSameTrigger()
{
    const QString path = writeFile(QStringLiteral("ControlFunction.xml"), R"(<ControlFunction>
        <Function CodeID="P1-00">
            <TriggerCode><Case Unit="rpm" Precision="0" Value="0"/></TriggerCode>
            <EffectCode><Code CodeID="P1-03"/></EffectCode>
        </Function>
        <Function CodeID="P1-00">
            <TriggerCode><Case Unit="Hz" Precision="2" Value="1"/></TriggerCode>
            <EffectCode><Code CodeID="P1-04"/><Code CodeID="P1-05"/></EffectCode>
        </Function>
        <Function CodeID="P2-00">
            <EffectCode><Code CodeID="P2-01"/></EffectCode>
        </Function>
    </ControlFunction>)");

    QMultiMap<QString, ControlFunctionRecord> out;
    QVERIFY(Xml::readControlFunctions(path, out));
    QCOMPARE(out.size(), 3);
    QCOMPARE(out.count(QStringLiteral("P1-00")), 2);

    QList<ControlFunctionRecord> records = out.values(QStringLiteral("P1-00"));
    // QMultiMap::values(key) lists the most recently inserted first.
    std::reverse(records.begin(), records.end());
    QCOMPARE(records[0].triggers.value(0), QStringList({ "rpm", "0" }));
    QCOMPARE(records[0].effectCodes, QStringList({ "P1-03" }));
    QCOMPARE(records[1].triggers.value(1), QStringList({ "Hz", "2" }));
    QCOMPARE(records[1].effectCodes, QStringList({ "P1-04", "P1-05" }));

    const ControlFunctionRecord other = out.value(QStringLiteral("P2-00"));
    QVERIFY(other.triggers.isEmpty());
    QCOMPARE(other.effectCodes, QStringList({ "P2-01" }));
}

void TestDefinitionReaders::controlFunctionSections()
{
    const QString path = writeFile(QStringLiteral("ControlFunction.xml"), R"(<ControlFunction>
        <Function CodeID="A">
            <TriggerCode>
                <Case Unit="mm" Precision="1" Value="-1"/>
                <Case Unit="x" Precision="9" Value="abc"/>
                <Case Unit="y" Precision="9"/>
                <!-- a comment has no Value -->
                <Case Unit="old" Precision="0" Value="3"/>
                <Case Unit="new" Precision="3" Value="3"/>
            </TriggerCode>
            <EffectCode><Code CodeID="P1-03"/></EffectCode>
        </Function>
        <Function CodeID="B">
            <TriggerCode><Case Unit="first" Precision="0" Value="0"/></TriggerCode>
            <TriggerCode><Case Unit="second" Precision="1" Value="7"/></TriggerCode>
            <EffectCode><Code CodeID="P1-03"/><Code CodeID="P1-04"/></EffectCode>
            <Extra/>
        </Function>
        <Function CodeID="C">
            <EffectCode><Code CodeID="P1-03"/></EffectCode>
            <effectcode><Code CodeID="P9-09"/></effectcode>
        </Function>
        <Function CodeID="D">
            <EffectCode><Code CodeID="P1-03"/></EffectCode>
            <!-- a comment is a section too -->
        </Function>
        <Function CodeID="E">
            <EffectCode><Code CodeID="P1-03"/></EffectCode>
            <TriggerCode><Case Unit="s" Precision="2" Value="1"/></TriggerCode>
        </Function>
    </ControlFunction>)");

    QMultiMap<QString, ControlFunctionRecord> out;
    QVERIFY(Xml::readControlFunctions(path, out));
    QCOMPARE(out.size(), 5);

    const ControlFunctionRecord a = out.value(QStringLiteral("A"));
    QMap<int, QStringList> expectedA;
    expectedA.insert(-1, { "mm", "1" });
    expectedA.insert(3, { "new", "3" });
    QCOMPARE(a.triggers, expectedA);
    QCOMPARE(a.effectCodes, QStringList({ "P1-03" }));

    // A later trigger section replaces the earlier one; a section of another name empties the effects.
    const ControlFunctionRecord b = out.value(QStringLiteral("B"));
    QMap<int, QStringList> expectedB;
    expectedB.insert(7, { "second", "1" });
    QCOMPARE(b.triggers, expectedB);
    QVERIFY(b.effectCodes.isEmpty());

    // Section names are case-sensitive: "effectcode" is a section of another name, whose codes do
    // not count, and it still empties the list.
    const ControlFunctionRecord c = out.value(QStringLiteral("C"));
    QVERIFY(c.triggers.isEmpty());
    QVERIFY(c.effectCodes.isEmpty());

    const ControlFunctionRecord d = out.value(QStringLiteral("D"));
    QVERIFY(d.effectCodes.isEmpty());

    // A trigger section leaves the effect list alone.
    const ControlFunctionRecord e = out.value(QStringLiteral("E"));
    QCOMPARE(e.effectCodes, QStringList({ "P1-03" }));
    QCOMPARE(e.triggers.value(1), QStringList({ "s", "2" }));
}

void TestDefinitionReaders::controlFunctionsAddBesideExisting()
{
    const QString path = writeFile(QStringLiteral("ControlFunction.xml"), R"(<ControlFunction>
        <Function CodeID="P1-00"><EffectCode><Code CodeID="P1-03"/></EffectCode></Function>
    </ControlFunction>)");

    QMultiMap<QString, ControlFunctionRecord> out;
    ControlFunctionRecord existing;
    existing.effectCodes = QStringList { QStringLiteral("P0-01") };
    out.insert(QStringLiteral("P1-00"), existing);
    QVERIFY(Xml::readControlFunctions(path, out));
    QCOMPARE(out.count(QStringLiteral("P1-00")), 2);
    QStringList effects;
    for (const ControlFunctionRecord& record : out.values(QStringLiteral("P1-00")))
        effects += record.effectCodes;
    effects.sort();
    QCOMPARE(effects, QStringList({ "P0-01", "P1-03" }));
}

void TestDefinitionReaders::failureLeavesOutUntouched_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("malformed XML") << "malformed";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("cannot be opened") << "directory";
}

void TestDefinitionReaders::failureLeavesOutUntouched()
{
    QFETCH(QString, failure);

    // Each broken file starts with valid records, so a reader that adds while parsing would show it.
    const QByteArray broken = R"(<Root>
        <Item name="Speed" code="0x10" length="1" CodeID="P1-00">
            <TriggerCode><Case Unit="Hz" Precision="1" Value="1"/></TriggerCode>
        </Item>
        <Item name="Torque" code="0x11")";
    const QStringList names = { "Variables.xml", "ErrorCode.xml", "ControlFunction.xml" };
    QStringList paths;
    for (const QString& name : names) {
        const QString path = dir->filePath(name);
        if (failure == QLatin1String("malformed"))
            writeFile(name, broken);
        else if (failure == QLatin1String("empty"))
            writeFile(name, QByteArray());
        else if (failure == QLatin1String("directory"))
            QVERIFY(QDir(dir->path()).mkdir(name));
        paths.append(path);
    }

    QVector<VariableRecord> variables(1);
    variables[0].name = QStringLiteral("kept");
    variables[0].code = 7;
    QVERIFY(!Xml::readVariables(paths[0], variables));
    QCOMPARE(variables.size(), 1);
    QCOMPARE(variables[0].name, QStringLiteral("kept"));
    QCOMPARE(int(variables[0].code), 7);

    QMap<int, QString> errors;
    errors.insert(0x10, QStringLiteral("kept"));
    const QMap<int, QString> errorsBefore = errors;
    QVERIFY(!Xml::readErrorCodes(paths[1], errors));
    QCOMPARE(errors, errorsBefore);

    QMultiMap<QString, ControlFunctionRecord> functions;
    ControlFunctionRecord existing;
    existing.effectCodes = QStringList { QStringLiteral("P0-01") };
    functions.insert(QStringLiteral("P1-00"), existing);
    QVERIFY(!Xml::readControlFunctions(paths[2], functions));
    QCOMPARE(functions.size(), 1);
    QCOMPARE(functions.value(QStringLiteral("P1-00")).effectCodes, QStringList({ "P0-01" }));
    QVERIFY(functions.value(QStringLiteral("P1-00")).triggers.isEmpty());
}

// A broken file is named with the parser's reason and position, whichever reader met it.
void TestDefinitionReaders::failureSaysWhy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // "<dir>" makes a folder of that name, "<none>" nothing
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text"); // %1 = the path

    const QByteArray truncated = "<?xml version=\"1.0\"?>\n<Root>\n    <Item name=\"P0-00\" code=\"0x";
    const QByteArray garbage("\x7f"
                             "ELF\x02\x01\x01\x00 binary",
        14);
    for (const char* name : { "ParamTable.xml", "Variables.xml", "ErrorCode.xml", "ControlFunction.xml" }) {
        QTest::addRow("%s empty", name)
            << name << QByteArray() << int(DefinitionError::Malformed)
            << "Definition file %1 is damaged: unexpected end of file (line 1, column 1)";
        QTest::addRow("%s truncated", name)
            << name << truncated << int(DefinitionError::Malformed)
            << "Definition file %1 is damaged: unexpected end of file (line 3, column 32)";
        QTest::addRow("%s garbage", name)
            << name << garbage << int(DefinitionError::Malformed)
            << "Definition file %1 is damaged: error occurred while parsing element (line 1, column 1)";
    }
    QTest::newRow("missing") << "Variables.xml" << QByteArray("<none>") << int(DefinitionError::Missing)
                             << "Definition file %1 not found";
    QTest::newRow("folder") << "ParamTable.xml" << QByteArray("<dir>") << int(DefinitionError::Unreadable)
                            << "Definition file %1 cannot be opened";
}

void TestDefinitionReaders::failureSaysWhy()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, kind);
    QFETCH(QString, text);

    QString path = dir->filePath(name);
    if (content == "<dir>")
        QVERIFY(QDir(dir->path()).mkdir(name));
    else if (content != "<none>")
        path = writeFile(name, content);

    DefinitionError error;
    bool read = true;
    if (name == QLatin1String("ParamTable.xml")) {
        Parameter parameter(path, nullptr);
        read = parameter.load();
        error = parameter.error();
    } else if (name == QLatin1String("Variables.xml")) {
        QVector<VariableRecord> out;
        read = Xml::readVariables(path, out, &error);
    } else if (name == QLatin1String("ErrorCode.xml")) {
        QMap<int, QString> out;
        read = Xml::readErrorCodes(path, out, &error);
    } else {
        QMultiMap<QString, ControlFunctionRecord> out;
        read = Xml::readControlFunctions(path, out, &error);
    }
    QVERIFY(!read);
    QCOMPARE(int(error.kind), kind);
    QCOMPARE(error.file, path);
    QCOMPARE(error.text(), text.arg(path));
}

void TestDefinitionReaders::readFileReportsNoError()
{
    const QString path
        = writeFile(QStringLiteral("ErrorCode.xml"), "<Faults><F code=\"1\" name=\"x\"/></Faults>");
    DefinitionError error;
    error.kind = DefinitionError::Missing;
    QMap<int, QString> out;
    QVERIFY(Xml::readErrorCodes(path, out, &error));
    // A successful read leaves the caller's record alone; Parameter clears its own.
    QCOMPARE(int(error.kind), int(DefinitionError::Missing));
    Parameter parameter(
        writeFile(QStringLiteral("ParamTable.xml"), "<T><Format><a>x</a></Format></T>"), nullptr);
    QVERIFY(parameter.load());
    QVERIFY(!parameter.error().isError());
    QVERIFY(parameter.error().text().isEmpty());
}

QTEST_GUILESS_MAIN(TestDefinitionReaders)
#include "tst_definitionreaders.moc"
