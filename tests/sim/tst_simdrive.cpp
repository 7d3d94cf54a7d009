// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated drive, checked through our own Modbus master over a real pty link: it is the peer
// every bus test relies on, so its registers, motion and fault injection must behave as documented.

#include "SimDrive.h"
#include "app/Xml.h"
#include "comm/Modbus.h"
#include "comm/RtuFrame.h"
#include "definitions/Parameter.h"
#include "definitions/ValueFormat.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

const QString kServoConfig = QStringLiteral("SERVO/KSD-V1.10/EN");
const QString kVfdConfig = QStringLiteral("VFD/KVF-V2.0/EN");

QString configPath(const QString& folder)
{
    return QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/") + folder;
}

QString familyOf(const QString& folder)
{
    return folder.startsWith(QLatin1String("VFD")) ? QStringLiteral("vfd") : QStringLiteral("servo");
}

struct TableEntry
{
    ParamAttributeStruct attribute;
    quint16 address = 0;
};

// Every parameter of a definition file in file order, read by the tool's own reader.
QVector<TableEntry> loadTable(const QString& folder)
{
    QVector<TableEntry> entries;
    Parameter parameter(configPath(folder) + QStringLiteral("/ParamTable.xml"), nullptr);
    if (!parameter.load())
        return entries;
    const QMap<int, ParamGroupStruct> groups = parameter.groups();
    for (const ParamGroupStruct& group : groups) {
        for (const ParamAttributeStruct& attribute : group.params) {
            bool ok = false;
            const quint16 address = codeToAddress(group.code, attribute.name, &ok);
            if (ok && !attribute.name.isEmpty())
                entries.append({ attribute, address });
        }
    }
    return entries;
}

// The register value a factory text stands for. Written independently of the sim's reader, so a
// disagreement shows up as a failure rather than as two copies of one mistake.
bool defaultToRaw(const ParamAttributeStruct& p, quint16* raw)
{
    const QString text = p.defaultValue.trimmed();
    const uint format1 = p.format1.toUInt();
    bool ok = false;
    qlonglong value = 0;
    if (!p.indexList.isEmpty()) {
        value = text.toLongLong(&ok, 10); // an enumeration's default is its numeric value
    } else if (format1 == 9) {
        QString digits = text;
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            digits.remove(0, 2);
        value = digits.toLongLong(&ok, 16);
    } else if (format1 == 8) {
        value = text.toLongLong(&ok, 2);
    } else if (format1 >= 1 && format1 <= 7) {
        const double x = text.toDouble(&ok);
        value = floatToRaw(float(x), quint8(format1));
    } else {
        value = text.toLongLong(&ok, 10);
    }
    *raw = quint16(value & 0xFFFF);
    return ok;
}

const QVector<VariableRecord>& variablesOf(const QString& folder)
{
    static QMap<QString, QVector<VariableRecord>> cache;
    if (!cache.contains(folder))
        Xml::readVariables(configPath(folder) + QStringLiteral("/Variables.xml"), cache[folder]);
    return cache[folder];
}

// Registers whose value the drive computes, so they hold no factory value: its status registers
// and whatever the scope can trace.
bool isLive(const QString& folder, quint16 address)
{
    if (familyOf(folder) == QLatin1String("vfd")) {
        if ((address & 0xFF00) == 0x7000)
            return true;
    } else if (address == 53 || address == 54 || (address >= 0x1000 && address < 0x101C)) {
        return true;
    }
    for (const VariableRecord& v : variablesOf(folder)) {
        if (address >= v.code && address < v.code + qMax<int>(1, v.length))
            return true;
    }
    return false;
}

qint32 joined(const QVector<quint16>& words, int at)
{
    return qint32(quint32(words.at(at)) | (quint32(words.at(at + 1)) << 16));
}

// A frame given as address and PDU, with its CRC.
QByteArray withCrc(const QByteArray& frame)
{
    return RtuFrame::frame(quint8(frame.at(0)), frame.mid(1));
}

} // namespace

class TestSimDrive : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void factoryValueOfEachFormat_data();
    void factoryValueOfEachFormat();
    void everyParameterServedAtFactoryValue_data();
    void everyParameterServedAtFactoryValue();
    void writeReadsBack_data();
    void writeReadsBack();
    void writeToReadOnlyIsRefused_data();
    void writeToReadOnlyIsRefused();
    void servoEnableShowsInState();
    void jog_data();
    void jog();
    void positionRunReachesTarget();
    void jogStops_data();
    void jogStops();
    void restoreFactory_data();
    void restoreFactory();
    void vfdRunRampsAndStops_data();
    void vfdRunRampsAndStops();
    void vfdIgnoresRunWithoutSerialSource();
    void alarm_data();
    void alarm();
    void doStatesFollowDrive();
    void diStatesFollowDrive();
    void badCrc();
    void silentDrive();
    void injectedException_data();
    void injectedException();
    void ignoredWriteKeepsOldValue_data();
    void ignoredWriteKeepsOldValue();
    void otherSlaveIsIgnored_data();
    void otherSlaveIsIgnored();
    void consoleActsOnTheChosenSlave();
    void broadcastWriteIsTakenSilently();
    void consoleSetHoldsComputedValue();
    void delaySlowsAnswer();
    void splitAnswerComesInTwoParts();
    void wireTime();
    void scopeVariablesMove_data();
    void scopeVariablesMove();
    void linkCutAndRestored();
    void garbageOnLineIsDropped();
    void staleRequestIsFlushedOnReopen();
    void logLine_data();
    void logLine();

private:
    // The link as the options say, our master on it with the same framing.
    bool startDrive(const QString& folder, SimDrive::Options options = {});
    QVector<quint16> read(quint16 address, quint16 count, qint64* elapsedMs = nullptr);
    quint16 read1(quint16 address);
    bool write(quint16 address, const QVector<quint16>& values);
    QVector<quint16> transact(
        bool isWrite, quint16 address, quint16 count, const QVector<quint16>& values, qint64* elapsedMs);

    std::unique_ptr<SimDrive> m_sim;
    std::unique_ptr<Modbus> m_bus;
    int m_serial = 0;
};

void TestSimDrive::cleanup()
{
    m_bus.reset();
    m_sim.reset();
}

bool TestSimDrive::startDrive(const QString& folder, SimDrive::Options options)
{
    m_bus.reset();
    m_sim = std::make_unique<SimDrive>();
    options.family = familyOf(folder);
    options.config = configPath(folder);
    if (!m_sim->start(options))
        return false;

    SerialSettings settings = m_sim->serialSettings();
    // Short, so the failures this suite provokes on purpose do not cost seconds each.
    settings.responseTime = 700;
    settings.numberOfRetries = 1;
    m_bus = std::make_unique<Modbus>();
    m_bus->setSettings(settings);
    m_bus->setServerAddress(quint16(options.slave));
    if (!m_bus->openDevice() || !m_bus->connectDevice(53, 1))
        return false;
    m_sim->clearLog();
    return true;
}

QVector<quint16> TestSimDrive::transact(
    bool isWrite, quint16 address, quint16 count, const QVector<quint16>& values, qint64* elapsedMs)
{
    const QString tag = QStringLiteral("request %1").arg(++m_serial);
    QVector<quint16> answer;
    bool done = false;
    QEventLoop loop;
    const QMetaObject::Connection connection = connect(
        m_bus.get(), &BusDevices::result, &loop, [&](const QString& message, const QVector<quint16>& got) {
            if (message != tag)
                return;
            answer = got;
            done = true;
            loop.quit();
        });
    QTimer::singleShot(6000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    if (isWrite)
        m_bus->sendWrite(tag, address, count, values);
    else
        m_bus->sendRead(tag, address, count);
    if (!done)
        loop.exec();
    if (elapsedMs)
        *elapsedMs = clock.elapsed();
    disconnect(connection);
    if (!done)
        qWarning("no result for %s", qPrintable(tag));
    return answer;
}

QVector<quint16> TestSimDrive::read(quint16 address, quint16 count, qint64* elapsedMs)
{
    return transact(false, address, count, {}, elapsedMs);
}

quint16 TestSimDrive::read1(quint16 address)
{
    const QVector<quint16> values = read(address, 1);
    if (values.size() != 1) {
        qWarning("read of 0x%04X failed", address);
        return 0xDEAD;
    }
    return values.at(0);
}

bool TestSimDrive::write(quint16 address, const QVector<quint16>& values)
{
    return !transact(true, address, quint16(values.size()), values, nullptr).isEmpty();
}

void TestSimDrive::factoryValueOfEachFormat_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("code");
    QTest::addColumn<quint16>("address");
    QTest::addColumn<quint16>("factory");

    // The first two parameters of every display format (and sign) the files use.
    for (const QString& folder : { kServoConfig, kVfdConfig }) {
        QMap<QString, int> seen;
        for (const TableEntry& e : loadTable(folder)) {
            if (isLive(folder, e.address))
                continue;
            const QString format
                = QStringLiteral("format %1/%2%3")
                      .arg(e.attribute.format1, e.attribute.format2,
                          e.attribute.indexList.isEmpty() ? QString() : QStringLiteral(" enum"));
            if (seen[format]++ >= 2)
                continue;
            quint16 raw = 0;
            QVERIFY2(defaultToRaw(e.attribute, &raw), qPrintable(e.attribute.name));
            QTest::addRow(
                "%s %s %s", qPrintable(familyOf(folder)), qPrintable(format), qPrintable(e.attribute.name))
                << folder << e.attribute.name << e.address << raw;
        }
        QVERIFY(seen.size() >= 8);
    }
}

void TestSimDrive::factoryValueOfEachFormat()
{
    QFETCH(QString, folder);
    QFETCH(quint16, address);
    QFETCH(quint16, factory);
    QVERIFY(startDrive(folder));
    QCOMPARE(read1(address), factory);
}

void TestSimDrive::everyParameterServedAtFactoryValue_data()
{
    QTest::addColumn<QString>("folder");
    for (const QString& folder :
        { QStringLiteral("SERVO/KSD-V1.2/EN"), kServoConfig, kVfdConfig, QStringLiteral("VFD/KVF-V2.1/EN") })
        QTest::newRow(qPrintable(folder)) << folder;
}

void TestSimDrive::everyParameterServedAtFactoryValue()
{
    QFETCH(QString, folder);
    const QVector<TableEntry> table = loadTable(folder);
    QVERIFY(table.size() > 200);
    QVERIFY(startDrive(folder));

    QMap<quint16, const TableEntry*> byAddress;
    for (const TableEntry& e : table) {
        if (!isLive(folder, e.address) && !byAddress.contains(e.address))
            byAddress.insert(e.address, &e);
    }
    QVERIFY(byAddress.size() > 200);
    // Blocks of up to 100 registers inside one group, as few requests as the table allows.
    QStringList mismatches;
    auto it = byAddress.cbegin();
    while (it != byAddress.cend()) {
        const quint16 first = it.key();
        auto last = it;
        for (auto next = it; next != byAddress.cend() && next.key() - first < 100
             && (next.key() & 0xFF00) == (first & 0xFF00);
             ++next)
            last = next;
        const quint16 count = quint16(last.key() - first + 1);
        const QVector<quint16> values = read(first, count);
        QCOMPARE(values.size(), int(count));
        for (auto e = it; e != std::next(last); ++e) {
            quint16 factory = 0;
            QVERIFY2(defaultToRaw(e.value()->attribute, &factory), qPrintable(e.value()->attribute.name));
            const quint16 got = values.at(e.key() - first);
            if (got != factory)
                mismatches << QStringLiteral("%1 (%2): %3, expected %4")
                                  .arg(e.value()->attribute.name, e.value()->attribute.defaultValue)
                                  .arg(got)
                                  .arg(factory);
        }
        it = std::next(last);
    }
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(QStringLiteral("; "))));
}

void TestSimDrive::writeReadsBack_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<quint16>("writeAddress");
    QTest::addColumn<QVector<quint16>>("written");
    QTest::addColumn<quint16>("readAddress");

    QTest::newRow("servo P0-04 one register")
        << kServoConfig << quint16(0x0004) << QVector<quint16> { 20 } << quint16(0x0004);
    QTest::newRow("servo P0-06 top of range")
        << kServoConfig << quint16(0x0006) << QVector<quint16> { 65535 } << quint16(0x0006);
    QTest::newRow("servo two registers")
        << kServoConfig << quint16(0x0004) << QVector<quint16> { 21, 2 } << quint16(0x0004);
    QTest::newRow("servo register outside the table")
        << kServoConfig << quint16(0x2100) << QVector<quint16> { 4321 } << quint16(0x2100);
    QTest::newRow("vfd P0-08 negative-looking value")
        << kVfdConfig << quint16(0xF008) << QVector<quint16> { 40000 } << quint16(0xF008);
    QTest::newRow("vfd parameter read at its RAM copy")
        << kVfdConfig << quint16(0xF004) << QVector<quint16> { 3 } << quint16(0x0004);
    QTest::newRow("vfd block read at its RAM copies")
        << kVfdConfig << quint16(0xF003) << QVector<quint16> { 1, 3, 1 } << quint16(0x0003);
    QTest::newRow("vfd unlock") << kVfdConfig << quint16(0xFF00) << QVector<quint16> { 55 }
                                << quint16(0xFF00);
    QTest::newRow("vfd RAM copy read at the parameter")
        << kVfdConfig << quint16(0x0008) << QVector<quint16> { 3000 } << quint16(0xF008);
}

void TestSimDrive::writeReadsBack()
{
    QFETCH(QString, folder);
    QFETCH(quint16, writeAddress);
    QFETCH(QVector<quint16>, written);
    QFETCH(quint16, readAddress);

    QVERIFY(startDrive(folder));
    QVERIFY(read(readAddress, quint16(written.size())) != written);
    QVERIFY(write(writeAddress, written));
    QCOMPARE(read(readAddress, quint16(written.size())), written);
}

void TestSimDrive::writeToReadOnlyIsRefused_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<quint16>("address");
    QTest::addColumn<QVector<quint16>>("written");

    // A read-only parameter of each file, found rather than assumed.
    for (const QString& folder : { kServoConfig, kVfdConfig }) {
        for (const TableEntry& e : loadTable(folder)) {
            if (e.attribute.writable.trimmed() == QLatin1String("0") && !isLive(folder, e.address)) {
                QTest::addRow("%s %s", qPrintable(familyOf(folder)), qPrintable(e.attribute.name))
                    << folder << e.address << QVector<quint16> { 7 };
                break;
            }
        }
    }
    QTest::newRow("vfd P0-00 at its RAM copy") << kVfdConfig << quint16(0x0000) << QVector<quint16> { 2 };
    QTest::newRow("servo enable state 53") << kServoConfig << quint16(53) << QVector<quint16> { 1 };
    QTest::newRow("servo alarm word") << kServoConfig << quint16(0x1013) << QVector<quint16> { 5 };
    QTest::newRow("vfd running state") << kVfdConfig << quint16(0x3000) << QVector<quint16> { 1 };
    QTest::newRow("vfd fault code") << kVfdConfig << quint16(0x8000) << QVector<quint16> { 4 };
    // One read-only register spoils the whole write: nothing of it is stored.
    QTest::newRow("vfd writable then read-only")
        << kVfdConfig << quint16(0xEFFF) << QVector<quint16> { 9, 2 };
}

void TestSimDrive::writeToReadOnlyIsRefused()
{
    QFETCH(QString, folder);
    QFETCH(quint16, address);
    QFETCH(QVector<quint16>, written);

    QVERIFY(startDrive(folder));
    const quint16 count = quint16(written.size());
    const QVector<quint16> before = read(address, count);
    QCOMPARE(before.size(), int(count));
    QVERIFY(before != written);
    qint64 ms = 0;
    QVERIFY(transact(true, address, count, written, &ms).isEmpty());
    // refused at once with an exception, not left unanswered
    QVERIFY2(ms < 600, qPrintable(QString::number(ms)));
    QCOMPARE(read(address, count), before);
    // Refused, not ignored: the request reached the drive and was answered.
    QVERIFY(m_sim->log().size() >= 3);
}

void TestSimDrive::servoEnableShowsInState()
{
    QVERIFY(startDrive(kServoConfig));
    QCOMPARE(read(53, 2), (QVector<quint16> { 0, 1 })); // disabled, ready
    QVERIFY(write(181, { 1 }));
    QCOMPARE(read(53, 2), (QVector<quint16> { 1, 2 })); // enabled, servo on
    QCOMPARE(read1(0x1016), quint16(2));
    QVERIFY(write(181, { 0 }));
    QCOMPARE(read(53, 2), (QVector<quint16> { 0, 1 }));
}

void TestSimDrive::jog_data()
{
    QTest::addColumn<quint16>("trialMode");
    QTest::addColumn<quint16>("enable");
    QTest::addColumn<quint16>("direction");
    QTest::addColumn<int>("sign"); // expected direction of motion, 0 none

    QTest::newRow("forward") << quint16(128) << quint16(1) << quint16(32) << 1;
    QTest::newRow("backward") << quint16(128) << quint16(1) << quint16(64) << -1;
    QTest::newRow("not in trial mode") << quint16(0) << quint16(1) << quint16(32) << 0;
    QTest::newRow("disabled") << quint16(128) << quint16(0) << quint16(32) << 0;
}

void TestSimDrive::jog()
{
    QFETCH(quint16, trialMode);
    QFETCH(quint16, enable);
    QFETCH(quint16, direction);
    QFETCH(int, sign);

    QVERIFY(startDrive(kServoConfig));
    QVERIFY(write(400, { trialMode }));
    QVERIFY(write(149, { 300 }));
    QVERIFY(write(181, { enable }));
    const QVector<quint16> start = read(0x1000, 3);
    QCOMPARE(start.size(), 3);
    QVERIFY(write(401, { direction }));
    QTest::qWait(300);

    const QVector<quint16> moving = read(0x1000, 3);
    QCOMPARE(moving.size(), 3);
    const int speed = qint16(moving.at(0));
    QTest::qWait(200);
    const QVector<quint16> later = read(0x1000, 3);
    QCOMPARE(later.size(), 3);
    const qint32 travelled = joined(later, 1) - joined(moving, 1);
    if (sign == 0) {
        QVERIFY2(qAbs(speed) <= 1, qPrintable(QString::number(speed)));
        QCOMPARE(joined(later, 1), joined(start, 1));
        return;
    }
    // 300 rpm within the speed noise, 5000 pulses per 100 ms
    QVERIFY2(qAbs(speed - sign * 300) <= 2, qPrintable(QString::number(speed)));
    QVERIFY2(travelled * sign > 5000, qPrintable(QString::number(travelled)));
    QVERIFY(joined(moving, 1) * sign > 0);

    QVERIFY(write(401, { 0 }));
    QTest::qWait(150);
    const QVector<quint16> stopped = read(0x1000, 3);
    QTest::qWait(150);
    const QVector<quint16> still = read(0x1000, 3);
    QCOMPARE(still.size(), 3);
    QVERIFY2(qAbs(qint16(still.at(0))) <= 1, qPrintable(QString::number(qint16(still.at(0)))));
    QCOMPARE(joined(still, 1), joined(stopped, 1));
}

void TestSimDrive::positionRunReachesTarget()
{
    QVERIFY(startDrive(kServoConfig));
    QVERIFY(write(400, { 128 }));
    QVERIFY(write(181, { 1 }));
    QVERIFY(write(640, { 1 }));
    QVERIFY(write(644, { 600 }));
    QVERIFY(write(168, { 50 }));
    QVERIFY(write(169, { 50 }));
    // 1 * 10000 - 2500 pulses: the low word is signed
    QVERIFY(write(514, { 1, quint16(-2500) }));
    const qint32 start = joined(read(0x1001, 2), 0);
    QVERIFY(write(402, { 8 }));
    QTRY_COMPARE_WITH_TIMEOUT(joined(read(0x1001, 2), 0), start + 7500, 5000);
    QTest::qWait(100);
    QCOMPARE(joined(read(0x1001, 2), 0), start + 7500);
    QVERIFY(qAbs(qint16(read1(0x1000))) <= 1);
}

void TestSimDrive::jogStops_data()
{
    QTest::addColumn<quint16>("address"); // 0: the console command instead
    QTest::addColumn<quint16>("value");
    QTest::addColumn<QString>("command");

    QTest::newRow("jog command 0") << quint16(401) << quint16(0) << QString();
    QTest::newRow("disable") << quint16(181) << quint16(0) << QString();
    QTest::newRow("soft reset") << quint16(60) << quint16(1) << QString();
    QTest::newRow("leaving trial mode") << quint16(400) << quint16(0) << QString();
    QTest::newRow("alarm") << quint16(0) << quint16(0) << "alarm 5";
}

void TestSimDrive::jogStops()
{
    QFETCH(quint16, address);
    QFETCH(quint16, value);
    QFETCH(QString, command);

    QVERIFY(startDrive(kServoConfig));
    QVERIFY(write(400, { 128 }));
    QVERIFY(write(181, { 1 }));
    QVERIFY(write(401, { 32 }));
    QTest::qWait(200);
    QVERIFY(qint16(read1(0x1000)) > 50);
    if (address)
        QVERIFY(write(address, { value }));
    else
        QVERIFY(m_sim->command(command).startsWith(QLatin1String("ok")));
    QTest::qWait(150);
    const qint32 stopped = joined(read(0x1001, 2), 0);
    QTest::qWait(150);
    QCOMPARE(joined(read(0x1001, 2), 0), stopped);
    QVERIFY(qAbs(qint16(read1(0x1000))) <= 1);
}

void TestSimDrive::restoreFactory_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<quint16>("parameter");
    QTest::addColumn<quint16>("restoreAddress");
    QTest::addColumn<QVector<quint16>>("restoreValues");
    QTest::addColumn<QString>("logLine");

    QTest::newRow("servo") << kServoConfig << quint16(0x0004) << quint16(0) << QVector<quint16> { 385, 65535 }
                           << "10 0000 2 385 65535";
    QTest::newRow("vfd") << kVfdConfig << quint16(0xF00A) << quint16(0x1F00) << QVector<quint16> { 0, 1 }
                         << "10 1F00 2 0 1";
}

void TestSimDrive::restoreFactory()
{
    QFETCH(QString, folder);
    QFETCH(quint16, parameter);
    QFETCH(quint16, restoreAddress);
    QFETCH(QVector<quint16>, restoreValues);
    QFETCH(QString, logLine);

    QVERIFY(startDrive(folder));
    const QVector<quint16> restoreBlock = read(restoreAddress, 2);
    const quint16 factory = read1(parameter);
    QVERIFY(factory != 0xDEAD);
    QVERIFY(write(parameter, { quint16(factory + 3) }));
    QCOMPARE(read1(parameter), quint16(factory + 3));
    m_sim->clearLog();
    QVERIFY(write(restoreAddress, restoreValues));
    QCOMPARE(m_sim->log(), QStringList { logLine });
    QCOMPARE(read1(parameter), factory);
    // The command words themselves do not stay behind in the registers they were written to.
    QCOMPARE(read(restoreAddress, 2), restoreBlock);
}

void TestSimDrive::vfdRunRampsAndStops_data()
{
    QTest::addColumn<quint16>("command");
    QTest::addColumn<quint16>("setting"); // register 8, 0.01 Hz
    QTest::addColumn<quint16>("target"); // 0x7000, 0.01 Hz
    QTest::addColumn<quint16>("state");
    QTest::addColumn<quint16>("resolution"); // P0-22: 2 for 0.01 Hz, 1 for 0.1 Hz

    QTest::newRow("forward to 50 Hz")
        << quint16(1) << quint16(5000) << quint16(5000) << quint16(1) << quint16(2);
    QTest::newRow("backward to 20 Hz")
        << quint16(2) << quint16(2000) << quint16(2000) << quint16(2) << quint16(2);
    QTest::newRow("forward to 20 Hz in 0.1 Hz")
        << quint16(1) << quint16(200) << quint16(200) << quint16(1) << quint16(1);
    // the jog runs at P8-00 (2.00 Hz), whatever the setting
    QTest::newRow("forward jog") << quint16(3) << quint16(5000) << quint16(200) << quint16(1) << quint16(2);
    QTest::newRow("backward jog") << quint16(4) << quint16(5000) << quint16(200) << quint16(2) << quint16(2);
}

void TestSimDrive::vfdRunRampsAndStops()
{
    QFETCH(quint16, command);
    QFETCH(quint16, setting);
    QFETCH(quint16, target);
    QFETCH(quint16, state);
    QFETCH(quint16, resolution);

    // Frequencies seen every 50 ms until the value stays at `until` for 150 ms.
    auto follow = [this](quint16 until) {
        QVector<quint16> seen;
        QElapsedTimer clock;
        clock.start();
        int steady = 0;
        while (clock.elapsed() < 4000 && steady < 3) {
            seen.append(read1(0x7000));
            steady = seen.last() == until ? steady + 1 : 0;
            QTest::qWait(50);
        }
        return seen;
    };

    QVERIFY(startDrive(kVfdConfig));
    QVERIFY(write(0xF002, { 2 }));
    QVERIFY(write(0xF016, { resolution }));
    QVERIFY(write(8, { setting }));
    QCOMPARE(read1(0x3000), quint16(3));
    QVERIFY(write(0x2000, { command }));

    const QVector<quint16> rising = follow(target);
    QCOMPARE(rising.last(), target);
    QVERIFY(std::is_sorted(rising.cbegin(), rising.cend()));
    // 25 Hz/s: 50 Hz takes two seconds, seen on the way
    const int between
        = int(std::count_if(rising.cbegin(), rising.cend(), [&](quint16 f) { return f > 0 && f < target; }));
    QVERIFY2(between >= target / 1000, qPrintable(QString::number(between)));
    QCOMPARE(read1(0x3000), state);
    QCOMPARE(read1(0x7001), setting);
    QVERIFY(read1(0x7004) > 0); // output current
    QVERIFY(read1(0x7005) > 0 || target < 1000); // output power, 0.1 kW
    // V/f: 380 V at 50 Hz, in proportion below
    const double hz = target / (resolution == 1 ? 10.0 : 100.0);
    const int volts = read1(0x7003);
    QVERIFY2(qAbs(volts - 380.0 * hz / 50.0) <= 1.0, qPrintable(QString::number(volts)));
    const int bus = read1(0x7002); // 0.1 V
    QVERIFY2(bus > 5000 && bus < 5800, qPrintable(QString::number(bus)));

    QVERIFY(write(0x2000, { 6 }));
    QVector<quint16> falling = follow(0);
    QCOMPARE(falling.last(), quint16(0));
    std::reverse(falling.begin(), falling.end());
    QVERIFY(std::is_sorted(falling.cbegin(), falling.cend()));
    QCOMPARE(read1(0x3000), quint16(3));
}

void TestSimDrive::vfdIgnoresRunWithoutSerialSource()
{
    QVERIFY(startDrive(kVfdConfig));
    QVERIFY(read1(0xF002) != 2);
    QVERIFY(write(0x2000, { 1 })); // a command register takes the write, the drive ignores it
    QTest::qWait(200);
    QCOMPARE(read1(0x7000), quint16(0));
    QCOMPARE(read1(0x3000), quint16(3));
}

void TestSimDrive::alarm_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<quint16>("alarmRegister");
    QTest::addColumn<QString>("clear"); // console command, or "<register> <value>" to write
    QTest::addColumn<quint16>("clearAddress");

    QTest::newRow("servo, clear") << kServoConfig << quint16(0x1013) << "clear" << quint16(0);
    QTest::newRow("servo, soft reset") << kServoConfig << quint16(0x1013) << "" << quint16(60);
    QTest::newRow("vfd, clear") << kVfdConfig << quint16(0x8000) << "clear" << quint16(0);
    QTest::newRow("vfd, fault reset") << kVfdConfig << quint16(0x8000) << "" << quint16(0x2000);
}

void TestSimDrive::alarm()
{
    QFETCH(QString, folder);
    QFETCH(quint16, alarmRegister);
    QFETCH(QString, clear);
    QFETCH(quint16, clearAddress);
    const bool servo = familyOf(folder) == QLatin1String("servo");

    QVERIFY(startDrive(folder));
    const quint16 parameter = servo ? 0x0004 : 0xF004;
    QVERIFY(write(parameter, { 3 }));
    // Get the motor going, so the alarm has something to stop.
    if (servo) {
        QVERIFY(write(400, { 128 }));
        QVERIFY(write(181, { 1 }));
        QVERIFY(write(401, { 32 }));
    } else {
        QVERIFY(write(0xF002, { 2 }));
        QVERIFY(write(0x2000, { 1 }));
    }
    QTest::qWait(200);
    QVERIFY(read1(servo ? 0x1000 : 0x7000) != 0);
    QCOMPARE(read1(alarmRegister), quint16(0));

    QVERIFY(m_sim->command(QStringLiteral("alarm d")).startsWith(QLatin1String("ok")));
    QCOMPARE(read1(alarmRegister), quint16(13));
    if (servo) {
        QCOMPARE(read(53, 2), (QVector<quint16> { 0, 3 }));
        QCOMPARE(read1(0x1016), quint16(3));
        QVERIFY(qAbs(qint16(read1(0x1000))) <= 1);
        QVERIFY(write(181, { 1 })); // taken, but an alarm refuses enabling
        QCOMPARE(read1(53), quint16(0));
    } else {
        QCOMPARE(read1(0x7000), quint16(0));
        QCOMPARE(read1(0x3000), quint16(3));
        QVERIFY(write(0x2000, { 1 }));
        QTest::qWait(100);
        QCOMPARE(read1(0x7000), quint16(0));
    }

    if (clear.isEmpty())
        QVERIFY(write(clearAddress, { quint16(servo ? 1 : 7) }));
    else
        QVERIFY(m_sim->command(clear).startsWith(QLatin1String("ok")));
    QCOMPARE(read1(alarmRegister), quint16(0));
    QCOMPARE(read1(parameter), quint16(3)); // clearing or resetting keeps the parameters
    if (servo) {
        QCOMPARE(read(53, 2), (QVector<quint16> { 0, 1 }));
        QVERIFY(write(181, { 1 }));
        QCOMPARE(read1(53), quint16(1));
    }
}

void TestSimDrive::doStatesFollowDrive()
{
    QVERIFY(startDrive(kServoConfig));
    // Factory DO functions: ready, alarm, positioning completed, zero speed, brake, (unused 18).
    QCOMPARE(read(0x114, 6), (QVector<quint16> { 2, 3, 5, 4, 8, 18 }));
    QCOMPARE(read1(0x1010), quint16(0b001101));
    QVERIFY(write(181, { 1 }));
    QCOMPARE(read1(0x1010), quint16(0b011101));
    QVERIFY(m_sim->command(QStringLiteral("alarm 1")).startsWith(QLatin1String("ok")));
    QCOMPARE(read1(0x1010), quint16(0b001110));
    QVERIFY(m_sim->command(QStringLiteral("clear")).startsWith(QLatin1String("ok")));
    // DO1 made the alarm output: off while there is none
    QVERIFY(write(0x114, { 3 }));
    QCOMPARE(read1(0x1010), quint16(0b001100));
    // DI states as the console sets them
    QVERIFY(m_sim->command(QStringLiteral("set 100F 0x5")).startsWith(QLatin1String("ok")));
    QCOMPARE(read1(0x100F), quint16(5));
}

void TestSimDrive::diStatesFollowDrive()
{
    QVERIFY(startDrive(kServoConfig));
    // DI1 the enable input, DI2 the forward move input, DI3 the reverse move input, the rest unused.
    QVERIFY(write(0x100, { 1, 22, 23, 0, 0, 0, 0, 0 }));
    QCOMPARE(read(0x100, 8), (QVector<quint16> { 1, 22, 23, 0, 0, 0, 0, 0 }));
    QCOMPARE(read1(0x100F), quint16(0));
    QVERIFY(write(181, { 1 }));
    QCOMPARE(read1(0x100F), quint16(0b001));
    QVERIFY(write(400, { 128 }));
    QVERIFY(write(401, { 32 }));
    QCOMPARE(read1(0x100F), quint16(0b011));
    QVERIFY(write(401, { 64 }));
    QCOMPARE(read1(0x100F), quint16(0b101));
    QVERIFY(write(401, { 0 }));
    QCOMPARE(read1(0x100F), quint16(0b001));
    // The console fixes the inputs until they are released.
    QVERIFY(m_sim->command(QStringLiteral("set 100F 0x81")).startsWith(QLatin1String("ok")));
    QCOMPARE(read(0x100F, 2).value(0), quint16(0x81));
    QVERIFY(write(181, { 0 }));
    QCOMPARE(read1(0x100F), quint16(0x81));
    QVERIFY(m_sim->command(QStringLiteral("release 100F")).startsWith(QLatin1String("ok")));
    QCOMPARE(read1(0x100F), quint16(0));
    // DO states held from the console
    QVERIFY(m_sim->command(QStringLiteral("set 1010 0x21")).startsWith(QLatin1String("ok")));
    QCOMPARE(read(0x100F, 2), (QVector<quint16> { 0, 0x21 }));
    // Level words are stored as written.
    QVERIFY(write(55, { 0x0005 }));
    QVERIFY(write(57, { 0x0021 }));
    QCOMPARE(read1(55), quint16(0x0005));
    QCOMPARE(read1(57), quint16(0x0021));
}

void TestSimDrive::badCrc()
{
    QVERIFY(startDrive(kServoConfig));
    QVERIFY(m_sim->command(QStringLiteral("badcrc on")).startsWith(QLatin1String("ok")));
    QVERIFY(read(0x0004, 1).isEmpty());
    // The answer is spoilt, the write itself still happens.
    QVERIFY(!write(0x0004, { 22 }));
    QVERIFY(m_sim->command(QStringLiteral("badcrc off")).startsWith(QLatin1String("ok")));
    QCOMPARE(read(0x0004, 1), QVector<quint16> { 22 });
}

void TestSimDrive::silentDrive()
{
    QVERIFY(startDrive(kServoConfig));
    QVERIFY(m_sim->command(QStringLiteral("silent on")).startsWith(QLatin1String("ok")));
    QVERIFY(read(0x0004, 1).isEmpty());
    QVERIFY(!write(0x0004, { 22 }));
    QVERIFY(m_sim->log().isEmpty()); // dropped, not answered
    QVERIFY(m_sim->command(QStringLiteral("silent off")).startsWith(QLatin1String("ok")));
    QCOMPARE(read(0x0004, 1), QVector<quint16> { 13 }); // the write was dropped too
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 0004 1") });
}

void TestSimDrive::injectedException_data()
{
    QTest::addColumn<QString>("inject");
    QTest::addColumn<bool>("isWrite");
    QTest::addColumn<quint16>("address");
    QTest::addColumn<quint16>("count");
    QTest::addColumn<bool>("fails");

    QTest::newRow("read of the address") << "exception 0004 2" << false << quint16(4) << quint16(1) << true;
    QTest::newRow("read of a block holding it")
        << "exception 0005 4" << false << quint16(4) << quint16(3) << true;
    QTest::newRow("read next to it") << "exception 0005 4" << false << quint16(4) << quint16(1) << false;
    QTest::newRow("write of the address")
        << "exception 0004 0x06" << true << quint16(4) << quint16(1) << true;
    QTest::newRow("a code libmodbus does not know")
        << "exception 0004 200" << false << quint16(4) << quint16(1) << true;
}

void TestSimDrive::injectedException()
{
    QFETCH(QString, inject);
    QFETCH(bool, isWrite);
    QFETCH(quint16, address);
    QFETCH(quint16, count);
    QFETCH(bool, fails);

    QVERIFY(startDrive(kServoConfig));
    const QVector<quint16> before = read(address, count);
    QCOMPARE(before.size(), int(count));
    QVERIFY(m_sim->command(inject).startsWith(QLatin1String("ok")));
    QElapsedTimer clock;
    clock.start();
    const QVector<quint16> written(count, 3);
    const QVector<quint16> answer = transact(isWrite, address, count, written, nullptr);
    QCOMPARE(answer.isEmpty(), fails);
    // An exception is an answer: no waiting for the response timeout and its retry.
    QVERIFY2(clock.elapsed() < 600, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(m_sim->command(QStringLiteral("exception off")).startsWith(QLatin1String("ok")));
    QCOMPARE(read(address, count), isWrite && !fails ? written : before);
    QCOMPARE(m_sim->log().size(), 3);
}

// A write the drive answers as accepted but does not keep: only a read-back can tell.
void TestSimDrive::ignoredWriteKeepsOldValue_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<quint16>("address");
    QTest::addColumn<QVector<quint16>>("written");
    QTest::addColumn<quint16>("readAddress");
    QTest::addColumn<QVector<bool>>("kept"); // per written register: the old value stays

    QTest::newRow("servo one register")
        << kServoConfig << "ignorewrite 0004" << quint16(0x0004) << QVector<quint16> { 20 } << quint16(0x0004)
        << QVector<bool> { true };
    QTest::newRow("block write keeps only that register")
        << kServoConfig << "ignorewrite 0x0005" << quint16(0x0004) << QVector<quint16> { 21, 22, 23 }
        << quint16(0x0004) << QVector<bool> { false, true, false };
    QTest::newRow("vfd parameter written at its RAM copy")
        << kVfdConfig << "ignorewrite F008" << quint16(0x0008) << QVector<quint16> { 3000 } << quint16(0xF008)
        << QVector<bool> { true };
}

void TestSimDrive::ignoredWriteKeepsOldValue()
{
    QFETCH(QString, folder);
    QFETCH(QString, fault);
    QFETCH(quint16, address);
    QFETCH(QVector<quint16>, written);
    QFETCH(quint16, readAddress);
    QFETCH(QVector<bool>, kept);

    QVERIFY(startDrive(folder));
    const quint16 count = quint16(written.size());
    const QVector<quint16> before = read(readAddress, count);
    QCOMPARE(before.size(), int(count));
    QVERIFY(m_sim->command(fault).startsWith(QLatin1String("ok")));
    QVERIFY(write(address, written)); // answered as a success
    QVector<quint16> expected = written;
    for (int k = 0; k < count; ++k) {
        if (kept.at(k))
            expected[k] = before.at(k);
    }
    QCOMPARE(read(readAddress, count), expected);
    QVERIFY(m_sim->command(QStringLiteral("ignorewrite off")).startsWith(QLatin1String("ok")));
    QVERIFY(write(address, written));
    QCOMPARE(read(readAddress, count), written);
}

void TestSimDrive::otherSlaveIsIgnored_data()
{
    QTest::addColumn<int>("slave");
    QTest::addColumn<quint16>("other");
    QTest::newRow("drive 1, request to 2") << 1 << quint16(2);
    QTest::newRow("drive 7, request to 1") << 7 << quint16(1);
}

void TestSimDrive::otherSlaveIsIgnored()
{
    QFETCH(int, slave);
    QFETCH(quint16, other);

    SimDrive::Options options;
    options.slave = slave;
    QVERIFY(startDrive(kServoConfig, options));
    m_bus->setServerAddress(other);
    QVERIFY(read(0x0004, 1).isEmpty());
    QVERIFY(m_sim->log().isEmpty());
    m_bus->setServerAddress(quint16(options.slave));
    qint64 ms = 0;
    QCOMPARE(read(0x0004, 1, &ms), QVector<quint16> { 13 });
    QVERIFY2(ms < 500, qPrintable(QString::number(ms)));
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 0004 1") });
}

// Two drives on one link, each with its own registers and faults: "slave" chooses the one the
// console acts on.
void TestSimDrive::consoleActsOnTheChosenSlave()
{
    SimDrive::Options options;
    options.extraArgs = QStringList { QStringLiteral("--slave"), QStringLiteral("2") };
    QVERIFY(startDrive(kServoConfig, options));
    QVERIFY(m_sim->command(QStringLiteral("slave 2")).startsWith(QLatin1String("ok slave 2")));
    QVERIFY(m_sim->command(QStringLiteral("set 0004 21")).startsWith(QLatin1String("ok")));
    QVERIFY(m_sim->command(QStringLiteral("ignorewrite 0009")).startsWith(QLatin1String("ok")));
    QVERIFY(m_sim->command(QStringLiteral("slave 3")).startsWith(QLatin1String("error")));
    QCOMPARE(m_sim->command(QStringLiteral("get 0004")), QStringLiteral("ok 21"));

    QCOMPARE(read1(0x0004), quint16(13));
    QVERIFY(write(0x0009, { 77 }));
    QCOMPARE(read1(0x0009), quint16(77)); // drive 1 keeps its writes
    m_bus->setServerAddress(2);
    QCOMPARE(read1(0x0004), quint16(21));
    QVERIFY(write(0x0009, { 77 }));
    QCOMPARE(read1(0x0009), quint16(40)); // drive 2 does not

    QVERIFY(m_sim->command(QStringLiteral("slave 1")).startsWith(QLatin1String("ok slave 1")));
    QCOMPARE(m_sim->command(QStringLiteral("get 0009")), QStringLiteral("ok 77"));
}

void TestSimDrive::broadcastWriteIsTakenSilently()
{
    QVERIFY(startDrive(kServoConfig));
    m_bus->setServerAddress(0);
    transact(true, 0x2100, 1, { 77 }, nullptr);
    QVERIFY(m_sim->waitForLog(1, 2000));
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("06 2100 1 77") });
    m_bus->setServerAddress(1);
    m_sim->clearLog();
    qint64 ms = 0;
    // nothing was sent back to trip up the next request
    QCOMPARE(read(0x2100, 1, &ms), QVector<quint16> { 77 });
    QVERIFY2(ms < 500, qPrintable(QString::number(ms)));
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 2100 1") });
}

void TestSimDrive::consoleSetHoldsComputedValue()
{
    QVERIFY(startDrive(kServoConfig));
    QVERIFY(m_sim->command(QStringLiteral("set 1012 400")).contains(QLatin1String("held")));
    QCOMPARE(read1(0x1012), quint16(400));
    QTest::qWait(100);
    QCOMPARE(read1(0x1012), quint16(400)); // the simulation does not overwrite it
    QVERIFY(m_sim->command(QStringLiteral("release 1012")).startsWith(QLatin1String("ok")));
    QTest::qWait(100);
    const quint16 bus = read1(0x1012);
    QVERIFY2(bus > 290 && bus < 330, qPrintable(QString::number(bus)));
    // A plain register is just stored.
    QVERIFY(!m_sim->command(QStringLiteral("set 2100 -2")).contains(QLatin1String("held")));
    QCOMPARE(read1(0x2100), quint16(65534));
}

void TestSimDrive::delaySlowsAnswer()
{
    QVERIFY(startDrive(kServoConfig));
    qint64 quick = 0;
    qint64 slow = 0;
    QCOMPARE(read(0x0004, 1, &quick).size(), 1);
    QVERIFY(m_sim->command(QStringLiteral("delay 300")).startsWith(QLatin1String("ok")));
    QCOMPARE(read(0x0004, 1, &slow).size(), 1);
    QVERIFY2(
        slow >= 290 && slow - quick >= 250, qPrintable(QStringLiteral("%1 ms, %2 ms").arg(quick).arg(slow)));
    QVERIFY(m_sim->command(QStringLiteral("delay 0")).startsWith(QLatin1String("ok")));
    QCOMPARE(read(0x0004, 1, &slow).size(), 1);
    QVERIFY2(slow < 200, qPrintable(QString::number(slow)));
}

void TestSimDrive::splitAnswerComesInTwoParts()
{
    QVERIFY(startDrive(kServoConfig));
    m_bus->closeDevice();
    QVERIFY(m_sim->command(QStringLiteral("split 300")).startsWith(QLatin1String("ok")));
    QSerialPort port(m_sim->portName());
    QVERIFY(port.open(QIODevice::ReadWrite));
    port.write(withCrc(QByteArray::fromHex("010300040001")));
    QVERIFY(port.waitForBytesWritten(1000));
    QElapsedTimer clock;
    clock.start();
    QByteArray first;
    while (first.isEmpty() && clock.elapsed() < 2000) {
        if (port.waitForReadyRead(50))
            first += port.readAll();
    }
    const qint64 firstAt = clock.elapsed();
    QByteArray reply = first;
    while (reply.size() < 7 && clock.elapsed() < 3000) {
        if (port.waitForReadyRead(50))
            reply += port.readAll();
    }
    const qint64 restAt = clock.elapsed();
    QCOMPARE(reply, withCrc(QByteArray::fromHex("010302000D")));
    QVERIFY2(first.size() < reply.size() && restAt - firstAt >= 250,
        qPrintable(
            QStringLiteral("%1 bytes at %2 ms, all at %3 ms").arg(first.size()).arg(firstAt).arg(restAt)));
    QVERIFY(m_sim->command(QStringLiteral("split 0")).startsWith(QLatin1String("ok")));
    port.write(withCrc(QByteArray::fromHex("010300040001")));
    QVERIFY(port.waitForBytesWritten(1000));
    reply.clear();
    clock.restart();
    while (reply.size() < 7 && clock.elapsed() < 2000) {
        if (port.waitForReadyRead(50))
            reply += port.readAll();
    }
    QCOMPARE(reply, withCrc(QByteArray::fromHex("010302000D")));
    QVERIFY2(clock.elapsed() < 200, qPrintable(QString::number(clock.elapsed())));
}

void TestSimDrive::wireTime()
{
    // Medians of five 10-register reads: (8 request + 5 + 20 answer bytes) on the line.
    auto timeReads = [this](bool wireTime, int baud, const QString& parity, int stopBits, qint64* median) {
        SimDrive::Options options;
        options.wireTime = wireTime;
        options.baud = baud;
        options.parity = parity;
        options.stopBits = stopBits;
        if (!startDrive(kServoConfig, options))
            return false;
        QVector<qint64> times;
        for (int i = 0; i < 5; ++i) {
            qint64 ms = 0;
            if (read(0x0000, 10, &ms).size() != 10)
                return false;
            times.append(ms);
        }
        std::sort(times.begin(), times.end());
        *median = times.at(2);
        return true;
    };
    qint64 slow = 0;
    qint64 fast = 0;
    qint64 unpaced = 0;
    QVERIFY(timeReads(true, 9600, QStringLiteral("N"), 2, &slow));
    QVERIFY(timeReads(true, 19200, QStringLiteral("E"), 1, &fast));
    QVERIFY(timeReads(false, 9600, QStringLiteral("N"), 2, &unpaced));
    qInfo("10-register read: %lld ms at 9600 baud, %lld ms at 19200 baud, %lld ms at 9600 baud unpaced", slow,
        fast, unpaced);

    // 11 bits a character both ways: start, 8 data, and two stop bits or parity and one stop bit.
    const double frameMs9600 = 33 * 11 * 1000.0 / 9600.0;
    QVERIFY2(slow >= frameMs9600 * 0.95, qPrintable(QString::number(slow)));
    QVERIFY2(fast >= frameMs9600 / 2 * 0.95, qPrintable(QString::number(fast)));
    QVERIFY2(slow >= 1.3 * fast, qPrintable(QStringLiteral("%1 ms against %2 ms").arg(slow).arg(fast)));
    QVERIFY2(slow >= 2 * qMax<qint64>(1, unpaced),
        qPrintable(QStringLiteral("%1 ms against %2 ms").arg(slow).arg(unpaced)));
}

void TestSimDrive::scopeVariablesMove_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("moving");

    // Those that must move while the motor turns: motion, electrical values, analog inputs. Others
    // are states, settings or slow (temperature, whole volts of the bus) and may hold for a while.
    QTest::newRow("servo") << kServoConfig
                           << QStringList { "U0-00", "U0-01", "U0-03", "U0-13", "U1-00", "U1-01", "U1-02",
                                  "U1-03", "U1-07" };
    QTest::newRow("vfd") << kVfdConfig
                         << QStringList { "D0-00", "D0-03", "D0-04", "D0-09", "D0-10", "D0-11", "D0-14",
                                "D0-19", "D0-46", "D0-57" };
}

void TestSimDrive::scopeVariablesMove()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, moving);
    const QVector<VariableRecord>& variables = variablesOf(folder);
    QVERIFY(variables.size() > 10);
    QVERIFY(startDrive(folder));
    if (familyOf(folder) == QLatin1String("servo")) {
        QVERIFY(write(400, { 128 }));
        QVERIFY(write(181, { 1 }));
        QVERIFY(write(401, { 32 }));
    } else {
        QVERIFY(write(0xF002, { 2 }));
        QVERIFY(write(0x2000, { 1 }));
    }

    // Read as the scope reads them: every variable on its own, its full width.
    auto sample = [&]() {
        QMap<QString, QVector<quint16>> values;
        for (const VariableRecord& v : variables)
            values.insert(v.name, read(v.code, qMax<quint16>(1, v.length)));
        return values;
    };
    const QMap<QString, QVector<quint16>> first = sample();
    for (const VariableRecord& v : variables)
        QCOMPARE(first.value(v.name).size(), qMax<int>(1, v.length));

    // Some move slowly or in steps (a loaded machine stretches the model's ticks): a variable
    // counts as moving once any later sample differs from the first, within a few seconds.
    QStringList still = moving;
    for (int round = 0; round < 8 && !still.isEmpty(); ++round) {
        QTest::qWait(400);
        const QMap<QString, QVector<quint16>> later = sample();
        for (const VariableRecord& v : variables) {
            QCOMPARE(later.value(v.name).size(), qMax<int>(1, v.length));
            if (later.value(v.name) != first.value(v.name))
                still.removeAll(v.name);
        }
    }
    for (const QString& name : moving) {
        QVERIFY2(first.contains(name), qPrintable(name));
        QVERIFY2(!still.contains(name), qPrintable(name + QStringLiteral(" did not change")));
    }
}

void TestSimDrive::linkCutAndRestored()
{
    QVERIFY(startDrive(kServoConfig));
    QVERIFY(write(0x0004, { 17 }));
    QSignalSpy states(m_bus.get(), &BusDevices::stateChanged);
    m_sim->cutLink();
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 1, 2000);
    QCOMPARE(states.at(0).at(0).value<BusDevices::State>(), BusDevices::RecoveringState);
    QTest::qWait(300);
    QVERIFY(m_sim->isRunning());
    QVERIFY(m_sim->restoreLink());
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 2, 6000);
    QCOMPARE(states.at(1).at(0).value<BusDevices::State>(), BusDevices::RecoverSucceedState);
    // Same drive, same state: the value written before the cut is still there.
    m_sim->clearLog();
    QCOMPARE(read(0x0004, 1), QVector<quint16> { 17 });
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 0004 1") });
}

void TestSimDrive::garbageOnLineIsDropped()
{
    QVERIFY(startDrive(kServoConfig));
    m_bus->closeDevice();
    {
        QSerialPort port(m_sim->portName());
        QVERIFY(port.open(QIODevice::ReadWrite));
        // A torn request and noise, as a drive sees after a master crashed mid-frame.
        port.write(QByteArray::fromHex("0103000400"));
        port.write(QByteArray::fromHex("ff00ff5a5a17"));
        QVERIFY(port.waitForBytesWritten(1000));
        port.close();
    }
    QTest::qWait(300);
    m_sim->clearLog();
    QVERIFY(m_bus->openDevice());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(m_bus->connectDevice(0x0004, 1));
    // answered at once, not after a retry
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 0004 1") });
}

void TestSimDrive::staleRequestIsFlushedOnReopen()
{
    QVERIFY(startDrive(kServoConfig));
    m_bus.reset(); // its recovery would reopen the port behind the test's back
    const QByteArray request = withCrc(QByteArray::fromHex("01062100002A")); // 0x2100 := 42

    // The request waits in the new link before the drive reopens its end; a drive that kept it
    // would carry out a write nobody meant any more. The drive retries its port every 0.2 s, so
    // now and then it is quicker than the request: only a drive that never flushes fails all tries.
    bool flushed = false;
    for (int attempt = 0; attempt < 3 && !flushed; ++attempt) {
        m_sim->cutLink();
        QTest::qWait(300);
        QVERIFY(m_sim->restoreLink());
        QSerialPort port(m_sim->portName());
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write(request);
        QVERIFY(port.waitForBytesWritten(1000));
        QTest::qWait(500);
        const QString value = m_sim->command(QStringLiteral("get 2100"));
        QVERIFY(value == QLatin1String("ok 0") || value == QLatin1String("ok 42"));
        flushed = value == QLatin1String("ok 0");
        if (!flushed)
            m_sim->command(QStringLiteral("set 2100 0"));
        // The same request, now that the drive listens, is carried out and answered.
        port.readAll();
        m_sim->clearLog();
        port.write(request);
        QVERIFY(port.waitForBytesWritten(1000));
        QTRY_COMPARE(m_sim->command(QStringLiteral("get 2100")), QStringLiteral("ok 42"));
        QTRY_COMPARE(port.bytesAvailable(), qint64(request.size()));
        QCOMPARE(port.readAll(), request);
        QCOMPARE(m_sim->log(), QStringList { QStringLiteral("06 2100 1 42") });
        m_sim->command(QStringLiteral("set 2100 0"));
        port.close();
    }
    QVERIFY2(flushed, "the request left before the drive opened its port was carried out");
}

void TestSimDrive::logLine_data()
{
    QTest::addColumn<bool>("isWrite");
    QTest::addColumn<quint16>("address");
    QTest::addColumn<quint16>("count");
    QTest::addColumn<QVector<quint16>>("values");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("line");

    QTest::newRow("read one") << false << quint16(0xF013) << quint16(1) << QVector<quint16>() << true
                              << "03 F013 1";
    QTest::newRow("read block") << false << quint16(0x1000) << quint16(28) << QVector<quint16>() << true
                                << "03 1000 28";
    QTest::newRow("write one") << true << quint16(181) << quint16(1) << QVector<quint16> { 1 } << true
                               << "06 00B5 1 1";
    QTest::newRow("write one, top value")
        << true << quint16(0x2100) << quint16(1) << QVector<quint16> { 65535 } << true << "06 2100 1 65535";
    QTest::newRow("write several") << true << quint16(0) << quint16(2) << QVector<quint16> { 385, 65535 }
                                   << true << "10 0000 2 385 65535";
    QTest::newRow("write refused") << true << quint16(53) << quint16(1) << QVector<quint16> { 1 } << false
                                   << "06 0035 1 1";
    QTest::newRow("write block refused") << true << quint16(0x1012) << quint16(3)
                                         << QVector<quint16> { 1, 2, 3 } << false << "10 1012 3 1 2 3";
}

void TestSimDrive::logLine()
{
    QFETCH(bool, isWrite);
    QFETCH(quint16, address);
    QFETCH(quint16, count);
    QFETCH(QVector<quint16>, values);
    QFETCH(bool, succeeds);
    QFETCH(QString, line);

    QVERIFY(startDrive(kServoConfig));
    const QVector<quint16> answer = transact(isWrite, address, count, values, nullptr);
    QCOMPARE(!answer.isEmpty(), succeeds);
    QVERIFY(m_sim->waitForLog(1, 2000));
    QCOMPARE(m_sim->log(), QStringList { line });
}

QTEST_GUILESS_MAIN(TestSimDrive)
#include "tst_simdrive.moc"
