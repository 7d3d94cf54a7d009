// The parameter table in the window a 1366 x 768 laptop screen leaves, with the sample definitions
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

class TestParamTableFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Startup::initResources(); }

    void fitsLaptopScreen_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("version");
        QTest::newRow("servo, English")
            << int(Global::DEVICE_SERVO) << int(Global::LANGUAGE_EN) << "KSD-V1.10";
        QTest::newRow("servo, Chinese")
            << int(Global::DEVICE_SERVO) << int(Global::LANGUAGE_CN) << "KSD-V1.10";
        QTest::newRow("VFD, English") << int(Global::DEVICE_VFD) << int(Global::LANGUAGE_EN) << "KVF-V2.1";
        QTest::newRow("VFD, Chinese") << int(Global::DEVICE_VFD) << int(Global::LANGUAGE_CN) << "KVF-V2.1";
    }

    void fitsLaptopScreen()
    {
        QFETCH(int, device);
        QFETCH(int, language);
        QFETCH(QString, version);
        WorkDir work(WorkDir::Seed::Init);
        const QString folder = QStringLiteral("Driver/Config/%1/%2/%3/")
                                   .arg(device == Global::DEVICE_VFD ? "VFD" : "SERVO", version,
                                       language == Global::LANGUAGE_CN ? "CN" : "EN");
        QVERIFY(QDir().mkpath(folder));
        for (const QString& name :
            { QStringLiteral("ParamTable.xml"), QStringLiteral("ControlFunction.xml") })
            QVERIFY(QFile::copy(QStringLiteral(KESTROVA_SOURCE_DIR "/") + folder + name, folder + name));
        QTranslator translator;
        QVERIFY(translator.load(language == Global::LANGUAGE_CN ? QStringLiteral(":/Language/cn.qm")
                                                                : QStringLiteral(":/Language/en.qm")));
        QCoreApplication::installTranslator(&translator);
        std::unique_ptr<MainWindow> window;
        UiTest::makeWindow(window, device, language);
        // The connection page chose the version of the first device picture; there is none here.
        Global::instance()->setDeviceVersion(version);
        window->resize(1350, 728); // what the window takes on such a screen
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
