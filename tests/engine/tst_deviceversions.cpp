// SPDX-License-Identifier: GPL-3.0-or-later
// Which definitions a drive gets: the version folders of a family in version order, the newest of
// them, and the one a drive names in its probe answer.

#include "engine/DeviceVersions.h"

#include <QDir>
#include <QTemporaryDir>

#include <QtTest>

class TestDeviceVersions : public QObject
{
    Q_OBJECT

private slots:
    void order_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("available");
        QTest::addColumn<QString>("newest");

        QTest::newRow("a minor 10 is newer than a minor 2")
            << QStringList { "KSD-V1.10", "KSD-V1.2" } << QStringList { "KSD-V1.2", "KSD-V1.10" }
            << "KSD-V1.10";
        QTest::newRow("major first") << QStringList { "KVF-V2.1", "KVF-V10.0", "KVF-V2.0" }
                                     << QStringList { "KVF-V2.0", "KVF-V2.1", "KVF-V10.0" } << "KVF-V10.0";
        QTest::newRow("one folder") << QStringList { "TEST" } << QStringList { "TEST" } << "TEST";
        QTest::newRow("none") << QStringList {} << QStringList {} << "";
    }

    void order()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, available);
        QFETCH(QString, newest);
        QTemporaryDir family;
        for (const QString& folder : folders)
            QVERIFY(QDir(family.path()).mkdir(folder));
        QFile(family.filePath(QStringLiteral("Init.xml"))).open(QIODevice::WriteOnly); // not a version
        QCOMPARE(DeviceVersions::available(family.path()), available);
        QCOMPARE(DeviceVersions::newest(available), newest);
    }

    void samplesInVersionOrder()
    {
        QCOMPARE(DeviceVersions::available(QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/SERVO")),
            QStringList({ "KSD-V1.2", "KSD-V1.10" }));
    }

    void matching_data()
    {
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("version");

        QTest::newRow("the VFD's probe answer") << "KV 2.0"
                                                << "KVF-V2.0";
        QTest::newRow("another minor") << "KV 2.1"
                                       << "KVF-V2.1";
        QTest::newRow("a version without definitions") << "KV 3.0"
                                                       << "";
        QTest::newRow("other letters") << "XY 2.0"
                                       << "";
        QTest::newRow("nothing reported") << ""
                                          << "";
    }

    void matching()
    {
        QFETCH(QString, reported);
        QFETCH(QString, version);
        const QStringList versions { "KVF-V2.0", "KVF-V2.1", "KVF-V2.10" };
        QCOMPARE(DeviceVersions::matching(versions, reported), version);
    }
};

QTEST_GUILESS_MAIN(TestDeviceVersions)
#include "tst_deviceversions.moc"
