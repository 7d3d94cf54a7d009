// SPDX-License-Identifier: GPL-3.0-or-later
// What the tool reads about a USB serial adapter from sysfs, against a fake system tree: which
// adapters are USB ones, an FTDI adapter's latency timer, and the hint to lower it.

#include "FakeSystemRoot.h"
#include "comm/SerialAdapter.h"

#include <QTemporaryDir>
#include <QTest>

class TestSerialAdapter : public QObject
{
    Q_OBJECT

private slots:
    void kernelNames_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("name");
        QTest::newRow("bare name") << "ttyUSB0"
                                   << "ttyUSB0";
        QTest::newRow("device path") << "/dev/ttyACM3"
                                     << "ttyACM3";
        QTest::newRow("empty") << ""
                               << "";
    }
    void kernelNames()
    {
        QFETCH(QString, port);
        QFETCH(QString, name);
        QCOMPARE(SerialAdapter::kernelName(port), name);
    }

    // A /dev/serial/by-id link names the adapter; what counts is the node it points to, also when
    // the adapter has just gone and the link dangles.
    void kernelNameBehindALink()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0"));
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB5"), link));
        QCOMPARE(SerialAdapter::kernelName(link), QStringLiteral("ttyUSB5"));
    }

    void latency_data()
    {
        QTest::addColumn<QString>("bus");
        QTest::addColumn<int>("timer"); // -1: the driver offers none
        QTest::addColumn<bool>("ruleInstalled");
        QTest::addColumn<int>("read");
        QTest::addColumn<QStringList>("hintSays"); // empty: no hint
        const QString command
            = QStringLiteral("sudo sh -c 'echo 1 > /sys/bus/usb-serial/devices/ttyUSB0/latency_timer'");
        QTest::newRow("FTDI at the default 16 ms")
            << "usb-serial" << 16 << false << 16
            << QStringList { "ttyUSB0 is an FTDI adapter whose latency timer is 16 ms",
                   "each transaction up to 16 ms longer", command, "install the Kestrova package" };
        QTest::newRow("FTDI at 16 ms, the rule installed")
            << "usb-serial" << 16 << true << 16
            << QStringList { "unplug the adapter and plug it in again",
                   "udev rule /usr/lib/udev/rules.d/60-kestrova.rules", command };
        QTest::newRow("FTDI at 2 ms") << "usb-serial" << 2 << false << 2
                                      << QStringList { "latency timer is 2 ms", "up to 2 ms longer" };
        QTest::newRow("FTDI at 1 ms") << "usb-serial" << 1 << false << 1 << QStringList();
        QTest::newRow("FTDI at 0 ms") << "usb-serial" << 0 << false << 0 << QStringList();
        QTest::newRow("another USB adapter") << "usb-serial" << -1 << false << -1 << QStringList();
        QTest::newRow("CDC ACM adapter") << "usb" << -1 << true << -1 << QStringList();
    }
    void latency()
    {
        QFETCH(QString, bus);
        QFETCH(int, timer);
        QFETCH(bool, ruleInstalled);
        QFETCH(int, read);
        QFETCH(QStringList, hintSays);
        FakeSystemRoot root;
        QVERIFY(root.addAdapter(QStringLiteral("ttyUSB0"), bus, timer));
        if (ruleInstalled)
            QVERIFY(root.installUdevRule());

        QVERIFY(SerialAdapter::isUsbAdapter(QStringLiteral("/dev/ttyUSB0")));
        QCOMPARE(SerialAdapter::latencyTimerMs(QStringLiteral("/dev/ttyUSB0")), read);
        const QString hint = SerialAdapter::latencyHint(QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(hint.isEmpty(), hintSays.isEmpty());
        for (const QString& part : hintSays)
            QVERIFY2(hint.contains(part), qPrintable(hint));
    }

    void unreadableTimers_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a number") << QByteArray("sixteen\n");
        QTest::newRow("negative") << QByteArray("-4\n");
    }
    void unreadableTimers()
    {
        QFETCH(QByteArray, content);
        FakeSystemRoot root;
        QVERIFY(root.addAdapter(QStringLiteral("ttyUSB1"), QStringLiteral("usb-serial"), 16));
        QFile file(root.path() + QStringLiteral("/sys/bus/usb-serial/devices/ttyUSB1/latency_timer"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        QCOMPARE(SerialAdapter::latencyTimerMs(QStringLiteral("ttyUSB1")), -1);
        QVERIFY(SerialAdapter::latencyHint(QStringLiteral("ttyUSB1")).isEmpty());
    }

    void portsThatAreNoUsbAdapters_data()
    {
        QTest::addColumn<QString>("port");
        QTest::newRow("on-board port") << "/dev/ttyS0";
        QTest::newRow("not in sysfs") << "/dev/ttyUSB9";
        QTest::newRow("pseudo terminal") << "/dev/pts/4";
    }
    void portsThatAreNoUsbAdapters()
    {
        QFETCH(QString, port);
        FakeSystemRoot root;
        // The on-board port is in sysfs, on its platform bus.
        QVERIFY(root.addAdapter(QStringLiteral("ttyS0"), QStringLiteral("platform")));
        QVERIFY(!SerialAdapter::isUsbAdapter(port));
        QCOMPARE(SerialAdapter::latencyTimerMs(port), -1);
        QVERIFY(SerialAdapter::latencyHint(port).isEmpty());
    }

    void installedUdevRule()
    {
        FakeSystemRoot root;
        QVERIFY(SerialAdapter::installedUdevRule().isEmpty());
        QVERIFY(root.installUdevRule());
        QCOMPARE(
            SerialAdapter::installedUdevRule(), QStringLiteral("/usr/lib/udev/rules.d/60-kestrova.rules"));
    }

    void systemRootIsTheRealOneByDefault()
    {
        {
            FakeSystemRoot root;
            QCOMPARE(SerialAdapter::systemRoot(), root.path());
        }
        QCOMPARE(SerialAdapter::systemRoot(), QString());
        SerialAdapter::setSystemRoot(QStringLiteral("/tmp/x/"));
        QCOMPARE(SerialAdapter::systemRoot(), QStringLiteral("/tmp/x"));
        SerialAdapter::setSystemRoot(QStringLiteral("/"));
        QCOMPARE(SerialAdapter::systemRoot(), QString());
    }
};

QTEST_GUILESS_MAIN(TestSerialAdapter)
#include "tst_serialadapter.moc"
