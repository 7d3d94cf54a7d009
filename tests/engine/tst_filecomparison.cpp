// SPDX-License-Identifier: GPL-3.0-or-later
// A parameter file against the drive's values, without widgets: what is compared, what is left
// out and why, what differs (in each parameter's own format) and what writing the file's value takes.

#include "engine/FileComparison.h"
#include "engine/ParameterSet.h"

#include "ParamRequestLines.h"
#include <QJsonDocument>

#include <QtTest>

namespace {

const QString tableData = QStringLiteral(KESTROVA_SOURCE_DIR "/tests/pages/paramtable/data/servo/");

QStringList lines(const QVector<FileComparison::Difference>& differences)
{
    QStringList result;
    for (const FileComparison::Difference& d : differences)
        result << d.code + QLatin1Char(' ') + (d.driveRead ? d.driveText : QStringLiteral("-"))
                + QLatin1Char(' ') + d.fileText;
    return result;
}

} // namespace

class TestFileComparison : public QObject
{
    Q_OBJECT

private slots:
    void compare_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("drive"); // code=value (empty: no answer), separated by ';'
        QTest::addColumn<QStringList>("differences"); // code, drive value ("-": no answer), file value
        QTest::addColumn<QStringList>("writes");

        QTest::newRow("identical") << QByteArray(R"({"P0-01":"100","P0-02":"12.34"})")
                                   << "P0-01=100;P0-02=1234" << QStringList {} << QStringList {};
        QTest::newRow("another text of the same register")
            << QByteArray(R"({"P0-02":"1.5"})") << "P0-02=150" << QStringList {} << QStringList {};
        QTest::newRow("decimals") << QByteArray(R"({"P0-02":"1.5"})") << "P0-02=1234"
                                  << QStringList { "P0-02 12.34 1.50" } << QStringList { "P0-02 0002 150" };
        QTest::newRow("enumeration by name")
            << QByteArray(R"({"P0-00":"10"})") << "P0-00=1" << QStringList { "P0-00 1:One 10:Ten" }
            << QStringList { "P0-00 0000 10" };
        QTest::newRow("enumeration value without entry")
            << QByteArray(R"({"P0-00":"7"})") << "P0-00=1" << QStringList { "P0-00 1:One 7" }
            << QStringList { "P0-00 0000 7" };
        QTest::newRow("hexadecimal") << QByteArray(R"({"P0-04":"0x20"})") << "P0-04=31"
                                     << QStringList { "P0-04 0x1F 0x20" } << QStringList { "P0-04 0004 32" };
        QTest::newRow("signed") << QByteArray(R"({"P0-06":"-1.5"})") << "P0-06=0"
                                << QStringList { "P0-06 0.0 -1.5" } << QStringList { "P0-06 0006 65521" };
        QTest::newRow("no answer from the drive")
            << QByteArray(R"({"P0-01":"5","P0-02":"12.34"})") << "P0-01=;P0-02=1234"
            << QStringList { "P0-01 - 5" } << QStringList { "P0-01 0001 5" };
        // The file's P1-00 gives P1-01 three decimals: its "2.000" is 2000 on a drive whose P1-00
        // gives one, where 2000 shows as 200.0.
        QTest::newRow("decimals the file's own ruling value gives")
            << QByteArray(R"({"P1-00":"1","P1-01":"2.000"})") << "P1-00=0;P1-01=2000"
            << QStringList { "P1-00 0 1" } << QStringList { "P1-00 0100 1" };
        QTest::newRow("drive value in the drive's decimals, file value in the file's")
            << QByteArray(R"({"P1-00":"1","P1-01":"2.000"})") << "P1-00=0;P1-01=20"
            << QStringList { "P1-00 0 1", "P1-01 2.0 2.000" }
            << QStringList { "P1-00 0100 1", "P1-01 0101 2000" };
        QTest::newRow("table order, not file order")
            << QByteArray(R"({"P1-03":"2","P0-01":"5"})") << "P0-01=6;P1-03=100"
            << QStringList { "P0-01 6 5", "P1-03 1.00 2.00" }
            << QStringList { "P0-01 0001 5", "P1-03 0103 200" };
    }

    void compare()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, drive);
        QFETCH(QStringList, differences);
        QFETCH(QStringList, writes);
        ParameterSet set;
        set.load(tableData);
        // The drive's own ruling value, as a front end reads it first.
        set.applyRescales(QStringLiteral("P1-00"), { 0 });
        FileComparison comparison(set, QJsonDocument::fromJson(file).object());
        QStringList read;
        for (const QString& entry : drive.split(QLatin1Char(';'))) {
            const QString code = entry.section(QLatin1Char('='), 0, 0);
            const QString value = entry.section(QLatin1Char('='), 1);
            read << code;
            comparison.setDriveValue(
                code, value.isEmpty() ? QVector<quint16> {} : QVector<quint16> { value.toUShort() });
        }
        QStringList reads;
        for (const ParamRequest& r : comparison.reads())
            reads << r.code;
        read.sort();
        QCOMPARE(reads, read);
        const QVector<FileComparison::Difference> found = comparison.differences();
        QCOMPARE(lines(found), differences);
        QCOMPARE(comparison.isIdentical(), differences.isEmpty());
        QCOMPARE(requestLines(comparison.writes(found)), writes);
    }

    void leftOut()
    {
        ParameterSet set;
        set.load(tableData);
        const QJsonObject file = QJsonDocument::fromJson(R"({"DeviceVersion":"0","P0-03":"7","P0-x":"1",
            "P0-05":"","P0-01":"fast","P0-02":12,"Z9-01":"3","A9-00":"1","P0-04":"0x1","P0-06":"10.1",
            "P1-03":"-1"})")
                                     .object();
        FileComparison comparison(set, file);
        QCOMPARE(requestLines(comparison.reads()), QStringList { "P0-04 0004 0" });
        QCOMPARE(comparison.readOnlyCodes(), QStringList { "P0-03" });
        QCOMPARE(comparison.unusableCodes(), QStringList({ "P0-01", "P0-x" }));
        QCOMPARE(comparison.outOfRangeCodes(), QStringList({ "P0-06", "P1-03" }));
        QCOMPARE(comparison.emptyCodes(), QStringList({ "P0-02", "P0-05" })); // a JSON number reads as empty
        // The administrator group is not in the table in normal mode.
        QCOMPARE(comparison.unknownCodes(), QStringList({ "A9-00", "Z9-01" }));
        // Only what was ticked is written.
        comparison.setDriveValue(QStringLiteral("P0-04"), { 31 });
        comparison.setDriveValue(QStringLiteral("P0-03"), { 1 }); // not compared: ignored
        QCOMPARE(lines(comparison.differences()), QStringList { "P0-04 0x1F 0x1" });
        QCOMPARE(requestLines(comparison.writes({})), QStringList {});
    }
};

QTEST_GUILESS_MAIN(TestFileComparison)
#include "tst_filecomparison.moc"
