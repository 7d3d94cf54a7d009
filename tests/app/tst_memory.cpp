// SPDX-License-Identifier: GPL-3.0-or-later
#include "Global.h"
#include "WorkDir.h"
#include "Xml.h"

#include "FileSizeLimit.h"
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QMetaEnum>

#include <QtTest>

#include <memory>

#include <csignal>
#include <sys/resource.h>

// The memory file and the folders derived from it, each case in its own working directory.
class TestMemory : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;

    void writeInit(const QByteArray& content) { work->writeInit(content); }
    QByteArray readInit() const { return work->readInitBytes(); }

private slots:
    void init()
    {
        work = std::make_unique<WorkDir>(WorkDir::Seed::Nothing);
        QVERIFY(work->isValid());
        Global::instance()->setDevice(0);
        Global::instance()->setLanguage(0);
        Global::instance()->setBusMonitorVisible(false);
        Global::instance()->setScopeSampling(0);
        Global::instance()->setScopeRecordingSeconds(0);
        Global::instance()->setCommType(0);
        Global::instance()->setTcpHost(QString());
        Global::instance()->setTcpPort(Global::DefaultTcpPort);
    }

    void cleanup() { work.reset(); }

    // Must run before any case chooses a device version: the version path cannot be unset again.
    void configPathWithoutVersion()
    {
        QCOMPARE(Global::instance()->configPath(), QStringLiteral("EN/"));
        Global::instance()->setLanguage(Global::LANGUAGE_CN);
        QCOMPARE(Global::instance()->configPath(), QStringLiteral("CN/"));
    }

    void readMemory_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("language");

        QTest::newRow("servo english")
            << QByteArray("<Init><Device>0</Device><Language>0</Language></Init>") << true << 0 << 0;
        QTest::newRow("vfd chinese") << QByteArray("<Init><Device>1</Device><Language>1</Language></Init>")
                                     << true << 1 << 1;
        QTest::newRow("device 256 keeps low 8 bits")
            << QByteArray("<Init><Device>256</Device><Language>1</Language></Init>") << true << 0 << 1;
        QTest::newRow("device 2 stays 2")
            << QByteArray("<Init><Device>2</Device><Language>0</Language></Init>") << true << 2 << 0;
        QTest::newRow("missing elements keep 0")
            << QByteArray("<Init><Other>5</Other></Init>") << true << 0 << 0;
        QTest::newRow("not a number gives 0")
            << QByteArray("<Init><Device>abc</Device><Language>x</Language></Init>") << true << 0 << 0;
        QTest::newRow("later element wins")
            << QByteArray("<Init><Device>0</Device><Device>1</Device><Language>1</Language></Init>") << true
            << 1 << 1;
        QTest::newRow("language 7 kept")
            << QByteArray("<Init><Language>7</Language></Init>") << true << 0 << 7;
        QTest::newRow("malformed") << QByteArray("<Init><Device>1</Device>") << false << 9 << 9;
        QTest::newRow("empty file") << QByteArray() << false << 9 << 9;
    }

    void readMemory()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, accepted);
        QFETCH(int, device);
        QFETCH(int, language);

        // A refused file must leave the settings alone: mark them first.
        const int start = accepted ? 0 : 9;
        Global::instance()->setDevice(start);
        Global::instance()->setLanguage(start);
        writeInit(content);
        Xml xml;
        QCOMPARE(xml.readMemory(), accepted);
        QCOMPARE(int(Global::instance()->device()), device);
        QCOMPARE(int(Global::instance()->language()), language);
    }

    void readMemoryWithoutFile()
    {
        Xml xml;
        QVERIFY(!xml.readMemory());
        QVERIFY(!xml.writeMemory());
        QVERIFY(!QFile::exists(QStringLiteral("Driver/Init.xml")));
    }

    void writeMemoryKeepsOtherChildren()
    {
        writeInit("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Init>\n    <!-- site notes -->\n"
                  "    <Device>0</Device>\n    <Plant line=\"3\">Press shop</Plant>\n"
                  "    <Language>0</Language>\n</Init>\n");
        Global::instance()->setDevice(1);
        Global::instance()->setLanguage(1);
        Xml xml;
        QVERIFY(xml.writeMemory());

        QDomDocument doc;
        QVERIFY(doc.setContent(readInit()));
        const QDomElement root = doc.documentElement();
        QCOMPARE(root.tagName(), QStringLiteral("Init"));
        QCOMPARE(root.firstChildElement(QStringLiteral("Device")).text(), QStringLiteral("1"));
        QCOMPARE(root.firstChildElement(QStringLiteral("Language")).text(), QStringLiteral("1"));
        const QDomElement plant = root.firstChildElement(QStringLiteral("Plant"));
        QCOMPARE(plant.text(), QStringLiteral("Press shop"));
        QCOMPARE(plant.attribute(QStringLiteral("line")), QStringLiteral("3"));
        QVERIFY(root.firstChild().isComment());

        // And what was written reads back.
        Global::instance()->setDevice(0);
        Global::instance()->setLanguage(0);
        QVERIFY(xml.readMemory());
        QCOMPARE(int(Global::instance()->device()), 1);
        QCOMPARE(int(Global::instance()->language()), 1);
    }

    void writeMemoryUpdatesRepeatedElements()
    {
        // Reading lets the later element win, so the new choice must land there as well.
        writeInit("<Init><Device>0</Device><Language>0</Language><Device>0</Device></Init>");
        Global::instance()->setDevice(1);
        Global::instance()->setLanguage(1);
        Xml xml;
        QVERIFY(xml.writeMemory());
        Global::instance()->setDevice(0);
        Global::instance()->setLanguage(0);
        QVERIFY(xml.readMemory());
        QCOMPARE(int(Global::instance()->device()), 1);
        QCOMPARE(int(Global::instance()->language()), 1);
        QCOMPARE(readInit().count("<Device>1</Device>"), 2);
    }

    void writeMemoryWithoutElementsAddsNone()
    {
        writeInit("<Init><Other>5</Other></Init>");
        Global::instance()->setDevice(1);
        Xml xml;
        QVERIFY(xml.writeMemory());
        QDomDocument doc;
        QVERIFY(doc.setContent(readInit()));
        QVERIFY(doc.documentElement().firstChildElement(QStringLiteral("Device")).isNull());
        QCOMPARE(
            doc.documentElement().firstChildElement(QStringLiteral("Other")).text(), QStringLiteral("5"));
    }

    void busMonitorElement_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QStringList>("elements"); // the texts of every "BusMonitor" after writing

        const QByteArray older("<Init><Device>0</Device><Language>1</Language></Init>");
        QTest::newRow("older file, dock stays hidden") << older << false << false << QStringList();
        QTest::newRow("older file, dock shown") << older << false << true << QStringList { "1" };
        QTest::newRow("shown, then hidden")
            << QByteArray("<Init><Device>0</Device><BusMonitor>1</BusMonitor></Init>") << true << false
            << QStringList { "0" };
        QTest::newRow("hidden stays")
            << QByteArray("<Init><BusMonitor>0</BusMonitor></Init>") << false << false << QStringList { "0" };
        QTest::newRow("not a number is hidden")
            << QByteArray("<Init><BusMonitor>on</BusMonitor></Init>") << false << true << QStringList { "1" };
        QTest::newRow("repeated elements all follow") << QByteArray(
            "<Init><BusMonitor>0</BusMonitor><Language>0</Language><BusMonitor>1</BusMonitor></Init>")
                                                      << true << false << QStringList { "0", "0" };
    }

    void busMonitorElement()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, read);
        QFETCH(bool, written);
        QFETCH(QStringList, elements);

        writeInit(content);
        Xml xml;
        QVERIFY(xml.readMemory());
        QCOMPARE(Global::instance()->busMonitorVisible(), read);
        // The older elements keep their meaning next to the new one.
        QCOMPARE(int(Global::instance()->language()), content.contains("<Language>1") ? 1 : 0);

        Global::instance()->setBusMonitorVisible(written);
        QVERIFY(xml.writeMemory());
        QDomDocument doc;
        QVERIFY(doc.setContent(readInit()));
        QStringList texts;
        for (QDomElement e = doc.documentElement().firstChildElement(QStringLiteral("BusMonitor"));
             !e.isNull(); e = e.nextSiblingElement(QStringLiteral("BusMonitor")))
            texts << e.text();
        QCOMPARE(texts, elements);

        // As at the next start.
        Global::instance()->setBusMonitorVisible(false);
        QVERIFY(xml.readMemory());
        QCOMPARE(Global::instance()->busMonitorVisible(), written);
    }

    // The scope's sampling mode and recording length: written once they differ from the defaults,
    // read back at the next start.
    void scopeElements()
    {
        const QByteArray older("<Init><Device>0</Device><Language>0</Language></Init>");
        writeInit(older);
        Xml xml;
        QVERIFY(xml.writeMemory());
        QVERIFY(!readInit().contains("Scope"));
        Global::instance()->setScopeSampling(1);
        Global::instance()->setScopeRecordingSeconds(600);
        QVERIFY(xml.writeMemory());
        QVERIFY(readInit().contains("<ScopeSampling>1</ScopeSampling>"));
        QVERIFY(readInit().contains("<ScopeRecordingSeconds>600</ScopeRecordingSeconds>"));
        Global::instance()->setScopeSampling(0);
        Global::instance()->setScopeRecordingSeconds(0);
        QVERIFY(xml.readMemory());
        QCOMPARE(Global::instance()->scopeSampling(), 1);
        QCOMPARE(Global::instance()->scopeRecordingSeconds(), 600);
        writeInit(
            "<Init><ScopeSampling>7</ScopeSampling><ScopeRecordingSeconds>x</ScopeRecordingSeconds></Init>");
        QVERIFY(xml.readMemory());
        QCOMPARE(Global::instance()->scopeSampling(), 0); // only 1 is Fast
        QCOMPARE(Global::instance()->scopeRecordingSeconds(), 0);
    }

    // The connection's protocol, host and TCP port: an older file without them reads as a serial
    // link and stays as it was until one differs; they come back at the next start.
    void connectionElements()
    {
        const QByteArray older("<Init><Device>0</Device><Language>0</Language></Init>");
        writeInit(older);
        Xml xml;
        QVERIFY(xml.readMemory());
        QCOMPARE(Global::instance()->commType(), 0);
        QCOMPARE(Global::instance()->tcpPort(), 502);
        QVERIFY(xml.writeMemory());
        QVERIFY(!readInit().contains("Comm"));
        QVERIFY(!readInit().contains("Tcp"));

        Global::instance()->setCommType(4);
        Global::instance()->setTcpHost(QStringLiteral(" gw-line3.plant "));
        Global::instance()->setTcpPort(5020);
        QVERIFY(xml.writeMemory());
        QVERIFY(readInit().contains("<TcpHost>gw-line3.plant</TcpHost>"));
        Global::instance()->setCommType(0);
        Global::instance()->setTcpHost(QString());
        Global::instance()->setTcpPort(502);
        QVERIFY(xml.readMemory());
        QCOMPARE(Global::instance()->commType(), 4);
        QCOMPARE(Global::instance()->tcpHost(), QStringLiteral("gw-line3.plant"));
        QCOMPARE(Global::instance()->tcpPort(), 5020);

        writeInit("<Init><TcpPort>70000</TcpPort><TcpHost/></Init>");
        QVERIFY(xml.readMemory());
        QCOMPARE(Global::instance()->tcpPort(), 502); // no TCP port
        QCOMPARE(Global::instance()->tcpHost(), QString());
    }

    void singletonIsShared()
    {
        QCOMPARE(Global::instance(), Global::instance());
        QVERIFY(Global::instance()->parent() == nullptr);
        const QMetaEnum info = QMetaEnum::fromType<Global::MESSAGE_INFO>();
        QCOMPARE(info.keyToValue("MESSAGE_WARNNING"), 1);
        QCOMPARE(info.keyToValue("MESSAGE_ABOUT"), 3);
        QCOMPARE(QMetaEnum::fromType<Global::DEVICE_INFO>().keyToValue("DEVICE_VFD"), 1);
        QCOMPARE(QMetaEnum::fromType<Global::LANGUAGE_INFO>().keyToValue("LANGUAGE_CN"), 1);
    }

    void writeMemoryRefusesMalformedFile()
    {
        const QByteArray broken("<Init><Device>1</Device>");
        writeInit(broken);
        Xml xml;
        QVERIFY(!xml.writeMemory());
        QCOMPARE(readInit(), broken);
    }

    void failedWriteLeavesOldFile()
    {
        // A disk that fills up half-way: the file size limit cuts the write short.
        QByteArray original("<Init><Device>0</Device><Language>0</Language><Notes>");
        original += QByteArray(300, 'x') + "</Notes></Init>";
        writeInit(original);
        Global::instance()->setDevice(1);
        bool written = true;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.isActive());
            Xml xml;
            written = xml.writeMemory();
        }
        QVERIFY(!written);
        QCOMPARE(readInit(), original);
        QCOMPARE(QDir(QStringLiteral("Driver")).entryList(QDir::Files | QDir::Hidden),
            QStringList { QStringLiteral("Init.xml") });
    }

    void writeReplacesFileInOneStep()
    {
        // The new content goes to a temporary file that is renamed over the old one, so a reader that
        // holds the old file open keeps seeing a whole document, never a truncated one.
        const QByteArray original("<Init><Device>0</Device><Language>0</Language></Init>");
        writeInit(original);
        QFile held(QStringLiteral("Driver/Init.xml"));
        QVERIFY(held.open(QIODevice::ReadOnly));
        Global::instance()->setDevice(1);
        Xml xml;
        QVERIFY(xml.writeMemory());
        QCOMPARE(held.readAll(), original);
        QVERIFY(readInit().contains("<Device>1</Device>"));
        const QStringList leftovers = QDir(QStringLiteral("Driver")).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(leftovers, QStringList { QStringLiteral("Init.xml") });
    }

    void paths_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("configPath");
        QTest::addColumn<QString>("picture");

        QTest::newRow("servo en") << 0 << 0 << "KSD-V1.2"
                                  << "./Driver/Config/SERVO/KSD-V1.2/EN/"
                                  << "./Driver/Pictures/SERVO/a.png";
        QTest::newRow("vfd cn") << 1 << 1 << "KVF-V2.0"
                                << "./Driver/Config/VFD/KVF-V2.0/CN/"
                                << "./Driver/Pictures/VFD/a.png";
        QTest::newRow("family 2 uses vfd folders") << 2 << 0 << "X"
                                                   << "./Driver/Config/VFD/X/EN/"
                                                   << "./Driver/Pictures/VFD/a.png";
        QTest::newRow("language 7 is english") << 0 << 7 << "X"
                                               << "./Driver/Config/SERVO/X/EN/"
                                               << "./Driver/Pictures/SERVO/a.png";
    }

    void paths()
    {
        QFETCH(int, device);
        QFETCH(int, language);
        QFETCH(QString, version);
        QFETCH(QString, configPath);
        QFETCH(QString, picture);

        Global* global = Global::instance();
        global->setDevice(device);
        global->setLanguage(language);
        global->setDeviceVersion(version);
        QCOMPARE(global->configPath(), configPath);
        QCOMPARE(global->picturePath(QStringLiteral("a.png")), picture);
    }

    void familyTwoMatchesNeitherFamily()
    {
        Global::instance()->setDevice(2);
        QVERIFY(Global::instance()->device() != Global::DEVICE_SERVO);
        QVERIFY(Global::instance()->device() != Global::DEVICE_VFD);
        QCOMPARE(Global::instance()->configDirectory(), QStringLiteral("./Driver/Config/VFD/"));
    }

    void pictureListOrder()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("Driver/Pictures/SERVO/subfolder.png")));
        for (const char* name : { "V1.2.png", "v1.10.png", "V1.9.jpg" }) {
            QFile file(QStringLiteral("Driver/Pictures/SERVO/") + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QStringList expected { QStringLiteral("v1.10.png"), QStringLiteral("V1.2.png"),
            QStringLiteral("V1.9.jpg") };
        QCOMPARE(Global::instance()->pictureList(), expected);
        Global::instance()->setDevice(Global::DEVICE_VFD);
        QVERIFY(Global::instance()->pictureList().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMemory)
#include "tst_memory.moc"
