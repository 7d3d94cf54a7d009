// SPDX-License-Identifier: GPL-3.0-or-later
// kestrova-cli and the window exchange parameter files: an export of the parameter table restores
// onto another drive with the tool, the tool's backup of that drive is the window's export byte for
// byte, and the window imports it. Two simulated drives of the same model on two pty links, one for
// the window and one for the tool, so neither has to let go of its port.

#include "Global.h"
#include "SimDrive.h"
#include "UiTestSupport.h"
#include "app/startup/Startup.h"
#include "comm/Communication.h"
#include "pages/paramtable/GUI_ParamTable.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QProgressDialog>
#include <QToolButton>

#include <QtTest>

#include <memory>

namespace {

const QString cliPath = QStringLiteral(KESTROVA_CLI_PATH);

// The page with its file dialogs answered by the test.
class FilePage : public GUI_ParamTable
{
public:
    QString nextFile;

protected:
    QString askSaveFileName(const QString&, const QString&, const QString&) override { return nextFile; }
    QString askOpenFileName(const QString&, const QString&, const QString&) override { return nextFile; }
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Registers and the values that differ from the factory's, as the simulated drive's console sets
// them: an entry without a leading number (P0-02), binary digits (P0-55), decimals, hexadecimal, and a
// value shown in the decimals another one rules (P2-21 in 0.001 mm once P2-30 is 1).
const QList<QPair<QString, int>> settings { { "0002", 1 }, { "0004", 20 }, { "0037", 5 }, { "0108", 125 },
    { "060F", 31 }, { "021E", 1 }, { "0215", 1500 } };

} // namespace

class TestCliWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> m_work;
    SimDrive m_windowDrive;
    SimDrive m_toolDrive;
    std::unique_ptr<FilePage> m_page;

    int runTool(const QStringList& arguments)
    {
        ChildProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_work->path());
        tool.setProcessEnvironment(env);
        tool.start(cliPath,
            arguments
                + QStringList { "--port", m_toolDrive.portName(), "--baud", "115200", "--definitions",
                    m_work->path() + QStringLiteral("/Driver") });
        if (!tool.waitForFinished(60000))
            return -1;
        if (tool.exitCode() != 0)
            qWarning(
                "%s%s", tool.readAllStandardOutput().constData(), tool.readAllStandardError().constData());
        return tool.exitCode();
    }

    void setOn(SimDrive& drive, int scale)
    {
        for (const auto& setting : settings) {
            const QString line = QStringLiteral("set %1 %2").arg(setting.first).arg(setting.second * scale);
            QVERIFY2(drive.command(line).startsWith(QLatin1String("ok")), qPrintable(line));
        }
    }

    QStringList valuesOn(SimDrive& drive)
    {
        QStringList values;
        for (const auto& setting : settings)
            values << setting.first + QLatin1Char('=')
                    + drive.command(QStringLiteral("get ") + setting.first).mid(3);
        return values;
    }

    QStringList expectedValues()
    {
        QStringList values;
        for (const auto& setting : settings)
            values << setting.first + QLatin1Char('=') + QString::number(setting.second);
        return values;
    }

    void readAllPages()
    {
        auto* button = m_page->findChild<QToolButton*>(QStringLiteral("Btn_Refresh"));
        for (QAction* action : button->menu()->actions()) {
            if (action->text() == QLatin1String("Read all pages"))
                action->trigger();
        }
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(12, 12));
        QTRY_VERIFY_WITH_TIMEOUT(m_page->findChild<QProgressDialog*>(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!m_page->findChild<QProgressDialog*>(), 20000);
    }

private slots:
    void initTestCase()
    {
        m_work = std::make_unique<WorkDir>(WorkDir::Seed::Everything);
        Startup::initResources();
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        Global::instance()->setLanguage(Global::LANGUAGE_EN);
        Global::instance()->setDeviceVersion(QStringLiteral("KSD-V1.10"));
        QVERIFY(m_windowDrive.start());
        QVERIFY(m_toolDrive.start());

        Communication* comm = Communication::instance();
        comm->setCommType(Communication::COMM_MODBUS_RTU);
        QVERIFY(comm->openDevice(m_windowDrive.serialSettings()));
        comm->setServerAddress(1);
        comm->connectDevice(53, 3);
        QTRY_COMPARE_WITH_TIMEOUT(comm->commState(), Communication::COMM_CONNECTED, 10000);

        m_page = std::make_unique<FilePage>();
        m_page->setCurrentPage(true);
        m_page->resize(1331, 800);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    }

    void cleanupTestCase()
    {
        m_page.reset();
        m_windowDrive.stop();
        m_toolDrive.stop();
    }

    void exportRestoredByTheTool()
    {
        setOn(m_windowDrive, 1);
        readAllPages();
        const QString exported = m_work->path() + QStringLiteral("/window.json");
        m_page->nextFile = exported;
        QTest::mouseClick(
            m_page->findChild<QAbstractButton*>(QStringLiteral("Btn_SaveParam")), Qt::LeftButton);
        QVERIFY(!fileBytes(exported).isEmpty());

        QCOMPARE(runTool({ "restore", exported }), 0);
        QCOMPARE(valuesOn(m_toolDrive), expectedValues());
        QCOMPARE(runTool({ "diff", exported }), 0);
    }

    void backupImportedByTheWindow()
    {
        const QString backup = m_work->path() + QStringLiteral("/tool.json");
        QCOMPARE(runTool({ "backup", backup }), 0);
        // The same drive settings make the same file, whichever front end saved them.
        QCOMPARE(fileBytes(backup), fileBytes(m_work->path() + QStringLiteral("/window.json")));

        setOn(m_windowDrive, 0);
        UiTest::BoxAnswerer question(QMessageBox::Yes);
        m_page->nextFile = backup;
        QTest::mouseClick(
            m_page->findChild<QAbstractButton*>(QStringLiteral("Btn_OpenParam")), Qt::LeftButton);
        QVERIFY(question.answered());
        QTRY_VERIFY_WITH_TIMEOUT(!m_page->findChild<QProgressDialog*>(), 20000);
        QCOMPARE(valuesOn(m_windowDrive), expectedValues());
    }
};

QTEST_MAIN(TestCliWindow)
#include "tst_cliwindow.moc"
