// SPDX-License-Identifier: GPL-3.0-or-later
#include "Global.h"
#include "UiTestSupport.h"
#include "WorkDir.h"
#include "app/startup/Launcher.h"
#include "app/startup/Startup.h"
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Stands in for the real process start; remembers what the memory file held at the moment of the launch.
class RecordingLauncher : public Launcher
{
public:
    struct Call
    {
        QString program;
        QStringList arguments;
        QByteArray memoryAtLaunch;
    };
    QList<Call> calls;

    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        QFile file(QStringLiteral("Driver/Init.xml"));
        file.open(QIODevice::ReadOnly);
        calls.append({ program, arguments, file.readAll() });
        return true;
    }
};

QMainWindow* shownMainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(w); window && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;

    void writeInit(int device, int language) { work->writeInit(device, language); }

    // Runs the start-up with `duringLoop` called once the event loop runs, then ends it with `exitCode`.
    static int runStartup(Launcher& launcher, int exitCode, std::function<void()> duringLoop = {})
    {
        QTimer::singleShot(200, qApp, [exitCode, duringLoop]() {
            if (duringLoop)
                duringLoop();
            qApp->exit(exitCode);
        });
        return Startup::run(*qApp, launcher);
    }

private slots:
    void init()
    {
        work = std::make_unique<WorkDir>(WorkDir::Seed::Nothing);
        QVERIFY(work->isValid());
        Global::instance()->setDevice(0);
        Global::instance()->setLanguage(0);
    }

    void cleanup() { work.reset(); }

    void refusesWithoutMemoryFile()
    {
        RecordingLauncher launcher;
        bool windowDuringBox = true;
        UiTest::BoxAnswerer answer(QMessageBox::Ok);
        answer.onSeen = [&](QMessageBox*) { windowDuringBox = shownMainWindow() != nullptr; };
        const int code = Startup::run(*qApp, launcher);
        QCOMPARE(code, 0);
        QVERIFY(answer.answered());
        QCOMPARE(answer.seen.title, QStringLiteral("Tips"));
        QCOMPARE(answer.seen.text, QStringLiteral("The startup files seem to be missing."));
        QCOMPARE(answer.seen.icon, QMessageBox::Warning);
        QVERIFY(!windowDuringBox);
        QVERIFY(launcher.calls.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("Driver/Init.xml")));
    }

    void refusesMalformedMemoryFile()
    {
        QDir().mkpath(QStringLiteral("Driver"));
        QFile file(QStringLiteral("Driver/Init.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<Init><Device>1");
        file.close();
        RecordingLauncher launcher;
        UiTest::BoxAnswerer answer(QMessageBox::Ok);
        QCOMPARE(Startup::run(*qApp, launcher), 0);
        QCOMPARE(answer.seen.text, QStringLiteral("The startup files seem to be missing."));
    }

    void showsWindowWithStyleSheet()
    {
        writeInit(0, 0);
        RecordingLauncher launcher;
        QString title;
        QString sheet;
        const int code = runStartup(launcher, 0, [&]() {
            if (QMainWindow* window = shownMainWindow())
                title = window->windowTitle();
            sheet = qApp->styleSheet();
        });
        QCOMPARE(code, 0);
        QCOMPARE(title, QStringLiteral("Kestrova"));
        QVERIFY(sheet.contains(
            QLatin1String("QWidget#scrollAreaWidgetContents_WorkSpace QAbstractButton:checked")));
        QCOMPARE(qApp->font().family(), QStringLiteral("Microsoft Yahei"));
        QCOMPARE(qApp->font().pointSize(), 9);
        QVERIFY(launcher.calls.isEmpty());
    }

    void styleSheetText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("QFrame { border: none }")
                               << QStringLiteral("QFrame { border: none }");
        QTest::newRow("cut at the first NUL")
            << QByteArray("QFrame {}\0QWidget {}\0", 21) << QStringLiteral("QFrame {}");
        QTest::newRow("NUL first") << QByteArray("\0QFrame {}", 10) << QString();
        QTest::newRow("bytes are Latin-1")
            << QByteArray("/* caf\xe9 */") << QStringLiteral("/* caf\u00e9 */");
    }

    void styleSheetText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(Startup::styleSheetText(bytes), expected);
    }

    void highDpiAttributesSet()
    {
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling));
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_UseHighDpiPixmaps));
    }

    void otherExitCodesArePassedOn_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::newRow("0") << 0;
        QTest::newRow("3") << 3;
        QTest::newRow("101") << 101;
    }

    void otherExitCodesArePassedOn()
    {
        QFETCH(int, exitCode);
        writeInit(0, 0);
        RecordingLauncher launcher;
        // The memory file is written on the way out, restart or not.
        QCOMPARE(
            runStartup(launcher, exitCode, []() { Global::instance()->setLanguage(Global::LANGUAGE_CN); }),
            exitCode);
        QVERIFY(launcher.calls.isEmpty());
        QFile file(QStringLiteral("Driver/Init.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("<Language>1</Language>"));
        QVERIFY(!shownMainWindow());
    }

    void restartWritesMemoryBeforeLaunch()
    {
        writeInit(0, 0);
        RecordingLauncher launcher;
        const int code = runStartup(launcher, MainWindow::RestartCode, []() {
            Global::instance()->setDevice(Global::DEVICE_VFD);
            Global::instance()->setLanguage(Global::LANGUAGE_CN);
        });
        QCOMPARE(code, 0);
        QCOMPARE(launcher.calls.size(), 1);
        const RecordingLauncher::Call call = launcher.calls.first();
        QCOMPARE(call.program, QCoreApplication::applicationFilePath());
        QVERIFY(call.arguments.isEmpty());
        QVERIFY(call.memoryAtLaunch.contains("<Device>1</Device>"));
        QVERIFY(call.memoryAtLaunch.contains("<Language>1</Language>"));
        QVERIFY(!shownMainWindow());
    }

    void translatorFollowsLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("tips");
        QTest::newRow("english") << 0 << QStringLiteral("Tips");
        QTest::newRow("chinese") << 1 << QStringLiteral("提示");
        QTest::newRow("unknown language runs untranslated") << 7 << QStringLiteral("Tips");
    }

    void translatorFollowsLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, tips);
        writeInit(0, language);
        RecordingLauncher launcher;
        QString seenTips;
        QCOMPARE(
            runStartup(launcher, 0, [&]() { seenTips = QCoreApplication::translate("QObject", "Tips"); }), 0);
        QCOMPARE(seenTips, tips);
        // The translator belongs to the run: nothing stays installed afterwards.
        QCOMPARE(QCoreApplication::translate("QObject", "Tips"), QStringLiteral("Tips"));
    }
};

int main(int argc, char* argv[])
{
    Startup::setAttributes();
    QApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
