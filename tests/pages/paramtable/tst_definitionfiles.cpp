// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter table with broken definition files: it still opens (empty), and the console names
// each broken file with the parser's reason and position, in the language of the interface.

#include "Global.h"
#include "WorkDir.h"
#include "app/startup/Startup.h"
#include "pages/paramtable/GUI_ParamTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

class TestDefinitionFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Startup::initResources(); }
    void brokenFilesAreNamed_data();
    void brokenFilesAreNamed();
};

void TestDefinitionFiles::brokenFilesAreNamed_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("expected"); // %1 = the definition folder

    QTest::newRow("English")
        << int(Global::LANGUAGE_EN)
        << QStringList {
               "Definition file %1ParamTable.xml is damaged: unexpected end of file (line 3, "
               "column 17)",
               "Definition file %1ControlFunction.xml is damaged: error occurred while "
               "parsing element (line 1, column 1)",
           };
    QTest::newRow("Chinese")
        << int(Global::LANGUAGE_CN)
        << QStringList {
               QStringLiteral("定义文件 %1ParamTable.xml 已损坏：文件意外结束（第 3 行，第 17 列）"),
               QStringLiteral("定义文件 %1ControlFunction.xml 已损坏：解析元素时出错（第 1 "
                              "行，第 1 列）"),
           };
}

void TestDefinitionFiles::brokenFilesAreNamed()
{
    QFETCH(int, language);
    QFETCH(QStringList, expected);

    WorkDir work(WorkDir::Seed::Nothing);
    QTranslator translator;
    if (language == Global::LANGUAGE_CN) {
        QVERIFY(translator.load(QStringLiteral(":/Language/cn.qm")));
        QCoreApplication::installTranslator(&translator);
    }
    Global::instance()->setDevice(Global::DEVICE_SERVO);
    Global::instance()->setLanguage(language);
    Global::instance()->setDeviceVersion(QStringLiteral("BROKEN"));
    const QString folder = Global::instance()->configPath();
    QVERIFY(QDir().mkpath(folder));
    QFile table(folder + QStringLiteral("ParamTable.xml"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("<ParamTable>\n  <Group name=\"P0\" code=\"0\">\n    <Param name=");
    table.close();
    QFile functions(folder + QStringLiteral("ControlFunction.xml"));
    QVERIFY(functions.open(QIODevice::WriteOnly));
    functions.write(QByteArray("\x00\x01garbage", 9));
    functions.close();

    GUI_ParamTable page;
    QSignalSpy console(&page, &WidgetBase::sig_printToConsole);
    // The lines come after the constructor, once the window can have connected to the page.
    QCOMPARE(console.count(), 0);
    QTRY_COMPARE(console.count(), 2);
    QStringList lines;
    for (const QList<QVariant>& args : console)
        lines << args.at(0).toString();
    for (QString& line : expected)
        line = line.arg(folder);
    QCOMPARE(lines, expected);

    // The page itself is there, just empty.
    auto* tree = page.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(tree);
    QVERIFY(!tree->model() || tree->model()->rowCount() <= 1);

    QCoreApplication::removeTranslator(&translator);
    Global::instance()->setLanguage(Global::LANGUAGE_EN);
}

QTEST_MAIN(TestDefinitionFiles)
#include "tst_definitionfiles.moc"
