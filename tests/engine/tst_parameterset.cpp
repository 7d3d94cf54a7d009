// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter set without widgets: rows from real definition files, what answers, realtime
// blocks, precision rules and parameter files make of them, and the comparisons the table filters by.

#include "Global.h"
#include "engine/ParameterSet.h"
#include "engine/PrecisionSources.h"

#include "ParamRequestLines.h"
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>

#include <QtTest>

using State = ParameterSet::State;

namespace {

const QString tableData = QStringLiteral(KESTROVA_SOURCE_DIR "/tests/pages/paramtable/data/");
const QString engineData = QStringLiteral(KESTROVA_SOURCE_DIR "/tests/engine/data/");

QStringList codes(const ParameterSet& set)
{
    QStringList result;
    for (int row = 0; row < set.rowCount(); ++row)
        result << set.row(row).attribute.name;
    return result;
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(State)
Q_DECLARE_METATYPE(ParameterSet::Comparison)

class TestParameterSet : public QObject
{
    Q_OBJECT

private:
    ParameterSet set;

    int row(const QString& code) const { return set.rowOf(code); }
    const ParameterSet::Row& at(const QString& code) const { return set.row(set.rowOf(code)); }

private slots:
    void init()
    {
        QList<DefinitionError> errors;
        set.load(tableData + QStringLiteral("servo/"), &errors);
        QVERIFY(errors.isEmpty());
    }

    void rowsFollowTheDefinitions()
    {
        QCOMPARE(codes(set),
            QStringList({ "P0-00", "P0-01", "P0-02", "P0-03", "P0-04", "P0-05", "P0-06", "P0-x", "P1-00",
                "P1-01", "P1-03", "P1-06", "PF-01" }));
        QCOMPARE(set.headers().value(5), QStringLiteral("Factory value"));
        QCOMPARE(at("P1-03").address, quint16(0x0103));
        QCOMPARE(at("PF-01").address, quint16(0x0F01));
        QVERIFY(!at("P0-x").hasAddress);
        QVERIFY(at("P0-03").readOnly);
        QCOMPARE(at("P0-03").access, ParameterSet::Access::ReadOnly);
        QCOMPARE(at("P0-00").access, ParameterSet::Access::WhileStopped);
        QCOMPARE(at("P0-00").effect, ParameterSet::Effect::AfterRestart);
        QCOMPARE(at("P0-02").effect, ParameterSet::Effect::None);
        QCOMPARE(at("P0-01").state, State::Unread);
        QCOMPARE(set.groups(false).size(), 3);

        QSignalSpy rebuilt(&set, &ParameterSet::rebuilt);
        set.setCurrent(row("P0-01"), QStringLiteral("5"));
        set.build(true);
        QCOMPARE(rebuilt.size(), 1);
        QCOMPARE(set.rowCount(), 14);
        QCOMPARE(set.row(13).attribute.name, QStringLiteral("A9-00"));
        QCOMPARE(at("P0-01").current, QString()); // a rebuild forgets every value
    }

    void missingDefinitionsGiveAnEmptySet()
    {
        QList<DefinitionError> errors;
        set.load(tableData + QStringLiteral("none/"), &errors);
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors.at(0).kind, DefinitionError::Missing);
        QVERIFY(errors.at(0).file.endsWith(QLatin1String("ParamTable.xml")));
        QVERIFY(errors.at(1).file.endsWith(QLatin1String("ControlFunction.xml")));
        QCOMPARE(set.rowCount(), 0);
    }

    void answers_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QVector<quint16>>("values");
        QTest::addColumn<State>("failure");
        QTest::addColumn<QString>("text");
        QTest::addColumn<State>("state");

        QTest::newRow("equal to factory")
            << "P0-01" << QVector<quint16> { 100 } << State::ReadFailed << "100" << State::Read;
        QTest::newRow("differs from factory")
            << "P0-01" << QVector<quint16> { 101 } << State::ReadFailed << "101" << State::DiffersFromFactory;
        QTest::newRow("two decimals")
            << "P0-02" << QVector<quint16> { 1234 } << State::ReadFailed << "12.34" << State::Read;
        QTest::newRow("hexadecimal") << "P0-04" << QVector<quint16> { 31 } << State::ReadFailed << "0x1F"
                                     << State::Read;
        QTest::newRow("no factory value")
            << "P0-05" << QVector<quint16> { 99 } << State::ReadFailed << "99" << State::Read;
        QTest::newRow("signed") << "P0-06" << QVector<quint16> { 0xFFF1 } << State::ReadFailed << "-1.5"
                                << State::DiffersFromFactory;
        QTest::newRow("read failed keeps the text")
            << "P0-01" << QVector<quint16> {} << State::ReadFailed << "earlier" << State::ReadFailed;
        QTest::newRow("write failed keeps the text")
            << "P0-01" << QVector<quint16> {} << State::WriteFailed << "earlier" << State::WriteFailed;
        QTest::newRow("entry equal to the value after a longer one")
            << "P0-00" << QVector<quint16> { 1 } << State::ReadFailed << "1:One" << State::Read;
        QTest::newRow("entry not the factory value")
            << "P0-00" << QVector<quint16> { 10 } << State::ReadFailed << "10:Ten"
            << State::DiffersFromFactory;
        QTest::newRow("no entry empties the text, keeps the state")
            << "P0-00" << QVector<quint16> { 7 } << State::ReadFailed << "" << State::Realtime;
    }

    void answers()
    {
        QFETCH(QString, code);
        QFETCH(QVector<quint16>, values);
        QFETCH(State, failure);
        QFETCH(QString, text);
        QFETCH(State, state);
        set.setCurrent(row(code), QStringLiteral("earlier"));
        set.setState(row(code), State::Realtime);
        QSignalSpy changed(&set, &ParameterSet::currentChanged);
        set.applyAnswer(row(code), values, failure);
        QCOMPARE(at(code).current, text);
        QCOMPARE(at(code).state, state);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).toInt(), row(code));
    }

    void rescales_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QVector<quint16>>("values");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("texts"); // factory, min, max, current, setting, unit, format1

        // Raw 100 is 1.00 A on a small drive and 10.0 A on a large one: the register stays.
        QTest::newRow("large drive") << "PF-01" << QVector<quint16> { 22 } << "P1-03"
                                     << QStringList { "10.0", "0.0", "100.0", "25.0", "50.0", "A", "1" };
        QTest::newRow("large drive, more decimals")
            << "PF-01" << QVector<quint16> { 22 } << "P1-06"
            << QStringList { "0.1000", "0.0000", "1.0000", "", "", "mH", "4" };
        QTest::newRow("small drive keeps the definition")
            << "PF-01" << QVector<quint16> { 21 } << "P1-03"
            << QStringList { "1.00", "0.00", "10.00", "2.50", "5.00", "A", "2" };
        QTest::newRow("failed answer") << "PF-01" << QVector<quint16> {} << "P1-03"
                                       << QStringList { "1.00", "0.00", "10.00", "2.50", "5.00", "A", "2" };
        QTest::newRow("control function with unit")
            << "P1-00" << QVector<quint16> { 0 } << "P1-01"
            << QStringList { "10.0", "0.0", "1000.0", "", "", "mm", "1" };
        // Both functions know 1: the one nearer the top of the file is applied last and wins.
        QTest::newRow("top control function wins")
            << "P1-00" << QVector<quint16> { 1 } << "P1-01"
            << QStringList { "0.100", "0.000", "10.000", "", "", "rpm", "3" };
        QTest::newRow("decimals not a number") << "P1-00" << QVector<quint16> { 4 } << "P1-01"
                                               << QStringList { "1.00", "0.00", "100.00", "", "", "mm", "2" };
        QTest::newRow("another tag") << "P1-01" << QVector<quint16> { 0 } << "P1-01"
                                     << QStringList { "1.00", "0.00", "100.00", "", "", "mm", "2" };
    }

    void rescales()
    {
        QFETCH(QString, tag);
        QFETCH(QVector<quint16>, values);
        QFETCH(QString, code);
        QFETCH(QStringList, texts);
        set.setCurrent(row("P1-03"), QStringLiteral("2.50"));
        set.setSetting(row("P1-03"), QStringLiteral("5.00"));
        set.setSettingRaw(row("P1-03"), 500);
        set.applyRescales(tag, values);
        const ParameterSet::Row& r = at(code);
        QCOMPARE((QStringList { r.factory, r.attribute.min, r.attribute.max, r.current, r.setting, r.units,
                     r.attribute.format1 }),
            texts);
        QCOMPARE(at("P1-03").settingRaw.toInt(), 500);
        QCOMPARE(r.attribute.defaultValue,
            code == QLatin1String("P1-06") ? QStringLiteral("1.000") : QStringLiteral("1.00"));
        // The same answer again changes nothing.
        set.applyRescales(tag, values);
        QCOMPARE(at(code).factory, texts.first());
    }

    void realtimeBlocks()
    {
        set.load(tableData + QStringLiteral("vfd/"));
        const int d000 = row(QStringLiteral("D0-00"));
        QCOMPARE(d000, 1);
        QVERIFY(set.applyRealtimeBlock(QStringLiteral("ARefresh[00][12]"), QVector<quint16>(12, 1234)));
        QCOMPARE(at("D0-00").current, QStringLiteral("12.34"));
        QCOMPARE(at("D0-01").current, QStringLiteral("1234"));
        QCOMPARE(at("D0-00").state, State::Realtime);
        // A block with the wrong count marks its rows failed and keeps their values.
        QVERIFY(set.applyRealtimeBlock(QStringLiteral("ARefresh[00][12]"), { 1, 2 }));
        QCOMPARE(at("D0-00").state, State::ReadFailed);
        QCOMPARE(at("D0-00").current, QStringLiteral("12.34"));
        QCOMPARE(at("D0-12").state, State::Unread);
        QVERIFY(set.applyRealtimeBlock(QStringLiteral("ARefresh[12][12]"), QVector<quint16>(12, 7)));
        QCOMPARE(at("D0-12").current, QStringLiteral("7"));
        // The control panel's blocks are not the table's.
        QVERIFY(!set.applyRealtimeBlock(QStringLiteral("ARefresh1"), QVector<quint16>(7, 5)));
    }

    void comparisons_data()
    {
        QTest::addColumn<ParameterSet::Comparison>("comparison");
        QTest::addColumn<QStringList>("differing");
        QTest::newRow("setting and current")
            << ParameterSet::Comparison::SettingNotCurrent
            << QStringList { "P0-01", "P0-02", "P0-06", "P1-00", "P1-01", "P1-03", "PF-01" };
        // P0-00 is an enumeration: its setting's register value 1 is the factory value 1.
        QTest::newRow("setting and factory")
            << ParameterSet::Comparison::SettingNotFactory
            << QStringList { "P0-01", "P0-03", "P0-06", "P0-x", "P1-00", "P1-01", "P1-03", "P1-06", "PF-01" };
        // P0-00's current entry 1:One has the factory value 1.
        QTest::newRow("current and factory") << ParameterSet::Comparison::CurrentNotFactory
                                             << QStringList { "P0-02", "P0-03", "P0-x", "P1-03", "P1-06" };
    }

    void comparisons()
    {
        QFETCH(ParameterSet::Comparison, comparison);
        QFETCH(QStringList, differing);
        struct Values
        {
            const char* code;
            const char* setting;
            int raw; // -1: never edited
            const char* current;
        };
        const Values rows[] = {
            { "P0-00", "1:One", 1, "1:One" },
            { "P0-01", "5", 5, "100" },
            { "P0-02", "12.34", 1234, "50.00" },
            { "P0-04", "0x1F", 31, "0x1F" },
            { "P0-06", "0.5", 5, "0.0" },
            { "P1-00", "", -1, "0" },
            { "P1-01", "", -1, "1.00" },
            { "P1-03", "", -1, "2.00" },
            { "PF-01", "", -1, "21" },
        };
        for (const Values& v : rows) {
            if (v.raw >= 0) {
                set.setSetting(row(v.code), QString::fromUtf8(v.setting));
                set.setSettingRaw(row(v.code), v.raw);
            }
            set.setCurrent(row(v.code), QString::fromUtf8(v.current));
        }
        QStringList found;
        for (int r = 0; r < set.rowCount(); ++r) {
            if (set.differs(r, comparison))
                found << set.row(r).attribute.name;
        }
        QCOMPARE(found, differing);
    }

    void requests()
    {
        QCOMPARE(requestLines(set.readRequests({ row("P0-01"), row("P0-x"), row("PF-01") })),
            QStringList({ "P0-01 0001 0", "PF-01 0f01 0" }));
        set.setSettingRaw(row("P0-06"), -15);
        set.setSetting(row("P0-02"), QStringLiteral("typed, not committed"));
        QCOMPARE(requestLines(set.writeRequests(set.allRows())), QStringList { "P0-06 0006 65521" });
    }

    void importValues_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<State>("state");
        QTest::addColumn<QStringList>("writes");

        QTest::newRow("hexadecimal into an integer")
            << "P0-01" << QByteArray("\"0x1F\"") << "0x1F" << State::DiffersFromFactory
            << QStringList { "P0-01 0001 31" };
        QTest::newRow("decimal into one decimal")
            << "P0-06" << QByteArray("\"1.5\"") << "1.5" << State::DiffersFromFactory
            << QStringList { "P0-06 0006 15" };
        QTest::newRow("equal to factory") << "P0-02" << QByteArray("\"12.34\"") << "12.34" << State::Read
                                          << QStringList { "P0-02 0002 1234" };
        QTest::newRow("entry") << "P0-00" << QByteArray("\"1\"") << "1:One" << State::Read
                               << QStringList { "P0-00 0000 1" };
        QTest::newRow("read-only is shown, not written")
            << "P0-03" << QByteArray("\"7\"") << "7" << State::DiffersFromFactory << QStringList {};
        QTest::newRow("code without register")
            << "P0-x" << QByteArray("\"1\"") << "1" << State::DiffersFromFactory << QStringList {};
        QTest::newRow("JSON number reads as empty")
            << "P0-01" << QByteArray("77") << "" << State::DiffersFromFactory << QStringList {};
        QTest::newRow("no number") << "P0-01" << QByteArray("\"fast\"") << "fast" << State::DiffersFromFactory
                                   << QStringList {};
        // An entry without a leading number is exported under its whole name; importing that
        // writes its value.
        QTest::newRow("entry by its whole name")
            << "P0-00" << QByteArray("\"10:Ten\"") << "10:Ten" << State::DiffersFromFactory
            << QStringList { "P0-00 0000 10" };
        QTest::newRow("no such entry leaves the row")
            << "P0-00" << QByteArray("\"On\"") << "earlier" << State::Unread << QStringList {};
    }

    void importValues()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, value);
        QFETCH(QString, shown);
        QFETCH(State, state);
        QFETCH(QStringList, writes);
        set.setCurrent(row(code), QStringLiteral("earlier"));
        const QJsonObject file = QJsonDocument::fromJson(
            "{\"DeviceVersion\":\"0\",\"" + code.toLatin1() + "\":" + value + ",\"X1-01\":\"5\"}")
                                     .object();
        QCOMPARE(requestLines(set.importValues(file)), writes);
        QCOMPARE(at(code).current, shown);
        QCOMPARE(at(code).state, state);
    }

    // What a one-shot front end reads before it shows a value: every ruling parameter, and the
    // VFD's size behind its unlock code even where its group is not shown.
    void precisionSources_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("family");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QStringList>("reads");

        QTest::newRow("servo, size a parameter of the table")
            << tableData + QStringLiteral("servo/") << int(Global::DEVICE_SERVO) << QStringList {}
            << QStringList { "PF-01 0f01 0", "P1-00 0100 0" };
        QTest::newRow("VFD sample, size behind the unlock code")
            << QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/VFD/KVF-V2.0/EN/")
            << int(Global::DEVICE_VFD) << QStringList { "ADecryption ff00 55" }
            << QStringList { "PF-01 ff01 0", "P0-19 f013 0", "P0-22 f016 0", "P7-12 f70c 0", "PD-09 fd09 0" };
        QTest::newRow("servo sample, no size register")
            << QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/SERVO/KSD-V1.10/EN/")
            << int(Global::DEVICE_SERVO) << QStringList {} << QStringList { "P2-30 021e 0", "P3-01 0301 0" };
    }

    void precisionSources()
    {
        QFETCH(QString, folder);
        QFETCH(int, family);
        QFETCH(QStringList, writes);
        QFETCH(QStringList, reads);
        ParameterSet sample;
        sample.load(folder);
        QCOMPARE(requestLines(PrecisionSources::writes(family)), writes);
        QCOMPARE(requestLines(PrecisionSources::reads(sample, family)), reads);
    }

    // Values of ruling parameters (a file's, or typed ones) give the decimals of those they rule.
    void precisionsAfter()
    {
        QCOMPARE(set.precisionsAfter({ { QStringLiteral("P1-00"), 1 } }),
            (QHash<QString, int> { { QStringLiteral("P1-01"), 3 } }));
        QCOMPARE(set.precisionsAfter({ { QStringLiteral("PF-01"), 22 }, { QStringLiteral("P0-01"), 1 } }),
            (QHash<QString, int> { { QStringLiteral("P1-03"), 1 }, { QStringLiteral("P1-10"), 1 },
                { QStringLiteral("B2-03"), 1 }, { QStringLiteral("B2-10"), 1 },
                { QStringLiteral("P1-06"), 4 }, { QStringLiteral("P1-07"), 4 },
                { QStringLiteral("B2-06"), 4 }, { QStringLiteral("B2-07"), 4 },
                { QStringLiteral("P1-08"), 3 }, { QStringLiteral("B2-08"), 3 },
                { QStringLiteral("P1-09"), 2 }, { QStringLiteral("B2-09"), 2 } }));
        QVERIFY(set.precisionsAfter({ { QStringLiteral("P1-00"), 9 } }).isEmpty());
    }

    // Files exported by earlier versions import, and an export is byte for byte what they wrote.
    void exportMatchesEarlierFiles()
    {
        set.applyAnswer(row("P0-00"), { 1 });
        set.applyAnswer(row("P0-01"), { 250 });
        set.applyAnswer(row("P0-02"), { 1234 });
        set.applyAnswer(row("P0-04"), { 31 });
        set.setCurrent(row("P0-03"), QString::fromUtf8("7：seven"));
        const QByteArray earlier = fileContent(engineData + QStringLiteral("exported-servo.json"));
        QVERIFY(!earlier.isEmpty());
        QCOMPARE(set.exportDocument(0), earlier);

        ParameterSet fresh;
        fresh.load(tableData + QStringLiteral("servo/"));
        const ParamRequests writes = fresh.importValues(QJsonDocument::fromJson(earlier).object());
        QCOMPARE(requestLines(writes),
            QStringList({ "P0-00 0000 1", "P0-01 0001 250", "P0-02 0002 1234", "P0-04 0004 31" }));
        QCOMPARE(fresh.row(fresh.rowOf("P0-00")).current, QStringLiteral("1:One"));
        QCOMPARE(fresh.exportDocument(0), earlier);
    }
};

QTEST_GUILESS_MAIN(TestParameterSet)
#include "tst_parameterset.moc"
