// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Global.h"
#include "comm/DriveCommands.h"

#include <QTest>

// What each restarting command sends and how long it then waits, per family, without any dialog.
class TestDriveCommands : public QObject
{
    Q_OBJECT

private:
    // "tag|address|v1 v2 …" per write, to compare whole plans at a glance.
    static QStringList describe(const DriveCommands::Plan& plan)
    {
        QStringList out;
        for (const DriveCommands::Write& write : plan.writes) {
            QStringList values;
            for (quint16 value : write.values)
                values << QString::number(value);
            out << QStringLiteral("%1|%2|%3")
                       .arg(write.tag)
                       .arg(write.address)
                       .arg(values.join(QLatin1Char(' ')));
        }
        return out;
    }

private slots:
    void plans_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<int>("family");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<bool>("reconnect");

        QTest::newRow("servo soft reset")
            << false << int(Global::DEVICE_SERVO)
            << QStringList { "|401|0", "AEnableState|181|0", "ASoftReset|60|1" } << 80 << false;
        QTest::newRow("vfd soft reset")
            << false << int(Global::DEVICE_VFD) << QStringList { "|8192|7" } << 50 << false;
        // Empty tags: the restore must not move the main window's enable indicator.
        QTest::newRow("servo restore") << true << int(Global::DEVICE_SERVO)
                                       << QStringList { "|401|0", "|181|0", "|0|385 65535" } << 100 << true;
        QTest::newRow("vfd restore") << true << int(Global::DEVICE_VFD) << QStringList { "|7936|0 1" } << 100
                                     << true;
        QTest::newRow("other family soft reset") << false << 2 << QStringList() << 0 << false;
        QTest::newRow("other family restore") << true << 7 << QStringList() << 0 << false;
    }
    void plans()
    {
        QFETCH(bool, restore);
        QFETCH(int, family);
        QFETCH(QStringList, writes);
        QFETCH(int, ticks);
        QFETCH(bool, reconnect);
        const DriveCommands::Plan plan
            = restore ? DriveCommands::restoreFactoryParameters(family) : DriveCommands::softReset(family);
        QCOMPARE(describe(plan), writes);
        QCOMPARE(plan.ticks, ticks);
        QCOMPARE(plan.reconnect, reconnect);
    }
};

QTEST_GUILESS_MAIN(TestDriveCommands)
#include "tst_drivecommands.moc"
