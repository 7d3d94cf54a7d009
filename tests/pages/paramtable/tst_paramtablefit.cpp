// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter table in the window a 1366 x 768 laptop screen leaves, with every sample definition
// of both families in both languages: the tool strip and the columns from the code to the unit show
// whole without scrolling sideways, and the code and the limits are never cut.

#include "UiTestSupport.h"
#include "pages/paramtable/GUI_ParamTable.h"
#include "pages/paramtable/ParamTableModel.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTranslator>
#include <QtTest>

namespace {
// 1366 × 768 less a 32 px panel, less the window frame the window keeps room for.
const QSize ClientSize(1350, 696);
} // namespace

class TestParamTableFit : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;

private slots:
    void initTestCase()
    {
        Startup::initResources();
        Startup::applyLook(*qApp);
        work = std::make_unique<WorkDir>(WorkDir::Seed::Everything);
    }

    void cleanupTestCase()
    {
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        Global::instance()->setLanguage(Global::LANGUAGE_EN);
        work.reset();
    }

    // Every sample version of both families, in both languages.
    void fitsLaptopScreen_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("version");
        for (int device : { int(Global::DEVICE_SERVO), int(Global::DEVICE_VFD) }) {
            const QString family
                = device == Global::DEVICE_VFD ? QStringLiteral("VFD") : QStringLiteral("SERVO");
            const QDir folder(QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/") + family);
            for (const QString& version : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
                QTest::addRow("%s %s EN", qPrintable(family), qPrintable(version))
                    << device << int(Global::LANGUAGE_EN) << version;
                QTest::addRow("%s %s CN", qPrintable(family), qPrintable(version))
                    << device << int(Global::LANGUAGE_CN) << version;
            }
        }
    }

    void fitsLaptopScreen()
    {
        QFETCH(int, device);
        QFETCH(int, language);
        QFETCH(QString, version);
        QTranslator translator;
        QVERIFY(translator.load(language == Global::LANGUAGE_CN ? QStringLiteral(":/Language/cn.qm")
                                                                : QStringLiteral(":/Language/en.qm")));
        QCoreApplication::installTranslator(&translator);
        std::unique_ptr<MainWindow> window;
        UiTest::makeWindow(window, device, language);
        // The version under test, whatever the connection page chose.
        Global::instance()->setDeviceVersion(version);
        window->resize(ClientSize);
        window->findChild<QPushButton*>(QStringLiteral("btn_ParamTable"))->click();
        auto* table = window->findChild<GUI_ParamTable*>();
        QVERIFY(table);
        QTRY_VERIFY(table->isVisible());
        QVERIFY(table->model()->rowCount() > 50);

        auto* strip = table->findChild<QWidget*>(QStringLiteral("Wgt_ToolStrip"));
        auto* content = table->findChild<QWidget*>(QStringLiteral("Wgt_ToolStripContent"));
        QVERIFY2(content->sizeHint().width() <= strip->width(),
            qPrintable(QStringLiteral("%1 > %2").arg(content->sizeHint().width()).arg(strip->width())));

        auto* view = table->findChild<QTableView*>(QStringLiteral("tableView"));
        QCOMPARE(view->horizontalScrollBar()->value(), 0);
        const int unit = ParamTableModel::UnitColumn;
        const int unitEnd = view->columnViewportPosition(unit) + view->columnWidth(unit);
        QVERIFY2(unitEnd <= view->viewport()->width(),
            qPrintable(QStringLiteral("%1 > %2").arg(unitEnd).arg(view->viewport()->width())));
        for (int column = ParamTableModel::CodeColumn; column <= unit; ++column)
            QVERIFY2(view->columnWidth(column) >= view->horizontalHeader()->sectionSizeHint(column),
                qPrintable(view->model()->headerData(column, Qt::Horizontal).toString()));
        ParamTableModel* rows = table->model();
        for (int column : { ParamTableModel::CodeColumn, ParamTableModel::FactoryColumn,
                 ParamTableModel::MinColumn, ParamTableModel::MaxColumn, ParamTableModel::UnitColumn }) {
            for (int row = 0; row < rows->rowCount(); ++row) {
                const QString text = rows->index(row, column).data().toString();
                QVERIFY2(view->fontMetrics().horizontalAdvance(text) < view->columnWidth(column),
                    qPrintable(text));
            }
        }

        window.reset();
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestParamTableFit)
#include "tst_paramtablefit.moc"
