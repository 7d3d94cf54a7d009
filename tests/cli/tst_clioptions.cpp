// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of kestrova-cli without a drive: what each command and option takes, the lists of
// slaves, baud rates and framings, and a clear refusal of everything else.

#include "Global.h"
#include "cli/CliOptions.h"

#include <QtTest>

using namespace Cli;

Q_DECLARE_METATYPE(Cli::Parsed)

namespace {

QString framingNames(const QList<ScanFraming>& framings)
{
    QStringList names;
    for (const ScanFraming& framing : framings)
        names << framing.name();
    return names.join(QLatin1Char(','));
}

QString numbers(const QList<int>& values)
{
    QStringList words;
    for (int value : values)
        words << QString::number(value);
    return words.join(QLatin1Char(','));
}

} // namespace

class TestCliOptions : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("baud");
        QTest::addColumn<QString>("framing");
        QTest::addColumn<QString>("slaves");

        QTest::newRow("defaults of a connection") << "get P0-01 --port ttyUSB0"
                                                  << "9600"
                                                  << "8N2"
                                                  << "1";
        QTest::newRow("options before the command, = form")
            << "--port=/dev/ttyUSB0 --baud=115200 --framing=8e1 set P0-01=5"
            << "115200"
            << "8E1"
            << "1";
        QTest::newRow("a multi-drop list in the order given, each once")
            << "backup a{slave}.json --port p --slave 5-7,1,6"
            << "9600"
            << "8N2"
            << "5,6,7,1";
        QTest::newRow("scan defaults: every rate, framing and address") << "scan --port p"
                                                                        << "9600,19200,38400,57600,115200"
                                                                        << "8N2,8N1,8E1,8O1"
                                                                        << "1,247";
        QTest::newRow("scan lists") << "scan --port p --baud 38400,9600 --framing 8O1,8N2 --slave 10-20"
                                    << "38400,9600"
                                    << "8O1,8N2"
                                    << "10,20";
        QTest::newRow("ports needs no port") << "ports"
                                             << "9600"
                                             << "8N2"
                                             << "1";
    }

    void accepted()
    {
        QFETCH(QString, line);
        QFETCH(QString, baud);
        QFETCH(QString, framing);
        QFETCH(QString, slaves);
        Options options;
        QString error;
        QCOMPARE(parse(line.split(QLatin1Char(' ')), &options, &error), Parsed::Run);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(numbers(options.baudRates), baud);
        QCOMPARE(framingNames(options.framings), framing);
        QCOMPARE(numbers(options.slaves), slaves);
    }

    void commandOptions()
    {
        Options options;
        QString error;
        const QStringList line { "restore", "axis{slave}.json", "--all", "--no-verify", "--json", "--report",
            "r.html", "--port", "p", "--family", "vfd", "--language", "cn", "--device-version", "KVF-V2.1",
            "--definitions", "/opt/Driver", "--slave", "3" };
        QCOMPARE(parse(line, &options, &error), Parsed::Run);
        QCOMPARE(options.command, Command::Restore);
        QVERIFY(options.all && !options.verify && options.json);
        QCOMPARE(options.report, QStringLiteral("r.html"));
        QCOMPARE(options.family, int(Global::DEVICE_VFD));
        QCOMPARE(options.language, int(Global::LANGUAGE_CN));
        QCOMPARE(options.deviceVersion, QStringLiteral("KVF-V2.1"));
        QCOMPARE(options.definitions, QStringLiteral("/opt/Driver"));
        QCOMPARE(options.fileFor(3), QStringLiteral("axis3.json"));
        QCOMPARE(options.commandLine, line);

        QCOMPARE(
            parse({ "set", "P0-01=5", "P0-02=Speed mode", "--port", "p" }, &options, &error), Parsed::Run);
        QCOMPARE(options.assignments(),
            (QList<QPair<QString, QString>> { { "P0-01", "5" }, { "P0-02", "Speed mode" } }));
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("line");
        QTest::addColumn<QString>("error");

        QTest::newRow("nothing") << QStringList {} << "no command given";
        QTest::newRow("unknown command") << QStringList { "flash" } << "unknown command \"flash\"";
        QTest::newRow("unknown option")
            << QStringList { "info", "--port", "p", "--speed", "3" } << "unknown option --speed";
        QTest::newRow("no port") << QStringList { "info" } << "info needs --port, --tcp or --rtu-over-tcp";
        QTest::newRow("two links") << QStringList { "info", "--port", "p", "--tcp", "gw" }
                                   << "--port, --tcp and --rtu-over-tcp name one link: give one of them";
        QTest::newRow("TCP port out of range") << QStringList { "info", "--tcp",
            "gw:70000" } << "--tcp takes HOST or HOST:PORT (port 1 to 65535), not \"gw:70000\"";
        QTest::newRow("serial server without its port") << QStringList { "info", "--rtu-over-tcp",
            "gw" } << "--rtu-over-tcp takes HOST:PORT (port 1 to 65535), not \"gw\"";
        QTest::newRow("framing on TCP") << QStringList { "info", "--tcp", "gw", "--framing", "8E1" }
                                        << "--baud and --framing are for a serial port; a TCP link has none";
        QTest::newRow("adapter latency on TCP") << QStringList { "scan", "--tcp", "gw", "--latency", "2" }
                                                << "--latency is for a serial adapter; a TCP link has none";
        QTest::newRow("option without its value")
            << QStringList { "info", "--port" } << "--port needs a value";
        QTest::newRow("flag with a value")
            << QStringList { "restore", "f.json", "--port", "p", "--all=yes" } << "--all takes no value";
        QTest::newRow("option of another command")
            << QStringList { "diff", "f.json", "--port", "p", "--all" } << "diff takes no --all";
        QTest::newRow("report of another kind") << QStringList { "get", "P0-01", "--port", "p", "--report",
            "r.txt" } << "--report: the record is FILE.json or FILE.html, not \"r.txt\"";
        QTest::newRow("slave 0") << QStringList { "get", "P0-01", "--port", "p", "--slave", "0" }
                                 << "--slave: \"0\" is no slave address or range of them (1 to 255)";
        QTest::newRow("slave range backwards") << QStringList { "get", "P0-01", "--port", "p", "--slave",
            "8-5" } << "--slave: \"8-5\" is no slave address or range of them (1 to 255)";
        QTest::newRow("two baud rates to connect") << QStringList { "get", "P0-01", "--port", "p", "--baud",
            "9600,19200" } << "--baud takes one baud rate (a list only for scan)";
        QTest::newRow("no baud rate")
            << QStringList { "info", "--port", "p", "--baud", "fast" } << "--baud: \"fast\" is no baud rate";
        QTest::newRow("unknown framing") << QStringList { "info", "--port", "p", "--framing", "7E1" }
                                         << "--framing: \"7E1\" is none of 8N2, 8N1, 8E1, 8O1";
        QTest::newRow("scan of a list of addresses") << QStringList { "scan", "--port", "p", "--slave",
            "1,5" } << "--slave: scan takes one range of addresses, such as 1-247";
        QTest::newRow("unknown family") << QStringList { "info", "--port", "p", "--family", "pump" }
                                        << "--family is servo or vfd, not \"pump\"";
        QTest::newRow("get without codes")
            << QStringList { "get", "--port", "p" } << "get needs the codes of the parameters to read";
        QTest::newRow("set without a value")
            << QStringList { "set", "P0-01", "--port", "p" } << "set: \"P0-01\" is not CODE=VALUE";
        QTest::newRow("restore without a file")
            << QStringList { "restore", "--port", "p" } << "restore needs one FILE";
        QTest::newRow("backup of several drives into one file")
            << QStringList { "backup", "all.json", "--port", "p", "--slave", "1,2" }
            << "backup of several drives needs {slave} in the file name, such as axis{slave}.json";
        QTest::newRow("info with an argument")
            << QStringList { "info", "extra", "--port", "p" } << "info takes no arguments, not \"extra\"";
    }

    void tcpLinks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("transport");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("Modbus TCP, default port")
            << "info --tcp gw-line3" << int(BusLink::ModbusTcp) << "gw-line3" << 502;
        QTest::newRow("Modbus TCP, own port")
            << "get P0-01 --tcp=10.0.0.7:1502" << int(BusLink::ModbusTcp) << "10.0.0.7" << 1502;
        QTest::newRow("Modbus TCP, IPv6")
            << "info --tcp [fe80::1]:503" << int(BusLink::ModbusTcp) << "fe80::1" << 503;
        QTest::newRow("RTU over TCP") << "backup b.json --rtu-over-tcp 10.0.0.8:4001 --slave 3"
                                      << int(BusLink::RtuOverTcp) << "10.0.0.8" << 4001;
    }
    void tcpLinks()
    {
        QFETCH(QString, line);
        QFETCH(int, transport);
        QFETCH(QString, host);
        QFETCH(int, port);
        Options options;
        QString error;
        QCOMPARE(parse(line.split(QLatin1Char(' ')), &options, &error), Parsed::Run);
        QCOMPARE(int(options.transport), transport);
        QCOMPARE(options.host, host);
        QCOMPARE(int(options.tcpPort), port);
        QCOMPARE(options.port, BusLink::hostAndPort(host, quint16(port)));
    }

    void refused()
    {
        QFETCH(QStringList, line);
        QFETCH(QString, error);
        Options options;
        QString problem;
        QCOMPARE(parse(line, &options, &problem), Parsed::Error);
        QCOMPARE(problem, error);
    }

    void helpAndVersion()
    {
        Options options;
        QString error;
        QCOMPARE(parse({ "restore", "--help" }, &options, &error), Parsed::Help);
        QCOMPARE(parse({ "-h" }, &options, &error), Parsed::Help);
        QCOMPARE(parse({ "--version" }, &options, &error), Parsed::Version);
        QCOMPARE(versionText(), QStringLiteral("kestrova-cli " KESTROVA_VERSION));
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "tst_clioptions.moc"
