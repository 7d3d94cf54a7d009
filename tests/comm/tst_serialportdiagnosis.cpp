// SPDX-License-Identifier: GPL-3.0-or-later
// Why a port would not open, as the Modbus device reports it: real ptys with real permissions,
// opened by an ordinary account, and a port held by another process.

#include "FakeSystemRoot.h"
#include "NonRootUser.h"
#include "SimDrive.h"
#include "comm/Communication.h"
#include "comm/Modbus.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const OpenPortArgument = "--open-port";
const char* const HoldPortArgument = "--hold-port";

SerialSettings settingsFor(const QString& portName)
{
    SerialSettings settings;
    settings.portName = portName;
    settings.baudRate = 9600;
    settings.dataBits = 8;
    settings.stopBits = 2;
    settings.parity = 0;
    return settings;
}

// Child modes of this executable, so that the device can be tried under another account or the
// port held by another process. A third argument is the system root to read adapters from.
int runChild(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString port = QString::fromLocal8Bit(argv[2]);
    if (argc > 3)
        SerialAdapter::setSystemRoot(QString::fromLocal8Bit(argv[3]));
    if (mode == QLatin1String(OpenPortArgument)) {
        Modbus device;
        device.setSettings(settingsFor(port));
        if (device.openDevice()) {
            out << "opened" << Qt::endl;
            device.closeDevice();
            return 0;
        }
        out << int(device.openProblem()) << '\n' << device.errorString() << Qt::endl;
        return 0;
    }
    QSerialPort holder(port);
    if (!holder.open(QIODevice::ReadWrite)) {
        out << "cannot hold: " << holder.errorString() << Qt::endl;
        return 1;
    }
    out << "holding" << Qt::endl;
    // Held until the test closes our standard input.
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    in.readAll();
    return 0;
}

struct ChildAnswer
{
    bool ran = false;
    QString firstLine;
    QString text;
};

ChildAnswer openAs(const QString& port, bool freshLogin, const QString& systemRoot = QString(),
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QStringList arguments { QString::fromLatin1(OpenPortArgument), port };
    if (!systemRoot.isEmpty())
        arguments.append(systemRoot);
    const QStringList command
        = NonRootUser::command(QCoreApplication::applicationFilePath(), arguments, freshLogin);
    ChildAnswer answer;
    if (command.isEmpty())
        return answer;
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(command.first(), command.mid(1));
    if (!child.waitForFinished(20000))
        return answer;
    const QStringList lines = QString::fromLocal8Bit(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    answer.ran = child.exitCode() == 0 && !lines.isEmpty();
    answer.firstLine = lines.value(0);
    answer.text = lines.value(1);
    return answer;
}

} // namespace

class TestSerialPortDiagnosis : public QObject
{
    Q_OBJECT

private:
    SimDrive drive;
    QString pty; // the device file behind the tool's end of the link

    void setPty(uid_t owner, gid_t group, mode_t mode)
    {
        const QByteArray path = QFile::encodeName(pty);
        QVERIFY(::chown(path.constData(), owner, group) == 0);
        QVERIFY(::chmod(path.constData(), mode) == 0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(drive.start());
        pty = QFileInfo(drive.portName()).canonicalFilePath();
        QVERIFY(pty.startsWith(QLatin1String("/dev/")));
    }

    void missingPorts_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("location");
        QTest::newRow("absolute path") << "/dev/ttyKESTROVA-none"
                                       << "/dev/ttyKESTROVA-none";
        QTest::newRow("bare name under /dev") << "ttyKESTROVA-none"
                                              << "/dev/ttyKESTROVA-none";
        QTest::newRow("under a missing folder") << "/nonexistent/ttyUSB0"
                                                << "/nonexistent/ttyUSB0";
    }
    void missingPorts()
    {
        QFETCH(QString, port);
        QFETCH(QString, location);
        Modbus device;
        device.setSettings(settingsFor(port));
        QVERIFY(!device.openDevice());
        QCOMPARE(device.openProblem(), SerialPortDiagnosis::PortMissing);
        QCOMPARE(device.error(), BusDevices::ConnectionError);
        QVERIFY2(device.errorString().startsWith(location + QStringLiteral(" does not exist")),
            qPrintable(device.errorString()));
        // The same without trying to open it, as a list of ports tells.
        QCOMPARE(SerialPortDiagnosis::check(port).problem, SerialPortDiagnosis::PortMissing);
    }

    void unpluggedAdapterLink()
    {
        // A /dev/serial/by-id link stays behind for a moment when the adapter goes.
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("usb-Kestrova_adapter-if00-port0"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), link));
        Modbus device;
        device.setSettings(settingsFor(link));
        QVERIFY(!device.openDevice());
        QCOMPARE(device.openProblem(), SerialPortDiagnosis::PortMissing);
    }

    void portHeldByAnotherProgram()
    {
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), { QString::fromLatin1(HoldPortArgument), pty });
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("holding"));

        QCOMPARE(SerialPortDiagnosis::check(pty).problem, SerialPortDiagnosis::PortBusy);
        Modbus device;
        device.setSettings(settingsFor(pty));
        QVERIFY(!device.openDevice());
        QCOMPARE(device.openProblem(), SerialPortDiagnosis::PortBusy);
        QVERIFY2(device.errorString().contains(QStringLiteral("in use by another program")),
            qPrintable(device.errorString()));
        QVERIFY2(device.errorString().contains(QStringLiteral("process %1").arg(holder.processId())),
            qPrintable(device.errorString()));

        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        // Released: the same port opens again.
        QCOMPARE(SerialPortDiagnosis::check(pty).problem, SerialPortDiagnosis::NoProblem);
        QVERIFY(device.openDevice());
        QCOMPARE(device.openProblem(), SerialPortDiagnosis::NoProblem);
        device.closeDevice();
    }

    void serviceKeepsTheReasonOfAFailedOpen()
    {
        Communication* comm = Communication::instance();
        QVERIFY(!comm->openDevice(settingsFor(QStringLiteral("/dev/ttyKESTROVA-none"))));
        QCOMPARE(comm->openFailure().problem, SerialPortDiagnosis::PortMissing);
        QVERIFY(comm->openFailure().text.contains(QStringLiteral("does not exist")));
    }

    void ordinaryAccountWithoutAccess()
    {
        const QString why = NonRootUser::ensure();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no ordinary account to test with: ") + why));
        // An ordinary user running the suite owns the pty: taking away its own access does the same.
        if (NonRootUser::isSwitching())
            setPty(0, 0, 0600);
        else
            QVERIFY(::chmod(QFile::encodeName(pty).constData(), 0) == 0);
        const ChildAnswer answer = openAs(pty, true);
        if (!NonRootUser::isSwitching())
            QVERIFY(::chmod(QFile::encodeName(pty).constData(), 0600) == 0);
        QVERIFY(answer.ran);
        QCOMPARE(answer.firstLine.toInt(), int(SerialPortDiagnosis::PermissionDenied));
        QVERIFY2(answer.text.startsWith(QStringLiteral("permission denied")), qPrintable(answer.text));
        QVERIFY2(answer.text.contains(QStringLiteral("sudo usermod -aG dialout %1").arg(NonRootUser::name())),
            qPrintable(answer.text));
        QVERIFY2(answer.text.contains(QStringLiteral("log in again")), qPrintable(answer.text));
    }

    // Where the package's udev rule is installed, a USB adapter should have been open to the user
    // at the seat without the group: the explanation says why it was not.
    void udevRuleIsNamedWhereItApplies_data()
    {
        QTest::addColumn<bool>("rule");
        QTest::addColumn<QString>("bus");
        QTest::addColumn<QString>("seat");
        QTest::addColumn<QString>("ssh");
        QTest::addColumn<QString>("says"); // empty: the rule goes unmentioned
        QTest::newRow("no rule") << false << "usb-serial"
                                 << "seat0"
                                 << ""
                                 << "";
        QTest::newRow("rule, local login")
            << true << "usb-serial"
            << "seat0"
            << ""
            << "only to adapters plugged in after it was installed: unplug the adapter and plug it in again";
        QTest::newRow("rule, ttyACM, local login") << true << "usb"
                                                   << "seat0"
                                                   << ""
                                                   << "unplug the adapter and plug it in again";
        QTest::newRow("rule, remote login")
            << true << "usb-serial"
            << "seat0"
            << "192.0.2.7 50022 192.0.2.1 22"
            << "this login is a remote one (or has no seat): it needs the group";
        QTest::newRow("rule, login without a seat") << true << "usb-serial"
                                                    << ""
                                                    << ""
                                                    << "this login is a remote one";
        QTest::newRow("rule, on-board port") << true << "platform"
                                             << "seat0"
                                             << ""
                                             << "";
    }
    void udevRuleIsNamedWhereItApplies()
    {
        QFETCH(bool, rule);
        QFETCH(QString, bus);
        QFETCH(QString, seat);
        QFETCH(QString, ssh);
        QFETCH(QString, says);
        const QString why = NonRootUser::ensure();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no ordinary account to test with: ") + why));
        FakeSystemRoot root;
        QVERIFY(root.addAdapter(QFileInfo(pty).fileName(), bus));
        if (rule)
            QVERIFY(root.installUdevRule());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_SEAT"));
        environment.remove(QStringLiteral("SSH_CONNECTION"));
        if (!seat.isEmpty())
            environment.insert(QStringLiteral("XDG_SEAT"), seat);
        if (!ssh.isEmpty())
            environment.insert(QStringLiteral("SSH_CONNECTION"), ssh);

        if (NonRootUser::isSwitching())
            setPty(0, 0, 0600);
        else
            QVERIFY(::chmod(QFile::encodeName(pty).constData(), 0) == 0);
        const ChildAnswer answer = openAs(pty, true, root.path(), environment);
        if (!NonRootUser::isSwitching())
            QVERIFY(::chmod(QFile::encodeName(pty).constData(), 0600) == 0);
        QVERIFY(answer.ran);
        QCOMPARE(answer.firstLine.toInt(), int(SerialPortDiagnosis::PermissionDenied));
        QVERIFY2(answer.text.contains(QStringLiteral("sudo usermod -aG dialout")), qPrintable(answer.text));
        if (says.isEmpty()) {
            QVERIFY2(!answer.text.contains(QStringLiteral("udev rule")), qPrintable(answer.text));
        } else {
            QVERIFY2(answer.text.contains(
                         QStringLiteral("The installed udev rule "
                                        "/usr/lib/udev/rules.d/60-kestrova.rules gives USB serial "
                                        "adapters")),
                qPrintable(answer.text));
            QVERIFY2(answer.text.contains(says), qPrintable(answer.text));
        }
    }

    void portBehindAClosedFolder()
    {
        const QString why = NonRootUser::ensure();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no ordinary account to test with: ") + why));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString link = dir.filePath(QStringLiteral("servo"));
        QVERIFY(QFile::link(pty, link));
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
        if (!NonRootUser::isSwitching()) // the folder is the suite's own: close it to itself
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0) == 0);
        const ChildAnswer answer = openAs(link, true);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        QVERIFY(answer.ran);
        QCOMPARE(answer.firstLine.toInt(), int(SerialPortDiagnosis::PermissionDenied));
        QVERIFY2(answer.text.contains(QStringLiteral("may not reach %1").arg(link)), qPrintable(answer.text));
    }

    // An adapter as udev makes it (root:dialout 0660), for an account that is or is not in dialout,
    // in a login that started before or after it joined.
    void ordinaryAccountAndTheDialoutGroup_data()
    {
        QTest::addColumn<bool>("member");
        QTest::addColumn<bool>("freshLogin");
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("says");
        QTest::newRow("not a member") << false << true << int(SerialPortDiagnosis::PermissionDenied)
                                      << "is not in the group \"dialout\"";
        QTest::newRow("joined, old login")
            << true << false << int(SerialPortDiagnosis::NewLoginNeeded) << "Log out and log in again";
        QTest::newRow("joined, new login") << true << true << int(SerialPortDiagnosis::NoProblem) << "";
    }
    void ordinaryAccountAndTheDialoutGroup()
    {
        QFETCH(bool, member);
        QFETCH(bool, freshLogin);
        QFETCH(int, problem);
        QFETCH(QString, says);
        const QString why = NonRootUser::ensure();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no ordinary account to test with: ") + why));
        if (!NonRootUser::isSwitching())
            QSKIP("giving the pty to another group needs root; the suite runs as an ordinary user");
        const group* dialout = ::getgrnam("dialout");
        if (!dialout)
            QSKIP("this system has no dialout group");
        if (member)
            QVERIFY(NonRootUser::addToGroup(QStringLiteral("dialout")));
        else {
            QProcess remove;
            remove.start(QStringLiteral("gpasswd"),
                { QStringLiteral("-d"), QString::fromLatin1(NonRootUser::Name), QStringLiteral("dialout") });
            remove.waitForFinished(20000); // fails harmlessly when the account is not a member
        }

        setPty(0, dialout->gr_gid, 0660);
        const ChildAnswer answer = openAs(pty, freshLogin);
        QVERIFY(answer.ran);
        if (problem == SerialPortDiagnosis::NoProblem) {
            QCOMPARE(answer.firstLine, QStringLiteral("opened"));
            return;
        }
        QCOMPARE(answer.firstLine.toInt(), problem);
        QVERIFY2(answer.text.contains(says), qPrintable(answer.text));
        QVERIFY2(answer.text.contains(pty), qPrintable(answer.text));
    }

    void cleanupTestCase()
    {
        if (::geteuid() == 0 && !pty.isEmpty())
            setPty(0, 0, 0600);
    }
};

int main(int argc, char* argv[])
{
    if (argc >= 3 && (qstrcmp(argv[1], OpenPortArgument) == 0 || qstrcmp(argv[1], HoldPortArgument) == 0))
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestSerialPortDiagnosis test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_serialportdiagnosis.moc"
