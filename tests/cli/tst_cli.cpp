// SPDX-License-Identifier: GPL-3.0-or-later
// kestrova-cli as a script runs it: the real executable as a process against the simulated drive on
// a pty link (two drives on one link for the multi-drop runs). What it prints, its exit codes, the
// requests it puts on the wire (read from the drive's log), the files and records it writes, and
// that bad input writes nothing.

#include "NonRootUser.h"
#include "SimDrive.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QtTest>

#include <csignal>

namespace {

const QString driver = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver");
const QString cliPath = QStringLiteral(KESTROVA_CLI_PATH);

struct Run
{
    int code = -1;
    QString out;
    QString err;

    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
    QJsonObject drive(int index = 0) const
    {
        return json().value(QStringLiteral("drives")).toArray().at(index).toObject();
    }
    // The parameters of a drive, by code.
    QHash<QString, QJsonObject> parameters(int index = 0) const
    {
        QHash<QString, QJsonObject> result;
        const QJsonArray list = drive(index).value(QStringLiteral("parameters")).toArray();
        for (const QJsonValue& value : list)
            result.insert(value.toObject().value(QStringLiteral("code")).toString(), value.toObject());
        return result;
    }
    QString describe() const
    {
        return QStringLiteral("exit %1\nstdout:\n%2\nstderr:\n%3").arg(code).arg(out, err);
    }
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList writesIn(const QStringList& log)
{
    QStringList writes;
    for (const QString& line : log) {
        if (line.startsWith(QLatin1String("06 ")) || line.startsWith(QLatin1String("10 ")))
            writes << line;
    }
    return writes;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    SimDrive m_sim;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // The machine's own per-user definitions must not stand in for the ones a case names.
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.remove(QStringLiteral("KESTROVA_EXTRA_PORTS"));
        return env;
    }

    Run cli(const QStringList& arguments, const QProcessEnvironment& env = QProcessEnvironment(),
        const QString& program = QString())
    {
        ChildProcess process;
        process.setProcessEnvironment(env.isEmpty() ? environment() : env);
        process.setWorkingDirectory(m_home.path());
        const QStringList command
            = program.isEmpty() ? QStringList { cliPath } + arguments : QStringList { program } + arguments;
        process.start(command.first(), command.mid(1));
        Run run;
        if (!process.waitForStarted(10000))
            return run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished(5000);
            return run;
        }
        run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QStringList link() const
    {
        return { QStringLiteral("--port"), m_sim.portName(), QStringLiteral("--baud"),
            QStringLiteral("115200"), QStringLiteral("--definitions"), driver };
    }

    QString path(const QString& name) const { return m_home.filePath(name); }

    void startServo(const QStringList& extraArgs = {})
    {
        SimDrive::Options options;
        options.extraArgs = extraArgs;
        QVERIFY(m_sim.start(options));
    }

    void command(const QString& line)
    {
        QVERIFY2(m_sim.command(line).startsWith(QLatin1String("ok")), qPrintable(line));
    }

    // A backup of the drive as it stands, for the cases that restore or compare.
    QString backup(const QString& name = QStringLiteral("backup.json"))
    {
        const Run run = cli(QStringList { QStringLiteral("backup"), path(name) } + link());
        if (run.code != 0)
            qWarning("%s", qPrintable(run.describe()));
        return path(name);
    }

private slots:
    void cleanup() { m_sim.stop(); }

    void helpAndVersion()
    {
        const Run help = cli({ QStringLiteral("--help") });
        QCOMPARE(help.code, 0);
        for (const char* word :
            { "ports", "scan", "info", "get CODE", "set CODE=VALUE", "backup FILE", "diff FILE",
                "restore FILE", "--report FILE", "--json", "--all", "--no-verify", "Exit status" })
            QVERIFY2(help.out.contains(QLatin1String(word)), word);
        QVERIFY(help.err.isEmpty());
        const Run version = cli({ QStringLiteral("--version") });
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QStringLiteral("kestrova-cli " KESTROVA_VERSION "\n"));
        const Run wrong = cli({ QStringLiteral("flash") });
        QCOMPARE(wrong.code, 2);
        QVERIFY(wrong.out.isEmpty());
        QVERIFY2(wrong.err.startsWith(QLatin1String("kestrova-cli: unknown command \"flash\"\n")),
            qPrintable(wrong.err));
    }

    // Each value in the parameter's own format, in a table and as JSON.
    void getShowsEachFormat()
    {
        startServo();
        const QList<QStringList> expected { { "P0-04", "Rigidity level", "13", "" },
            { "P0-02", "Control mode", "Position mode", "" }, { "P1-08", "DI1 filter time", "2.0", "ms" },
            { "P1-42", "AO1 gain", "1.00", "times" }, { "P6-15", "Warning mask", "0x0", "" },
            { "P0-55", "DI logic level", "0", "" } };
        QStringList codes;
        for (const QStringList& row : expected)
            codes << row.first();
        const Run json
            = cli(QStringList { QStringLiteral("get") } + codes + link() + QStringList { "--json" });
        QVERIFY2(json.code == 0, qPrintable(json.describe()));
        const QHash<QString, QJsonObject> values = json.parameters();
        for (const QStringList& row : expected) {
            QCOMPARE(values.value(row.at(0)).value("name").toString(), row.at(1));
            QCOMPARE(values.value(row.at(0)).value("value").toString(), row.at(2));
            QCOMPARE(values.value(row.at(0)).value("unit").toString(), row.at(3));
        }
        QCOMPARE(json.drive().value("deviceVersion").toString(), QStringLiteral("KSD-V1.10"));

        command(QStringLiteral("set 0037 5"));
        const Run table = cli(
            QStringList { QStringLiteral("get"), QStringLiteral("p0-55"), QStringLiteral("P1-08") } + link());
        QCOMPARE(table.code, 0);
        QCOMPARE(table.out,
            QStringLiteral("Code   Name             Value  Unit\n"
                           "P0-55  DI logic level   101\n"
                           "P1-08  DI1 filter time  2.0    ms\n"));
        QVERIFY(table.err.isEmpty()); // no progress off a terminal
    }

    // A value typed as the table shows it goes on the wire as its register value, the drive is read
    // before and after, and a value that rules others' decimals goes first.
    void set_data()
    {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QStringList>("shown"); // each parameter's new value as the result shows it

        QTest::newRow("integer") << QStringList { "P0-04=20" } << QStringList { "06 0004 1 20" }
                                 << QStringList { "20" };
        QTest::newRow("entry by name") << QStringList { "P0-02=Speed mode" } << QStringList { "06 0002 1 1" }
                                       << QStringList { "Speed mode" };
        QTest::newRow("entry by number")
            << QStringList { "P0-02=2" } << QStringList { "06 0002 1 2" } << QStringList { "Torque mode" };
        QTest::newRow("decimals") << QStringList { "P1-08=12.5" } << QStringList { "06 0108 1 125" }
                                  << QStringList { "12.5" };
        QTest::newRow("signed decimals")
            << QStringList { "P1-42=-1.5" } << QStringList { "06 012A 1 65386" } << QStringList { "-1.50" };
        QTest::newRow("hexadecimal") << QStringList { "P6-15=0x1F" } << QStringList { "06 060F 1 31" }
                                     << QStringList { "0x1F" };
        QTest::newRow("binary digits")
            << QStringList { "P0-55=101" } << QStringList { "06 0037 1 5" } << QStringList { "101" };
        // P2-30 = 1 shows P2-21 in 0.001 mm: 1.5 is 1500, whatever order they are given in.
        QTest::newRow("ruling value first")
            << QStringList { "P2-21=1.5", "P2-30=1" } << QStringList { "06 021E 1 1", "06 0215 1 1500" }
            << QStringList { "1:0.001 mm", "1.500" };
    }

    void set()
    {
        QFETCH(QStringList, assignments);
        QFETCH(QStringList, writes);
        QFETCH(QStringList, shown);
        startServo();
        const Run run
            = cli(QStringList { QStringLiteral("set") } + assignments + link() + QStringList { "--json" });
        QVERIFY2(run.code == 0, qPrintable(run.describe()));
        QCOMPARE(writesIn(m_sim.log()), writes);
        const QJsonArray parameters = run.drive().value("parameters").toArray();
        QCOMPARE(parameters.size(), shown.size());
        for (int i = 0; i < shown.size(); ++i) {
            QCOMPARE(parameters.at(i).toObject().value("new").toString(), shown.at(i));
            QCOMPARE(parameters.at(i).toObject().value("result").toString(), QStringLiteral("verified"));
        }
    }

    // The whole conversation of a set: probe, the values ruling others' decimals, the old value,
    // the write, the read-back.
    void setWireOrder()
    {
        startServo();
        const Run run = cli(QStringList { QStringLiteral("set"), QStringLiteral("P0-04=20") } + link());
        QCOMPARE(run.code, 0);
        QCOMPARE(m_sim.log(),
            QStringList({ "03 0035 3", "03 021E 1", "03 0301 1", "03 0004 1", "06 0004 1 20", "03 0004 1" }));
        QCOMPARE(run.out,
            QStringLiteral("Code   Name            Old  New  Unit  Result\n"
                           "P0-04  Rigidity level  13   20         verified\n"
                           "1 to write: 1 verified, 0 not\n"));
    }

    // Bad input: a clear message, its own exit code, and nothing written to the drive.
    void badInput_data()
    {
        QTest::addColumn<QStringList>("arguments"); // FILE stands for the case's file
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("drive"); // whether the drive was asked anything at all

        const QByteArray none;
        QTest::newRow("unknown code to read") << QStringList { "get", "P0-04", "P9-77" } << none << 3
                                              << "slave 1: KSD-V1.10 has no parameter P9-77" << true;
        QTest::newRow("unknown code among values to write")
            << QStringList { "set", "P0-04=5", "P9-77=1" } << none << 3
            << "slave 1: KSD-V1.10 has no parameter P9-77. Nothing was written." << true;
        QTest::newRow("above the maximum")
            << QStringList { "set", "P0-04=32" } << none << 3 << "P0-04: 32 is above the maximum 31" << true;
        QTest::newRow("below the minimum")
            << QStringList { "set", "P0-06=15" } << none << 3 << "P0-06: 15 is below the minimum 16" << true;
        QTest::newRow("no such entry")
            << QStringList { "set", "P0-02=Fast" } << none << 3
            << "P0-02: \"Fast\" is none of its entries (Position mode, Speed mode" << true;
        QTest::newRow("read-only") << QStringList { "set", "P0-53=1" } << none << 3 << "P0-53 is read-only"
                                   << true;
        QTest::newRow("malformed file")
            << QStringList { "restore", "FILE" } << QByteArray(R"({"DeviceVersion":"0","P0-04":})") << 3
            << "is not a parameter file: object is missing after a comma at byte 30\n"
            << false;
        QTest::newRow("truncated file") << QStringList { "restore", "FILE" }
                                        << QByteArray("{\n    \"DeviceVersion\": \"0\",\n    \"P0-04\": \"1")
                                        << 3 << "(is it cut short?)" << false;
        QTest::newRow("file of the other family")
            << QStringList { "diff", "FILE" } << QByteArray(R"({"DeviceVersion":"1","P0-04":"5"})") << 3
            << "holds parameters of the VFD family; this run is for servo drives (--family)" << false;
        QTest::newRow("file without a family")
            << QStringList { "restore", "FILE" } << QByteArray(R"({"P0-04":"5"})") << 3
            << "does not say which drive family it is for" << false;
        QTest::newRow("missing file") << QStringList { "restore", "missing.json" } << none << 3
                                      << "missing.json cannot be read" << false;
        QTest::newRow("value beyond the limits in a file")
            << QStringList { "restore", "FILE" }
            << QByteArray(R"({"DeviceVersion":"0","P0-01":"5","P0-04":"40"})") << 3
            << "P0-04: 40 lies outside its limits (0 to 31). Nothing was written." << true;
        QTest::newRow("no value in a file")
            << QStringList { "restore", "FILE" } << QByteArray(R"({"DeviceVersion":"0","P0-04":"fast"})") << 3
            << "P0-04: \"fast\" is no value of this parameter" << true;
        QTest::newRow("device version without definitions")
            << QStringList { "get", "P0-04", "--device-version", "KSD-V9.9" } << none << 3
            << "there are no definitions of the device version KSD-V9.9" << true;
        QTest::newRow("backup into a missing folder")
            << QStringList { "backup", "nowhere/b.json" } << none << 3
            << "nowhere/b.json cannot be written: the folder" << false;
    }

    void badInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, file);
        QFETCH(int, code);
        QFETCH(QString, message);
        QFETCH(bool, drive);
        startServo();
        const QString name = path(QStringLiteral("input.json"));
        if (!file.isNull())
            writeFile(name, file);
        arguments.replaceInStrings(QStringLiteral("FILE"), name);
        const Run run = cli(arguments + link());
        QVERIFY2(run.code == code, qPrintable(run.describe()));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QTest::qWait(50);
        QCOMPARE(writesIn(m_sim.log()), QStringList {});
        QCOMPARE(!m_sim.log().isEmpty(), drive);
    }

    void overTcp_data()
    {
        QTest::addColumn<int>("transport");
        QTest::addColumn<QString>("option");
        QTest::newRow("Modbus TCP") << int(BusLink::ModbusTcp) << "--tcp";
        QTest::newRow("RTU over TCP") << int(BusLink::RtuOverTcp) << "--rtu-over-tcp";
    }
    // The same reads through a gateway or a serial server, and a server that is not there is a port
    // that cannot be used.
    void overTcp()
    {
        QFETCH(int, transport);
        QFETCH(QString, option);
        SimDrive::Options options;
        options.transport = BusLink::Transport(transport);
        options.slave = 4;
        QVERIFY(m_sim.start(options));
        const QString endpoint = QStringLiteral("127.0.0.1:%1").arg(m_sim.tcpPort());
        const Run run
            = cli({ "get", "P0-04", option, endpoint, "--slave", "4", "--definitions", driver, "--json" });
        QVERIFY2(run.code == 0, qPrintable(run.describe()));
        QCOMPARE(run.parameters().value("P0-04").value("value").toString(), QStringLiteral("13"));
        QCOMPARE(m_sim.log().value(0), QStringLiteral("03 0035 3"));
        // The scan tries unit ids only: the server has the line setting.
        const Run scan = cli({ "scan", option, endpoint, "--slave", "3-5", "--definitions", driver });
        QVERIFY2(scan.code == 0, qPrintable(scan.describe()));
        QCOMPARE(scan.out,
            QStringLiteral("Slave  Answer       Device\n"
                           "4      valid reply\n"));

        const quint16 port = m_sim.tcpPort();
        m_sim.stop();
        for (const char* command : { "info", "scan" }) {
            const Run refused
                = cli({ command, option, QStringLiteral("127.0.0.1:%1").arg(port), "--definitions", driver });
            QCOMPARE(refused.code, 4);
            QVERIFY2(refused.err.contains(QStringLiteral("127.0.0.1:%1 refused the connection").arg(port)),
                qPrintable(refused.describe()));
        }
    }

    void portNotUsable()
    {
        const Run missing = cli({ "info", "--port", path("no-such-port"), "--definitions", driver });
        QCOMPARE(missing.code, 4);
        QVERIFY2(missing.err.contains(path("no-such-port")
                     + " does not exist: the adapter is not plugged in or "
                       "the path is wrong (kestrova-cli ports lists the ports)"),
            qPrintable(missing.err));

        const QString skip = NonRootUser::ensure();
        if (!skip.isEmpty())
            QSKIP(qPrintable(skip));
        startServo();
        const QFileInfo port(QFileInfo(m_sim.portName()).canonicalFilePath());
        if ((port.permissions() & QFileDevice::WriteOther))
            QSKIP("the pty is open to every account");
        const QStringList command = NonRootUser::command(
            cliPath, QStringList { "info", "--port", m_sim.portName(), "--definitions", driver }, true);
        const Run denied = cli(command.mid(1), environment(), command.first());
        QCOMPARE(denied.code, 4);
        QVERIFY2(denied.err.contains(QLatin1String("permission denied")), qPrintable(denied.err));
        QCOMPARE(m_sim.log(), QStringList {});
    }

    // Backup, then what differs, then a restore that writes only that and reads each one back.
    void backupDiffRestore()
    {
        startServo();
        const QString file = backup();
        const QJsonObject saved = QJsonDocument::fromJson(fileBytes(file)).object();
        QCOMPARE(saved.value("DeviceVersion").toString(), QStringLiteral("0"));
        QCOMPARE(saved.value("P0-04").toString(), QStringLiteral("13"));
        QCOMPARE(saved.value("P0-02").toString(), QStringLiteral("Position mode"));
        QCOMPARE(saved.value("P1-08").toString(), QStringLiteral("2.0"));
        QCOMPARE(saved.size(), 261); // every parameter of the table, and the family

        command(QStringLiteral("set 0004 20"));
        command(QStringLiteral("set 0002 1"));
        command(QStringLiteral("set 0037 5"));
        const Run diff = cli(QStringList { "diff", file } + link() + QStringList { "--json" });
        QVERIFY2(diff.code == 1, qPrintable(diff.describe()));
        const QHash<QString, QJsonObject> differences = diff.parameters();
        QCOMPARE(differences.size(), 3);
        QCOMPARE(differences.value("P0-02").value("drive").toString(), QStringLiteral("Speed mode"));
        QCOMPARE(differences.value("P0-02").value("file").toString(), QStringLiteral("Position mode"));
        QCOMPARE(differences.value("P0-55").value("drive").toString(), QStringLiteral("101"));
        QCOMPARE(diff.drive().value("compared").toInt(), 236);

        m_sim.clearLog();
        const Run restore = cli(QStringList { "restore", file } + link());
        QVERIFY2(restore.code == 0, qPrintable(restore.describe()));
        QCOMPARE(writesIn(m_sim.log()), QStringList({ "06 0002 1 0", "06 0004 1 13", "06 0037 1 0" }));
        const QStringList log = m_sim.log();
        QCOMPARE(log.mid(log.size() - 3), QStringList({ "03 0002 1", "03 0004 1", "03 0037 1" }));
        QVERIFY2(
            restore.out.contains(QLatin1String("3 to write: 3 verified, 0 not\n")), qPrintable(restore.out));

        QCOMPARE(cli(QStringList { "diff", file } + link()).code, 0);
        m_sim.clearLog();
        const Run again = cli(QStringList { "restore", file } + link());
        QCOMPARE(again.code, 0);
        QVERIFY(
            again.out.startsWith(QLatin1String("Nothing to write: the drive holds the file's value of every "
                                               "parameter compared (236).")));
        QCOMPARE(writesIn(m_sim.log()), QStringList {});

        // --all writes every value of the file.
        m_sim.clearLog();
        QCOMPARE(cli(QStringList { "restore", file, "--all", "--no-verify" } + link()).code, 0);
        QCOMPARE(writesIn(m_sim.log()).size(), 236);
    }

    // A write the drive answers but does not keep: a non-zero exit naming it, in the table, on
    // standard error and in both kinds of record.
    void restoreNotKept()
    {
        startServo();
        const QString file = backup();
        command(QStringLiteral("set 0004 20"));
        command(QStringLiteral("set 0108 50"));
        command(QStringLiteral("ignorewrite 0004"));
        const Run run = cli(QStringList { "restore", file, "--report", path("record.json") } + link());
        QVERIFY2(run.code == 6, qPrintable(run.describe()));
        QVERIFY2(run.out.contains(QLatin1String("P0-04  Rigidity level   20   13   ")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QLatin1String("NOT KEPT: reads 20")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QLatin1String("2 to write: 1 verified, 1 not")), qPrintable(run.out));
        QVERIFY2(
            run.err.contains(QLatin1String("slave 1: not kept by the drive: P0-04")), qPrintable(run.err));

        const QJsonObject record = QJsonDocument::fromJson(fileBytes(path("record.json"))).object();
        QCOMPARE(record.value("status").toString(), QStringLiteral("verification failed"));
        QCOMPARE(record.value("exitCode").toInt(), 6);
        QCOMPARE(record.value("port").toString(), m_sim.portName());
        QCOMPARE(record.value("baud").toInt(), 115200);
        QCOMPARE(record.value("framing").toString(), QStringLiteral("8N2"));
        QCOMPARE(record.value("family").toString(), QStringLiteral("servo"));
        QVERIFY(QDateTime::fromString(record.value("date").toString(), Qt::ISODate).isValid());
        const QJsonObject drive = record.value("drives").toArray().at(0).toObject();
        QCOMPARE(drive.value("slave").toInt(), 1);
        QCOMPARE(drive.value("deviceVersion").toString(), QStringLiteral("KSD-V1.10"));
        const QJsonArray parameters = drive.value("parameters").toArray();
        QCOMPARE(parameters.size(), 2);
        const QJsonObject notKept = parameters.at(0).toObject();
        QCOMPARE(notKept.value("code").toString(), QStringLiteral("P0-04"));
        QCOMPARE(notKept.value("old").toString(), QStringLiteral("20"));
        QCOMPARE(notKept.value("new").toString(), QStringLiteral("13"));
        QCOMPARE(notKept.value("result").toString(), QStringLiteral("NOT KEPT: reads 20"));
        QCOMPARE(notKept.value("ok").toBool(), false);
        QCOMPARE(parameters.at(1).toObject().value("result").toString(), QStringLiteral("verified"));

        const Run html = cli(QStringList { "restore", file, "--report", path("record.html") } + link());
        QCOMPARE(html.code, 6);
        const QString page = QString::fromUtf8(fileBytes(path("record.html")));
        for (const QString& part : { QStringLiteral("<h1>Commissioning record</h1>"), m_sim.portName(),
                 QStringLiteral("115200 8N2"), QStringLiteral("Slave 1 (KSD-V1.10)"),
                 QStringLiteral(
                     "<tr class=\"failed\"><td>P0-04</td><td>Rigidity level</td><td>20</td><td>13</td>"),
                 QStringLiteral("NOT KEPT: reads 20") })
            QVERIFY2(page.contains(part), qPrintable(part));

        // Without the read-back the write counts as done.
        m_sim.clearLog();
        const Run unverified = cli(QStringList { "restore", file, "--no-verify" } + link());
        QCOMPARE(unverified.code, 0);
        QVERIFY(unverified.out.contains(QLatin1String("written, not read back")));
        QCOMPARE(m_sim.log().last(), QStringLiteral("06 0004 1 13"));
    }

    // Two drives on one link: one result per drive, in the order asked, a drive that does not
    // answer among them.
    void multiDrop()
    {
        startServo({ QStringLiteral("--slave"), QStringLiteral("2") });
        command(QStringLiteral("slave 2"));
        command(QStringLiteral("set 0004 21"));
        const Run get = cli(QStringList { "get", "P0-04", "--slave", "1,2", "--json" } + link());
        QVERIFY2(get.code == 0, qPrintable(get.describe()));
        QCOMPARE(get.drive(0).value("slave").toInt(), 1);
        QCOMPARE(get.parameters(0).value("P0-04").value("value").toString(), QStringLiteral("13"));
        QCOMPARE(get.drive(1).value("slave").toInt(), 2);
        QCOMPARE(get.parameters(1).value("P0-04").value("value").toString(), QStringLiteral("21"));

        QCOMPARE(cli(QStringList { "backup", path("axis{slave}.json"), "--slave", "1-2" } + link()).code, 0);
        QCOMPARE(QJsonDocument::fromJson(fileBytes(path("axis2.json"))).object().value("P0-04").toString(),
            QStringLiteral("21"));

        // Drive 1's settings onto both; drive 2 does not keep the write.
        command(QStringLiteral("ignorewrite 0004"));
        m_sim.clearLog();
        const Run restore = cli(QStringList { "restore", path("axis1.json"), "--slave", "1,2" } + link());
        QVERIFY2(restore.code == 6, qPrintable(restore.describe()));
        QVERIFY2(restore.out.startsWith(QLatin1String("Slave 1 (KSD-V1.10)\nNothing to write")),
            qPrintable(restore.out));
        QVERIFY2(restore.out.contains(QLatin1String("\nSlave 2 (KSD-V1.10): verification failed\n")),
            qPrintable(restore.out));
        QCOMPARE(writesIn(m_sim.log()), QStringList { "06 0004 1 13" });

        const Run info = cli(QStringList { "info", "--slave", "2,9,1", "--json" } + link());
        QCOMPARE(info.code, 5);
        QCOMPARE(info.drive(0).value("status").toString(), QStringLiteral("ok"));
        QCOMPARE(info.drive(1).value("slave").toInt(), 9);
        QCOMPARE(info.drive(1).value("status").toString(), QStringLiteral("no answer"));
        QVERIFY(info.drive(1).value("message").toString().startsWith(
            QLatin1String("no drive answered at slave address 9")));
        QCOMPARE(info.drive(2).value("status").toString(), QStringLiteral("ok"));
    }

    // A file of another device version: what this one lacks is named, skipped and counted.
    void parametersNotInVersion()
    {
        startServo();
        const QString file = backup();
        const Run run
            = cli(QStringList { "restore", file, "--device-version", "KSD-V1.2", "--json" } + link());
        QVERIFY2(run.code == 0, qPrintable(run.describe()));
        const QStringList skipped
            = run.drive().value("skipped").toObject().value("notInVersion").toVariant().toStringList();
        QCOMPARE(skipped.mid(0, 4), QStringList({ "P6-18", "P6-19", "P7-08", "PA-00" }));
        QCOMPARE(skipped.size(), 16);
        QVERIFY2(run.err.contains(QLatin1String(
                     "warning: skipped, as KSD-V1.2 has no such parameter: P6-18, P6-19, P7-08, PA-00")),
            qPrintable(run.err));
        QCOMPARE(writesIn(m_sim.log()), QStringList {});
    }

    // A file keeps its values in the decimals of its own ruling values: P2-21 saved as 1.500 mm is
    // 1500, though the drive shows pulses now.
    void restoreInTheFileDecimals()
    {
        startServo();
        command(QStringLiteral("set 021E 1"));
        command(QStringLiteral("set 0215 1500"));
        const QString file = backup();
        QCOMPARE(QJsonDocument::fromJson(fileBytes(file)).object().value("P2-21").toString(),
            QStringLiteral("1.500"));
        command(QStringLiteral("set 021E 0"));
        command(QStringLiteral("set 0215 7"));
        m_sim.clearLog();
        const Run run = cli(QStringList { "restore", file, "--json" } + link());
        QVERIFY2(run.code == 0, qPrintable(run.describe()));
        QCOMPARE(writesIn(m_sim.log()), QStringList({ "06 021E 1 1", "06 0215 1 1500" }));
        QCOMPARE(run.parameters().value("P2-21").value("old").toString(), QStringLiteral("7"));
        QCOMPARE(run.parameters().value("P2-21").value("new").toString(), QStringLiteral("1.500"));
    }

    // The version the drive names, else the newest of the family; --device-version overrides both.
    void deviceVersion_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("simCommand");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("warning");

        QTest::newRow("VFD names its version") << "vfd" << QString() << QStringList {} << "KVF-V2.0"
                                               << "reported" << QString();
        QTest::newRow("VFD names another") << "vfd"
                                           << "set FD01 0x0201" << QStringList {} << "KVF-V2.1"
                                           << "reported" << QString();
        QTest::newRow("VFD names one without definitions")
            << "vfd"
            << "set FD01 0x0300" << QStringList {} << "KVF-V2.1"
            << "newest"
            << "the drive reports KV 3.0, for which there are no definitions: using the newest, KVF-V2.1";
        QTest::newRow("given") << "vfd" << QString() << QStringList { "--device-version", "KVF-V2.1" }
                               << "KVF-V2.1"
                               << "option" << QString();
        QTest::newRow("servo names none: the newest by number")
            << "servo" << QString() << QStringList {} << "KSD-V1.10"
            << "newest" << QString();
    }

    void deviceVersion()
    {
        QFETCH(QString, family);
        QFETCH(QString, simCommand);
        QFETCH(QStringList, options);
        QFETCH(QString, version);
        QFETCH(QString, source);
        QFETCH(QString, warning);
        SimDrive::Options sim;
        sim.family = family;
        QVERIFY(m_sim.start(sim));
        if (!simCommand.isEmpty())
            command(simCommand);
        const Run run = cli(QStringList { "info", "--family", family, "--json" } + options + link());
        QVERIFY2(run.code == 0, qPrintable(run.describe()));
        QCOMPARE(run.drive().value("deviceVersion").toString(), version);
        QCOMPARE(run.drive().value("versionSource").toString(), source);
        QCOMPARE(run.drive().value("definitionFolder").toString(),
            QDir::cleanPath(driver + "/Config/" + family.toUpper() + "/" + version + "/EN"));
        QCOMPARE(run.drive().value("warnings").toVariant().toStringList(),
            warning.isEmpty() ? QStringList {} : QStringList { warning });
    }

    // Without --definitions: the installed tool's per-user folder and the family the window last used
    // there, else ./Driver.
    void definitionsFolder()
    {
        SimDrive::Options sim;
        sim.family = QStringLiteral("vfd");
        QVERIFY(m_sim.start(sim));
        const QString perUser = m_home.filePath(QStringLiteral("data/kestrova/Driver"));
        const QString version = QStringLiteral("/Config/VFD/KVF-V2.0/EN/");
        QVERIFY(QDir().mkpath(perUser + version));
        for (const QString& name : QDir(driver + version).entryList(QDir::Files))
            QVERIFY(QFile::copy(driver + version + name, perUser + version + name));
        writeFile(perUser + "/Init.xml", "<Init><Device>1</Device><Language>0</Language></Init>");
        const QStringList port { "--port", m_sim.portName(), "--baud", "115200", "--json" };
        const Run perUserRun = cli(QStringList { "info" } + port);
        QVERIFY2(perUserRun.code == 0, qPrintable(perUserRun.describe()));
        QCOMPARE(perUserRun.json().value("definitions").toString(), perUser);
        QCOMPARE(perUserRun.json().value("family").toString(), QStringLiteral("vfd"));

        QVERIFY(QDir(m_home.filePath("data")).removeRecursively());
        QVERIFY(QFile::link(driver, m_home.filePath("Driver")));
        const Run local = cli(QStringList { "info", "--family", "vfd" } + port);
        QVERIFY2(local.code == 0, qPrintable(local.describe()));
        QCOMPARE(local.json().value("definitions").toString(), m_home.filePath("Driver"));
        QFile::remove(m_home.filePath("Driver"));
    }

    void ports()
    {
        startServo();
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("KESTROVA_EXTRA_PORTS"),
            m_sim.portName() + QStringLiteral("=Simulated servo;") + path("gone")
                + QStringLiteral("=Unplugged"));
        const Run table = cli({ "ports" }, env);
        QCOMPARE(table.code, 0);
        QVERIFY2(table.out.startsWith(QLatin1String("Port")), qPrintable(table.out));
        QVERIFY2(
            QRegularExpression(QRegularExpression::escape(m_sim.portName()) + " +Simulated servo +usable\n")
                .match(table.out)
                .hasMatch(),
            qPrintable(table.out));
        QVERIFY2(QRegularExpression(QStringLiteral("Unplugged +not usable: %1 does not exist")
                                        .arg(QRegularExpression::escape(path("gone"))))
                     .match(table.out)
                     .hasMatch(),
            qPrintable(table.out));
        const Run json = cli({ "ports", "--json" }, env);
        const QJsonArray list = json.json().value("ports").toArray();
        QVERIFY(list.size() >= 2);
        QCOMPARE(list.at(0).toObject().value("port").toString(), m_sim.portName());
        QCOMPARE(list.at(0).toObject().value("usable").toBool(), true);
        QCOMPARE(list.at(1).toObject().value("usable").toBool(), false);
        QCOMPARE(m_sim.log(), QStringList {}); // listing does not open a port
    }

    void scan()
    {
        QVERIFY(m_sim.startAtSetting(QStringLiteral("servo"), 38400, QStringLiteral("O"), 1, 17));
        const QStringList port { "--port", m_sim.portName(), "--definitions", driver, "--latency", "2" };
        const Run found
            = cli(QStringList { "scan", "--baud", "9600,38400", "--framing", "8N2,8O1", "--slave", "16-18" }
                + port);
        QVERIFY2(found.code == 0, qPrintable(found.describe()));
        QCOMPARE(found.out,
            QStringLiteral("Baud   Framing  Slave  Answer       Device\n"
                           "38400  8O1      17     valid reply\n"));
        const Run none
            = cli(QStringList { "scan", "--baud", "9600", "--framing", "8N2", "--slave", "16-18", "--json" }
                + port);
        QCOMPARE(none.code, 5);
        QCOMPARE(none.json().value("found").toArray().size(), 0);
        QVERIFY2(none.err.contains(QLatin1String("no drive answered")), qPrintable(none.err));
    }

    // Progress only where someone watches: a pipe gets none, a terminal does.
    void progressOnlyOnTerminal()
    {
        startServo();
        const Run piped = cli(QStringList { "backup", path("b.json") } + link());
        QCOMPARE(piped.code, 0);
        QCOMPARE(piped.err, QString());
        const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
        if (script.isEmpty())
            QSKIP("script (util-linux) is missing: no terminal to run under");
        QStringList words { cliPath, "backup", path("t.json") };
        words << link();
        const Run terminal
            = cli({ "-qec", words.join(QLatin1Char(' ')), "/dev/null" }, environment(), script);
        QCOMPARE(terminal.code, 0);
        QVERIFY2(terminal.out.contains(QLatin1String("slave 1: reading ")), qPrintable(terminal.out));
        QVERIFY2(terminal.out.contains(QLatin1String("260 parameters saved to")), qPrintable(terminal.out));
    }

    // Ctrl-C stops the writes not yet sent; what went out is in the record.
    void interrupted()
    {
        startServo();
        QJsonObject saved = QJsonDocument::fromJson(fileBytes(backup())).object();
        QJsonObject file { { "DeviceVersion", "0" } };
        QStringList codes;
        for (auto it = saved.constBegin(); it != saved.constEnd() && codes.size() < 40; ++it) {
            if (it.key().startsWith(QLatin1String("P1-"))) {
                file.insert(it.key(), it.value());
                codes << it.key();
            }
        }
        writeFile(path("part.json"), QJsonDocument(file).toJson());
        m_sim.clearLog();
        ChildProcess process;
        process.setProcessEnvironment(environment());
        process.start(cliPath, QStringList { "restore", path("part.json"), "--all", "--json" } + link());
        QVERIFY(process.waitForStarted(10000));
        // Slow answers from the first write on leave time to stop in the middle.
        QTRY_VERIFY_WITH_TIMEOUT(!writesIn(m_sim.log()).isEmpty(), 10000);
        command(QStringLiteral("delay 30"));
        QTRY_VERIFY_WITH_TIMEOUT(writesIn(m_sim.log()).size() >= 3, 10000);
        ::kill(pid_t(process.processId()), SIGINT);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 130);
        Run run;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        const int written = writesIn(m_sim.log()).size();
        QVERIFY2(written < codes.size(), qPrintable(QString::number(written)));
        QCOMPARE(run.json().value("status").toString(), QStringLiteral("interrupted"));
        int notWritten = 0;
        for (const QJsonObject& parameter : run.parameters()) {
            if (parameter.value("result").toString() == QLatin1String("not written: interrupted"))
                ++notWritten;
        }
        QCOMPARE(notWritten, codes.size() - written);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
