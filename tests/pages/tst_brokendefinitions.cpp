// SPDX-License-Identifier: GPL-3.0-or-later
// The scope and the control panel with a broken definition file of theirs: each page still opens
// (its table empty), and the console names the file with the parser's reason and position, in
// the language of the interface.

#include "Global.h"
#include "WorkDir.h"
#include "app/startup/Startup.h"
#include "pages/controlpanel/GUI_ControlPanel.h"
#include "pages/scope/GUI_Scope.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

#include <memory>

class TestBrokenDefinitions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Startup::initResources(); }
    void brokenFileIsNamed_data();
    void brokenFileIsNamed();
};

void TestBrokenDefinitions::brokenFileIsNamed_data()
{
    QTest::addColumn<int>("device");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected"); // %1 = the definition folder

    const QByteArray truncated = "<Variables>\n  <Var name=\"D0-00\" code=\"4096\"";
    const QByteArray garbage("\x00\x01garbage", 9);
    QTest::newRow("scope, truncated, English")
        << int(Global::DEVICE_SERVO) << "Variables.xml" << truncated << int(Global::LANGUAGE_EN)
        << "Definition file %1Variables.xml is damaged: unexpected end of file (line 2, column 32)";
    QTest::newRow("scope, empty, Chinese")
        << int(Global::DEVICE_SERVO) << "Variables.xml" << QByteArray() << int(Global::LANGUAGE_CN)
        << QStringLiteral("定义文件 %1Variables.xml 已损坏：文件意外结束（第 1 行，第 1 列）");
    QTest::newRow("control panel, garbage, English")
        << int(Global::DEVICE_VFD) << "ErrorCode.xml" << garbage << int(Global::LANGUAGE_EN)
        << "Definition file %1ErrorCode.xml is damaged: error occurred while parsing element (line 1, "
           "column 1)";
    QTest::newRow("control panel, garbage, Chinese")
        << int(Global::DEVICE_VFD) << "ErrorCode.xml" << garbage << int(Global::LANGUAGE_CN)
        << QStringLiteral("定义文件 %1ErrorCode.xml 已损坏：解析元素时出错（第 1 行，第 1 列）");
}

void TestBrokenDefinitions::brokenFileIsNamed()
{
    QFETCH(int, device);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(int, language);
    QFETCH(QString, expected);

    WorkDir work(WorkDir::Seed::Nothing);
    QTranslator translator;
    if (language == Global::LANGUAGE_CN) {
        QVERIFY(translator.load(QStringLiteral(":/Language/cn.qm")));
        QCoreApplication::installTranslator(&translator);
    }
    auto restore = qScopeGuard([&] {
        QCoreApplication::removeTranslator(&translator);
        Global::instance()->setLanguage(Global::LANGUAGE_EN);
    });
    Global::instance()->setDevice(device);
    Global::instance()->setLanguage(language);
    Global::instance()->setDeviceVersion(QStringLiteral("BROKEN"));
    const QString folder = Global::instance()->configPath();
    QVERIFY(QDir().mkpath(folder));
    QFile broken(folder + file);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(content);
    broken.close();

    std::unique_ptr<WidgetBase> page;
    if (file == QLatin1String("Variables.xml"))
        page = std::make_unique<GUI_Scope>();
    else
        page = std::make_unique<GUI_ControlPanel>();
    QSignalSpy console(page.get(), &WidgetBase::sig_printToConsole);
    // The line comes after the constructor, once the window can have connected to the page.
    QCOMPARE(console.count(), 0);
    QTRY_COMPARE(console.count(), 1);
    QCOMPARE(console.first().at(0).toString(), expected.arg(folder));
    QTest::qWait(50);
    QCOMPARE(console.count(), 1);

    // The scope's variable table is there, just empty.
    if (auto* table = page->findChild<QTableWidget*>(QStringLiteral("TableWidget")))
        QCOMPARE(table->rowCount(), 0);
}

QTEST_MAIN(TestBrokenDefinitions)
#include "tst_brokendefinitions.moc"
