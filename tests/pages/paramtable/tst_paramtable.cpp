// SPDX-License-Identifier: GPL-3.0-or-later
#include "Global.h"
#include "ModalAnswer.h"
#include "SimDrive.h"
#include "UiTestSupport.h"
#include "app/startup/Startup.h"
#include "comm/Communication.h"
#include "definitions/Parameter.h"
#include "definitions/ValueFormat.h"
#include "pages/paramtable/GUI_ParamTable.h"
#include "pages/paramtable/ParamCompareDialog.h"
#include "pages/paramtable/ParamTableModel.h"

#include "FileSizeLimit.h"
#include <QAbstractButton>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>

#include <QtTest>

#include <algorithm>
#include <csignal>
#include <memory>
#include <optional>
#include <sys/resource.h>

namespace {

const QString dataDir = QStringLiteral(KESTROVA_SOURCE_DIR "/tests/pages/paramtable/data/");
const QColor white(QStringLiteral("#FFFFFF"));
const QColor failed(QStringLiteral("#BDB76B"));
const QColor factoryDiff(QStringLiteral("#EFE4B0"));
const QColor realtime(QStringLiteral("#CCE8FF"));
const QColor readOnly(QStringLiteral("#C6C6C7"));
const QString iconFolder = QStringLiteral(":/Icon/Images/Icon_16x16/");

using State = ParameterSet::State;
using UiTest::iconImage;
using UiTest::readLine;

// One cell of the parameter table, through the model's public interface; empty where the table
// has no cell (an access or effect value without a text).
class Cell
{
public:
    Cell(ParamTableModel* model, int row, int column)
        : m_model(model)
        , m_index(model->index(row, column))
    {
    }

    QString text() const { return m_index.data().toString(); }
    void setText(const QString& text) { m_model->setData(m_index, text, Qt::DisplayRole); }
    QVariant data(int role) const { return m_index.data(role); }
    void setData(const QVariant& value, int role) { m_model->setData(m_index, value, role); }
    Qt::CheckState checkState() const { return Qt::CheckState(m_index.data(Qt::CheckStateRole).toInt()); }
    void setCheckState(Qt::CheckState state) { m_model->setData(m_index, state, Qt::CheckStateRole); }
    bool isEditable() const { return m_model->flags(m_index).testFlag(Qt::ItemIsEditable); }
    bool isCheckable() const { return m_model->flags(m_index).testFlag(Qt::ItemIsUserCheckable); }
    // The current value's colour follows its state.
    void setState(State state) { m_model->setData(m_index, int(state), ParamTableModel::StateRole); }

private:
    ParamTableModel* m_model;
    QPersistentModelIndex m_index;
};

// The page with its file dialogs answered by the test.
class TestablePage : public GUI_ParamTable
{
public:
    QString nextFile;
    QStringList asked; // caption and filter of every dialog

protected:
    QString askSaveFileName(const QString& caption, const QString&, const QString& filter) override
    {
        asked << caption << filter;
        return nextFile;
    }
    QString askOpenFileName(const QString& caption, const QString&, const QString& filter) override
    {
        asked << caption << filter;
        return nextFile;
    }
};

QString colorName(const std::optional<Cell>& cell)
{
    const QVariant background = cell->data(Qt::BackgroundRole);
    if (!background.isValid() || background.value<QBrush>().style() == Qt::NoBrush)
        return QStringLiteral("none");
    return background.value<QBrush>().color().name(QColor::HexRgb).toUpper();
}

QString hex(const QColor& color)
{
    return color.name(QColor::HexRgb).toUpper();
}

// A request as the simulated drive logs it, compared without regard to the case of hex digits.
QStringList normalized(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out << line.toUpper();
    return out;
}

} // namespace

class TestParamTable : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir work;
    QString previousDir;
    SimDrive sim;
    int family = -1;
    std::unique_ptr<TestablePage> page;
    std::unique_ptr<QSignalSpy> console;
    std::unique_ptr<QSignalSpy> messages;
    std::unique_ptr<QSignalSpy> descriptions;

    // Installs the test definitions where the page looks for them: ./Driver/Config/<family>/TEST/EN/.
    void installDefinitions()
    {
        for (const auto& pair : { qMakePair(QStringLiteral("servo"), QStringLiteral("SERVO")),
                 qMakePair(QStringLiteral("vfd"), QStringLiteral("VFD")) }) {
            const QString target = QStringLiteral("Driver/Config/%1/TEST/EN/").arg(pair.second);
            QVERIFY(QDir().mkpath(target));
            for (const QString& name :
                { QStringLiteral("ParamTable.xml"), QStringLiteral("ControlFunction.xml") }) {
                QFile::remove(target + name);
                QVERIFY(QFile::copy(dataDir + pair.first + QLatin1Char('/') + name, target + name));
            }
        }
    }

    void closeConnection()
    {
        Communication* comm = Communication::instance();
        if (comm->commState() == Communication::COMM_DISCONNECT)
            return;
        comm->closeDevice();
        QTRY_COMPARE_WITH_TIMEOUT(comm->commState(), Communication::COMM_DISCONNECT, 8000);
    }

    // One connected service per family; switching family reconnects (the VFD poll is set up at open).
    void connectTo(int wanted)
    {
        Communication* comm = Communication::instance();
        if (family == wanted && comm->commState() == Communication::COMM_CONNECTED)
            return;
        page.reset();
        closeConnection();
        Global::instance()->setDevice(wanted);
        Global::instance()->setLanguage(Global::LANGUAGE_EN);
        Global::instance()->setDeviceVersion(QStringLiteral("TEST"));

        SimDrive::Options options;
        options.family = wanted == Global::DEVICE_VFD ? QStringLiteral("vfd") : QStringLiteral("servo");
        options.config = QDir::current().absoluteFilePath(Global::instance()->configPath());
        QVERIFY(sim.start(options));

        const SerialSettings settings = sim.serialSettings();
        comm->setCommType(Communication::COMM_MODBUS_RTU);
        QVERIFY(comm->openDevice(settings));
        comm->setServerAddress(options.slave);
        if (wanted == Global::DEVICE_VFD)
            comm->connectDevice(0xFD00, 3);
        else
            comm->connectDevice(53, 3);
        QTRY_COMPARE_WITH_TIMEOUT(comm->commState(), Communication::COMM_CONNECTED, 10000);
        family = wanted;
    }

    void openPage()
    {
        page.reset(new TestablePage);
        page->setCurrentPage(true);
        page->resize(1331, 800);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        console.reset(new QSignalSpy(page.get(), &WidgetBase::sig_printToConsole));
        messages.reset(new QSignalSpy(page.get(), &WidgetBase::sig_showMessageBox));
        descriptions.reset(new QSignalSpy(page.get(), &WidgetBase::sig_printParma));
        sim.clearLog();
    }

    QTableView* view() { return page->findChild<QTableView*>(QStringLiteral("tableView")); }
    QTreeView* tree() { return page->findChild<QTreeView*>(QStringLiteral("treeView")); }
    QToolButton* toolButton(const char* name) { return page->findChild<QToolButton*>(QLatin1String(name)); }
    QAbstractButton* button(const char* name)
    {
        return page->findChild<QAbstractButton*>(QLatin1String(name));
    }

    ParamTableModel* model() { return page->model(); }

    int rowOf(const QString& code) { return model()->parameters()->rowOf(code); }

    std::optional<Cell> cell(const QString& code, int column)
    {
        const int row = rowOf(code);
        if (row < 0 || model()->flags(model()->index(row, column)) == Qt::NoItemFlags)
            return std::nullopt;
        return Cell(model(), row, column);
    }

    QStringList visibleCodes()
    {
        QStringList codes;
        QAbstractItemModel* m = view()->model();
        for (int row = 0; row < m->rowCount(); ++row) {
            if (!view()->isRowHidden(row))
                codes << m->index(row, 1).data().toString();
        }
        return codes;
    }

    QStringList viewCodes()
    {
        QStringList codes;
        QAbstractItemModel* m = view()->model();
        for (int row = 0; row < m->rowCount(); ++row)
            codes << m->index(row, 1).data().toString();
        return codes;
    }

    QAction* menuAction(const char* buttonName, const QString& text)
    {
        for (QAction* action : toolButton(buttonName)->menu()->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    void selectGroup(const QString& group)
    {
        QModelIndex root = tree()->model()->index(0, 0);
        if (group.isEmpty()) {
            tree()->setCurrentIndex(root);
            return;
        }
        for (int row = 0; row < tree()->model()->rowCount(root); ++row) {
            const QModelIndex child = tree()->model()->index(row, 0, root);
            // The group's name as the tree shows it, before its description.
            if (child.data().toString().section(QStringLiteral("  ("), 0, 0) == group) {
                tree()->setCurrentIndex(child);
                return;
            }
        }
        QFAIL(qPrintable("no group " + group));
    }

    void check(const QStringList& codes)
    {
        for (const QString& code : codes)
            cell(code, 0)->setCheckState(Qt::Checked);
    }

    // What the value editor stores on commit (the editor itself is tested on its own).
    void setSetting(const QString& code, const QString& text, int raw)
    {
        std::optional<Cell> setting = cell(code, 3);
        setting->setData(text, Qt::DisplayRole);
        setting->setData(raw, ParamTableModel::RawValueRole);
    }

    QProgressDialog* progress() { return page->findChild<QProgressDialog*>(); }

    // Runs the read or write button with the given menu choice and waits for the batch to end.
    void runBatch(const char* buttonName, const QString& actionText, int expected, int timeoutMs = 8000)
    {
        QAction* action = menuAction(buttonName, actionText);
        QVERIFY(action);
        action->trigger();
        console->clear();
        QTest::mouseClick(toolButton(buttonName), Qt::LeftButton, {}, QPoint(12, 12));
        if (expected == 0) {
            QVERIFY(!progress());
            return;
        }
        verifyProgressDialog(expected,
            buttonName == QByteArray("Btn_Refresh") ? QStringLiteral("Parameter loading...")
                                                    : QStringLiteral("Parameter uploading..."));
        QTRY_VERIFY_WITH_TIMEOUT(!progress(), timeoutMs);
        QVERIFY(!console->isEmpty());
        QCOMPARE(console->last().at(0).toString(), QStringLiteral("The operation is complete"));
    }

    // The batch's progress dialog as it is right after the batch went out (no answer can have been
    // applied yet: answers arrive through the event loop).
    void verifyProgressDialog(int expected, const QString& label)
    {
        QProgressDialog* dialog = progress();
        QVERIFY(dialog);
        QCOMPARE(dialog->parentWidget(), page.get());
        QCOMPARE(dialog->minimum(), 0);
        QCOMPARE(dialog->maximum(), expected);
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Please wait"));
        QCOMPARE(dialog->labelText(), label);
        QCOMPARE(dialog->minimumDuration(), 5);
        QCOMPARE(dialog->size(), QSize(300, 80));
        QCOMPARE(dialog->minimumSize(), QSize(300, 80));
        QCOMPARE(dialog->maximumSize(), QSize(300, 80));
        const Qt::WindowFlags flags = dialog->windowFlags();
        QVERIFY(flags.testFlag(Qt::Dialog));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(dialog->findChildren<QPushButton*>().isEmpty()); // no cancel button
        QVERIFY(dialog->isVisible());
        const QList<QTimer*> timers = dialog->findChildren<QTimer*>();
        const auto tick = std::find_if(timers.cbegin(), timers.cend(),
            [](const QTimer* timer) { return timer->isActive() && timer->interval() == 100; });
        QVERIFY2(tick != timers.cend(), "no 100 ms progress timer owned by the dialog");
    }

    void answer(const QString& tag, const QVector<quint16>& values)
    {
        emit Communication::instance()->resultCallBackEvent(tag, values);
    }

    void exportTo(const QString& path)
    {
        page->nextFile = path;
        page->asked.clear();
        QTest::mouseClick(button("Btn_SaveParam"), Qt::LeftButton);
    }

    QString writeFile(const QByteArray& content)
    {
        static int serial = 0;
        const QString path = work.filePath(QStringLiteral("import%1.json").arg(++serial));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(content);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(work.isValid());
        Startup::initResources(); // the icons
        previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        installDefinitions();
    }

    void cleanupTestCase()
    {
        page.reset();
        closeConnection();
        sim.stop();
        QDir::setCurrent(previousDir);
    }

    void init()
    {
        const QByteArray name(QTest::currentTestFunction());
        const bool vfd = name == "vfdDefinitions" || name == "realtimeRefreshOnVfd"
            || name == "vfdBatchAcrossStatusPoll" || name == "linkCutMidBatch";
        connectTo(vfd ? Global::DEVICE_VFD : Global::DEVICE_SERVO);
        openPage();
    }

    void cleanup() { page.reset(); }

    void buildsTableAndTree()
    {
        // Normal mode: the administrator group is absent.
        QCOMPARE(viewCodes(),
            QStringList({ "P0-00", "P0-01", "P0-02", "P0-03", "P0-04", "P0-05", "P0-06", "P0-x", "P1-00",
                "P1-01", "P1-03", "P1-06", "PF-01" }));
        QCOMPARE(model()->columnCount(), 11);
        QCOMPARE(model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Factory value"));
        // Sized to the longest name.
        QVERIFY(
            view()->columnWidth(2) > view()->fontMetrics().horizontalAdvance(QStringLiteral("Broken code")));
        QCOMPARE(cell("P0-01", 1)->data(ParamTableModel::GroupCodeRole).toString(), QStringLiteral("0"));
        QCOMPARE(cell("P0-01", 5)->text(), QStringLiteral("100"));
        QCOMPARE(cell("P0-01", 9)->text(), QStringLiteral("Any modification"));
        QCOMPARE(cell("P0-01", 10)->text(), QStringLiteral("Effective immediately"));
        QCOMPARE(cell("P0-00", 9)->text(), QStringLiteral("Downtime modification"));
        QCOMPARE(cell("P0-00", 10)->text(), QStringLiteral("Effective after restart"));
        QCOMPARE(cell("P0-03", 9)->text(), QStringLiteral("Read only"));
        QVERIFY(!cell("P0-03", 3)->isEditable());
        QCOMPARE(colorName(cell("P0-03", 3)), hex(readOnly));
        QVERIFY(cell("P0-01", 3)->isEditable());
        QVERIFY(cell("P0-01", 0)->isCheckable());

        QAbstractItemModel* t = tree()->model();
        const QModelIndex root = t->index(0, 0);
        QCOMPARE(root.data().toString(), QStringLiteral("System parameters"));
        QCOMPARE(t->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Parameter group"));
        QCOMPARE(t->rowCount(root), 3);
        QCOMPARE(t->index(0, 0, root).data().toString(), QStringLiteral("P0  (Basic)"));
        QCOMPARE(t->index(2, 0, root).data().toString(), QStringLiteral("PF"));
        QVERIFY(tree()->isExpanded(root));
    }

    void readBatches_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QStringList>("requests");

        const QString checkedOnly = QStringLiteral("Read only the checked option");
        QTest::newRow("checked") << checkedOnly << "" << QStringList { "P0-01", "P1-03" }
                                 << QStringList { readLine(0x0001), readLine(0x0103) };
        QTest::newRow("checked broken code is left out")
            << checkedOnly << "" << QStringList { "P0-x", "P0-02" } << QStringList { readLine(0x0002) };
        QTest::newRow("nothing checked") << checkedOnly << "" << QStringList {} << QStringList {};
        QTest::newRow("current page")
            << "Read the current page"
            << "P1" << QStringList {}
            << QStringList { readLine(0x0100), readLine(0x0101), readLine(0x0103), readLine(0x0106) };
        QTest::newRow("all pages ignore the group")
            << "Read all pages"
            << "PF" << QStringList {}
            << QStringList { readLine(0x0000), readLine(0x0001), readLine(0x0002), readLine(0x0003),
                   readLine(0x0004), readLine(0x0005), readLine(0x0006), readLine(0x0100), readLine(0x0101),
                   readLine(0x0103), readLine(0x0106), readLine(0x0F01) };
    }

    void readBatches()
    {
        QFETCH(QString, action);
        QFETCH(QString, group);
        QFETCH(QStringList, checked);
        QFETCH(QStringList, requests);
        if (!group.isEmpty())
            selectGroup(group);
        check(checked);
        runBatch("Btn_Refresh", action, requests.size());
        if (requests.isEmpty()) {
            QVERIFY(console->isEmpty());
            QTest::qWait(200);
            QVERIFY(sim.log().isEmpty());
            return;
        }
        QCOMPARE(console->first().at(0).toString(),
            QStringLiteral("Parameter read, number of parameters: %1").arg(requests.size()));
        QCOMPARE(normalized(sim.log()), requests);
        // Every answered parameter shows a value.
        QVERIFY(!cell("P0-02", 4)->text().isEmpty() || !requests.contains(readLine(0x0002)));
    }

    void notConnectedSendsNothing()
    {
        Communication* comm = Communication::instance();
        comm->beginQuietPeriod(); // as during a drive command
        check({ "P0-01" });
        setSetting("P0-01", "5", 5);
        QTest::mouseClick(toolButton("Btn_Refresh"), Qt::LeftButton, {}, QPoint(12, 12));
        // A write batch stops at the warning as well: requests the service drops would leave the
        // modal progress dialog waiting for good.
        QTest::mouseClick(toolButton("Btn_Apply"), Qt::LeftButton, {}, QPoint(12, 12));
        QTest::mouseClick(button("Btn_SaveParam"), Qt::LeftButton);
        QTest::mouseClick(button("Btn_OpenParam"), Qt::LeftButton);
        QTest::mouseClick(button("Btn_Restore"), Qt::LeftButton);
        comm->endQuietPeriod();
        QCOMPARE(messages->size(), 5);
        for (const QList<QVariant>& message : qAsConst(*messages)) {
            QCOMPARE(message.at(0).toString(), QStringLiteral("No communication with the drive(Off Line)"));
            QCOMPARE(message.at(1).value<Global::MESSAGE_INFO>(), Global::MESSAGE_WARNNING);
        }
        QVERIFY(page->asked.isEmpty());
        QVERIFY(!progress());
        QVERIFY(console->isEmpty());
        QTest::qWait(100);
        QVERIFY(sim.log().isEmpty());
    }

    void restoreAsksThroughCommand()
    {
        UiTest::BoxAnswerer question(QMessageBox::Cancel);
        QTest::mouseClick(button("Btn_Restore"), Qt::LeftButton);
        QTRY_VERIFY(question.answered());
        QCOMPARE(question.seen.title, QStringLiteral("Restore Factory Parameters"));
        QTest::qWait(200);
        QVERIFY(sim.log().isEmpty());
        QCOMPARE(Communication::instance()->commState(), Communication::COMM_CONNECTED);
    }

    void formTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("icon");
        QTest::newRow("import") << "Btn_OpenParam"
                                << "Import"
                                << "Parameter import"
                                << "Import.png";
        QTest::newRow("export") << "Btn_SaveParam"
                                << "Export"
                                << "Parameter export"
                                << "Export.png";
        QTest::newRow("restore") << "Btn_Restore"
                                 << "Restore"
                                 << "Restore factory parameters"
                                 << "Factory.png";
        QTest::newRow("select all") << "Btn_SelectAll"
                                    << "Select All"
                                    << ""
                                    << "SelectAll.png";
        QTest::newRow("apply") << "Btn_Apply"
                               << "Apply "
                               << ""
                               << "Write.png";
        QTest::newRow("refresh") << "Btn_Refresh"
                                 << "Refresh "
                                 << ""
                                 << "Read.png";
        QTest::newRow("compare") << "Btn_Compare"
                                 << ""
                                 << "Parameter compare"
                                 << "Filter.png";
        QTest::newRow("admin") << "Btn_Admin"
                               << ""
                               << "Administrator mode"
                               << "Admin.png";
    }

    void formTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(QString, icon);
        auto* b = page->findChild<QAbstractButton*>(name);
        QVERIFY(b);
        QCOMPARE(b->text(), text);
        QCOMPARE(b->toolTip(), toolTip);
        QVERIFY(!iconImage(QIcon(iconFolder + icon)).isNull());
        QCOMPARE(iconImage(b->icon()), iconImage(QIcon(iconFolder + icon)));
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(b->minimumHeight() >= 28);
    }

    void formToolStrip()
    {
        for (const char* name : { "Btn_Apply", "Btn_Refresh" }) {
            QCOMPARE(toolButton(name)->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
            QCOMPARE(toolButton(name)->popupMode(), QToolButton::MenuButtonPopup);
        }
        QCOMPARE(toolButton("Btn_Compare")->popupMode(), QToolButton::MenuButtonPopup);
        for (const char* name : { "Btn_Compare", "Btn_Admin" })
            QCOMPARE(toolButton(name)->size(), QSize(40, 28));
        auto* search = page->findChild<QLineEdit*>(QStringLiteral("Lbx_ProxyModel"));
        QVERIFY(search->height() >= 28);
        auto* searchIcon = page->findChild<QLabel*>(QStringLiteral("Pic_Search"));
        QCOMPARE(searchIcon->size(), QSize(25, 25));
        const QPixmap searchPicture = searchIcon->pixmap(Qt::ReturnByValue);
        QVERIFY(!searchPicture.isNull());
        QCOMPARE(searchPicture.toImage(), QPixmap(iconFolder + "Search.png").toImage());

        // Legends: a swatch in the colour and its text.
        const QList<QPair<QString, QPair<QString, QColor>>> legends
            = { { "Notmodifiable", { "Read only", readOnly } },
                  { "OperationFailed", { "Operation failed", failed } },
                  { "InconsistentWithFactoryValue", { "Inconsistent with factory value", factoryDiff } },
                  { "RealTimeRefresh", { "Realtime refresh", realtime } } };
        for (const auto& legend : legends) {
            auto* swatch = page->findChild<QLabel*>("Pic_" + legend.first);
            auto* label = page->findChild<QLabel*>("Lbl_" + legend.first);
            QVERIFY(swatch && label);
            QCOMPARE(label->text(), legend.second.first);
            QCOMPARE(swatch->size(), QSize(25, 25));
            QVERIFY(swatch->autoFillBackground());
            QCOMPARE(hex(swatch->palette().color(QPalette::Window)), hex(legend.second.second));
            QCOMPARE(swatch->grab().toImage().pixelColor(12, 12), legend.second.second);
        }

        // Menus: texts in order; the write and read choices are exclusive, the first one checked.
        const auto texts = [this](const char* name) {
            QStringList out;
            for (QAction* action : toolButton(name)->menu()->actions())
                out << action->text();
            return out;
        };
        QCOMPARE(texts("Btn_Compare"),
            QStringList({ "The setting value is inconsistent with the current value",
                "The setting value is inconsistent with the factory value",
                "The current value is inconsistent with the factory value", "Displays the check parameters",
                "Filter failed items" }));
        QCOMPARE(
            texts("Btn_Apply"), QStringList({ "Write only the checked option", "Write the current page" }));
        QCOMPARE(texts("Btn_Refresh"),
            QStringList({ "Read only the checked option", "Read the current page", "Read all pages" }));
        for (const char* name : { "Btn_Apply", "Btn_Refresh" }) {
            const QList<QAction*> actions = toolButton(name)->menu()->actions();
            QVERIFY(actions.first()->isChecked());
            QVERIFY(actions.last()->actionGroup() && actions.last()->actionGroup()->isExclusive());
            actions.last()->trigger();
            QVERIFY(actions.last()->isChecked());
            QVERIFY(!actions.first()->isChecked());
        }
        // Choosing a read or write action only selects it.
        QTest::qWait(100);
        QVERIFY(!progress());
        QVERIFY(sim.log().isEmpty());
        QVERIFY(console->isEmpty());

        // The page's own layout, as built before a tab sizes it.
        {
            GUI_ParamTable fresh;
            QCOMPARE(fresh.size(), QSize(1331, 800));
            QCOMPARE(fresh.layout()->contentsMargins(), QMargins(10, 10, 10, 10));
            QCOMPARE(fresh.layout()->spacing(), 5);
            auto* strip = fresh.findChild<QGridLayout*>(QStringLiteral("Layout_ToolStrip"));
            QVERIFY(strip);
            QCOMPARE(strip->contentsMargins(), QMargins(0, 0, 0, 0));
            QCOMPARE(strip->spacing(), 5);
            const auto columnOf = [strip](QWidget* widget) {
                int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
                strip->getItemPosition(strip->indexOf(widget), &row, &column, &rowSpan, &columnSpan);
                return qMakePair(column, columnSpan);
            };
            const auto widget = [&fresh](const char* name) { return fresh.findChild<QWidget*>(name); };
            QCOMPARE(columnOf(widget("Btn_OpenParam")), qMakePair(0, 1));
            QCOMPARE(columnOf(widget("Btn_SelectAll")), qMakePair(3, 1));
            QCOMPARE(columnOf(widget("Btn_Apply")), qMakePair(4, 1));
            QCOMPARE(columnOf(widget("Btn_Refresh")), qMakePair(5, 3));
            QCOMPARE(columnOf(widget("Btn_Compare")), qMakePair(8, 6));
            QCOMPARE(columnOf(widget("Btn_Admin")), qMakePair(15, 1));
        }

        // Table and tree.
        // Columns sized to their contents: every header whole.
        QCOMPARE(view()->columnWidth(0), 25);
        for (int column = 1; column < 11; ++column)
            QVERIFY(view()->columnWidth(column) >= view()->horizontalHeader()->sectionSizeHint(column));
        QCOMPARE(view()->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(view()->font().pointSize(), 9);
        QCOMPARE(tree()->header()->defaultSectionSize(), 350);
        QCOMPARE(tree()->editTriggers(), QAbstractItemView::NoEditTriggers);
        const QModelIndex root = tree()->model()->index(0, 0);
        QCOMPARE(root.data().toString(), QStringLiteral("System parameters"));
        const QModelIndex group = tree()->model()->index(1, 0, root);
        QVERIFY2(
            group.data().toString().startsWith(QStringLiteral("P1")), qPrintable(group.data().toString()));
        QCOMPARE(iconImage(group.data(Qt::DecorationRole).value<QIcon>()),
            iconImage(QIcon(iconFolder + "ParamGroup.png")));
        QVERIFY(!iconImage(QIcon(iconFolder + "ParamGroup.png")).isNull());
    }

    // Writes go out for edited rows only; the drive echoes the register, which becomes the current
    // value; reading back gives the same value and its colour against the factory value.
    void writeThenReadColours()
    {
        setSetting("P0-01", "100", 100); // equals the factory value
        setSetting("P0-02", "50.00", 5000); // differs from 12.34
        setSetting("P0-05", "7", 7); // no factory value
        setSetting("P0-06", "-1.5", -15); // signed, sent as 0xFFF1
        check({ "P0-01", "P0-02", "P0-03", "P0-05", "P0-06" }); // P0-03 never edited: left out
        runBatch("Btn_Apply", "Write only the checked option", 4);
        QCOMPARE(
            console->first().at(0).toString(), QStringLiteral("Parameter write, number of parameters: 4"));
        const QStringList log = normalized(sim.log());
        QCOMPARE(log.size(), 4);
        QVERIFY(log.at(0).startsWith("06 0001 "));
        QVERIFY(log.at(1).startsWith("06 0002 "));
        QVERIFY(log.at(2).startsWith("06 0005 "));
        QVERIFY(log.at(3).startsWith("06 0006 "));

        QCOMPARE(cell("P0-02", 4)->text(), QStringLiteral("50.00"));
        for (const char* code : { "P0-01", "P0-02", "P0-05", "P0-06" })
            cell(code, 4)->setText(QString());
        sim.clearLog();
        runBatch("Btn_Refresh", "Read only the checked option", 5);
        QCOMPARE(cell("P0-01", 4)->text(), QStringLiteral("100"));
        QCOMPARE(colorName(cell("P0-01", 4)), hex(white));
        QCOMPARE(cell("P0-02", 4)->text(), QStringLiteral("50.00"));
        QCOMPARE(colorName(cell("P0-02", 4)), hex(factoryDiff));
        QCOMPARE(cell("P0-05", 4)->text(), QStringLiteral("7"));
        QCOMPARE(colorName(cell("P0-05", 4)), hex(white));
        QCOMPARE(cell("P0-06", 4)->text(), QStringLiteral("-1.5"));
        QCOMPARE(colorName(cell("P0-06", 4)), hex(factoryDiff));
    }

    void writeCurrentPageSkipsUnedited()
    {
        selectGroup("P1");
        setSetting("P1-01", "2.00", 200);
        runBatch("Btn_Apply", "Write the current page", 1);
        const QStringList log = normalized(sim.log());
        QCOMPARE(log.size(), 1);
        QVERIFY(log.at(0).startsWith("06 0101 "));
    }

    void answerColours_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QVector<quint16>>("values");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("colour");

        QTest::newRow("equal to factory") << "P0-01" << QVector<quint16> { 100 } << "100" << hex(white);
        QTest::newRow("differs from factory")
            << "P0-01" << QVector<quint16> { 101 } << "101" << hex(factoryDiff);
        QTest::newRow("two decimals equal") << "P0-02" << QVector<quint16> { 1234 } << "12.34" << hex(white);
        QTest::newRow("hexadecimal equal") << "P0-04" << QVector<quint16> { 31 } << "0x1F" << hex(white);
        QTest::newRow("no factory value") << "P0-05" << QVector<quint16> { 99 } << "99" << hex(white);
        QTest::newRow("signed") << "P0-06" << QVector<quint16> { 0xFFF1 } << "-1.5" << hex(factoryDiff);
        QTest::newRow("failed keeps text") << "P0-01" << QVector<quint16> {} << "earlier" << hex(failed);
        // Enumerations: the entry whose value equals the read value, even when an entry whose value
        // merely contains it comes first.
        QTest::newRow("enumeration exact match after a longer value")
            << "P0-00" << QVector<quint16> { 1 } << "1:One" << hex(white);
        QTest::newRow("enumeration longer value")
            << "P0-00" << QVector<quint16> { 10 } << "10:Ten" << hex(factoryDiff);
        QTest::newRow("enumeration full-width colon")
            << "P0-00" << QVector<quint16> { 0 } << QString::fromUtf8("0：Zero") << hex(factoryDiff);
        QTest::newRow("enumeration no entry empties the text, keeps the colour")
            << "P0-00" << QVector<quint16> { 7 } << "" << hex(realtime);
    }

    void answerColours()
    {
        QFETCH(QString, code);
        QFETCH(QVector<quint16>, values);
        QFETCH(QString, text);
        QFETCH(QString, colour);
        runBatch("Btn_Refresh", "Read all pages", 12);
        std::optional<Cell> current = cell(code, 4);
        current->setText(QStringLiteral("earlier"));
        current->setState(State::Realtime);
        answer(code, values);
        QCOMPARE(current->text(), text);
        QCOMPARE(colorName(current), colour);
    }

    void answersOnlyOnCurrentPage()
    {
        runBatch("Btn_Refresh", "Read all pages", 12);
        page->setCurrentPage(false);
        cell("P0-01", 4)->setText(QStringLiteral("x"));
        answer("P0-01", { 5 });
        QCOMPARE(cell("P0-01", 4)->text(), QStringLiteral("x"));
        // Tags of other requesters are ignored.
        page->setCurrentPage(true);
        answer("AEnableState", { 1 });
        answer("P0-01", { 5 });
        QCOMPARE(cell("P0-01", 4)->text(), QStringLiteral("5"));
    }

    // An answer that arrives while another tab is on screen is not shown, but it is the batch's
    // own answer and counts: the batch does not wait for a second answer that never comes.
    void answersOffScreenCountButAreNotShown()
    {
        QSignalSpy results(Communication::instance(), &Communication::resultCallBackEvent);
        check({ "P0-01" });
        menuAction("Btn_Refresh", "Read only the checked option")->trigger();
        QTest::mouseClick(toolButton("Btn_Refresh"), Qt::LeftButton, {}, QPoint(12, 12));
        QVERIFY(progress());
        page->setCurrentPage(false);
        QTRY_COMPARE(results.size(), 1);
        QCOMPARE(results.first().at(0).toString(), QStringLiteral("P0-01"));
        QTRY_VERIFY_WITH_TIMEOUT(!progress(), 1000);
        QCOMPARE(cell("P0-01", 4)->text(), QString());
        QCOMPARE(console->last().at(0).toString(), QStringLiteral("The operation is complete"));
    }

    // Answers with a batch's tags that other senders asked for are shown but never counted: an
    // injected answer does not end the batch while its own request is still out.
    void foreignAnswersAreNotCounted()
    {
        QVERIFY(!sim.command("delay 400").isEmpty());
        check({ "P0-01" });
        menuAction("Btn_Refresh", "Read only the checked option")->trigger();
        QTest::mouseClick(toolButton("Btn_Refresh"), Qt::LeftButton, {}, QPoint(12, 12));
        QVERIFY(progress());
        answer("P0-01", { 7 });
        QCOMPARE(cell("P0-01", 4)->text(), QStringLiteral("7"));
        QTest::qWait(250); // two ticks of the progress timer
        QVERIFY(progress());
        QTRY_VERIFY_WITH_TIMEOUT(!progress(), 3000);
        QVERIFY(sim.log().contains(readLine(0x0001)));
        QVERIFY(!sim.command("delay 0").isEmpty());
    }

    void failedAnswers_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("exception") << "exception 0002 2";
        QTest::newRow("silent") << "silent on";
    }

    void failedAnswers()
    {
        QFETCH(QString, fault);
        QVERIFY(!sim.command(fault).isEmpty());
        const bool silent = fault.startsWith("silent");
        check(silent ? QStringList { "P0-02" } : QStringList { "P0-01", "P0-02" });
        cell("P0-02", 4)->setText(QStringLiteral("kept"));
        runBatch("Btn_Refresh", "Read only the checked option", silent ? 1 : 2, 10000);
        sim.command(silent ? QStringLiteral("silent off") : QStringLiteral("exception off"));
        QCOMPARE(colorName(cell("P0-02", 4)), hex(failed));
        QCOMPARE(cell("P0-02", 4)->text(), QStringLiteral("kept"));

        // "Filter failed items" shows just that row; the compare button shows all again.
        menuAction("Btn_Compare", "Filter failed items")->trigger();
        QCOMPARE(visibleCodes(), QStringList { "P0-02" });
        toolButton("Btn_Compare")->click();
        QCOMPARE(visibleCodes().size(), 13);
    }

    void precisionByDriveSize()
    {
        check({ "P1-03", "P1-06" });
        runBatch("Btn_Refresh", "Read only the checked option", 2);
        setSetting("P1-03", "5.00", 500);
        cell("P1-03", 4)->setText(QStringLiteral("2.50"));
        cell("P1-06", 4)->setText(QString());

        // The register keeps its value, the drive size changes its scale: raw 100 is 1.00 A on a
        // small drive and 10.0 A on a big one.
        answer("PF-01", { 22 });
        QCOMPARE(cell("P1-03", 5)->text(), QStringLiteral("10.0"));
        QCOMPARE(cell("P1-03", 6)->text(), QStringLiteral("0.0"));
        QCOMPARE(cell("P1-03", 7)->text(), QStringLiteral("100.0"));
        QCOMPARE(cell("P1-03", 4)->text(), QStringLiteral("25.0"));
        QCOMPARE(cell("P1-03", 3)->text(), QStringLiteral("50.0"));
        QCOMPARE(cell("P1-03", 3)->data(ParamTableModel::RawValueRole).toInt(), 500);
        QCOMPARE(cell("P1-03", 8)->text(), QStringLiteral("A"));
        QCOMPARE(cell("P1-06", 5)->text(), QStringLiteral("0.1000"));
        QCOMPARE(cell("P1-06", 4)->text(), QString()); // empty stays empty
        const auto attribute
            = cell("P1-03", 3)->data(ParamTableModel::AttributeRole).value<ParamAttributeStruct>();
        QCOMPARE(attribute.format1, QStringLiteral("1"));
        QCOMPARE(attribute.min, QStringLiteral("0.0"));
        QCOMPARE(attribute.max, QStringLiteral("100.0"));
        QCOMPARE(attribute.defaultValue, QStringLiteral("1.00"));

        // The same answer again changes nothing.
        answer("PF-01", { 22 });
        QCOMPARE(cell("P1-03", 4)->text(), QStringLiteral("25.0"));
        QCOMPARE(cell("P1-03", 5)->text(), QStringLiteral("10.0"));
        QCOMPARE(cell("P1-06", 5)->text(), QStringLiteral("0.1000"));

        answer("PF-01", { 21 });
        QCOMPARE(cell("P1-03", 5)->text(), QStringLiteral("1.00"));
        QCOMPARE(cell("P1-03", 4)->text(), QStringLiteral("2.50"));
        QCOMPARE(cell("P1-03", 3)->text(), QStringLiteral("5.00"));
        QCOMPARE(cell("P1-06", 5)->text(), QStringLiteral("1.000"));

        // A failed PF-01 answer does not touch the precision.
        answer("PF-01", {});
        QCOMPARE(cell("P1-03", 5)->text(), QStringLiteral("1.00"));

        // The precision follows the drive size also while the page is not on screen.
        page->setCurrentPage(false);
        answer("PF-01", { 30 });
        QCOMPARE(cell("P1-03", 5)->text(), QStringLiteral("10.0"));
    }

    void controlFunctions_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("onScreen");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("factory");
        // Factory 1.00 is raw 100, re-expressed under the new number of decimals.
        QTest::newRow("first function only") << 0 << true << "mm"
                                             << "10.0";
        // Both functions know 1: the one nearer the top of the file is applied last and wins
        // (2 -> 0 decimals gives 100, then 0 -> 3 decimals gives 0.100).
        QTest::newRow("top function wins") << 1 << true << "rpm"
                                           << "0.100";
        QTest::newRow("second function only, off screen") << 2 << false << "deg"
                                                          << "100";
        // The same number of decimals: neither the values nor the unit change.
        QTest::newRow("same decimals keep the unit") << 3 << true << "mm"
                                                     << "1.00";
        QTest::newRow("decimals not a number") << 4 << true << "mm"
                                               << "1.00";
        QTest::newRow("unknown value changes nothing") << 5 << true << "mm"
                                                       << "1.00";
    }

    void controlFunctions()
    {
        QFETCH(int, value);
        QFETCH(bool, onScreen);
        QFETCH(QString, unit);
        QFETCH(QString, factory);
        page->setCurrentPage(onScreen);
        answer("P1-00", { quint16(value) });
        QCOMPARE(cell("P1-01", 8)->text(), unit);
        QCOMPARE(cell("P1-01", 5)->text(), factory);
        QCOMPARE(
            cell("P1-01", 3)->data(ParamTableModel::AttributeRole).value<ParamAttributeStruct>().defaultValue,
            QStringLiteral("1.00"));
        // A failed answer carries no trigger value.
        answer("P1-00", {});
        QCOMPARE(cell("P1-01", 5)->text(), factory);
    }

    void filters_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("visible");

        QTest::newRow("setting differs from current")
            << "The setting value is inconsistent with the current value"
            << QStringList { "P0-01", "P0-02", "P0-06", "P1-00", "P1-01", "P1-03", "PF-01" };
        // P0-00 is an enumeration: its setting's raw value 1 equals the factory value 1.
        QTest::newRow("setting differs from factory")
            << "The setting value is inconsistent with the factory value"
            << QStringList { "P0-01", "P0-03", "P0-06", "P0-x", "P1-00", "P1-01", "P1-03", "P1-06", "PF-01" };
        // P0-00's current entry 1:One has the factory value 1.
        QTest::newRow("current differs from factory")
            << "The current value is inconsistent with the factory value"
            << QStringList { "P0-02", "P0-03", "P0-x", "P1-03", "P1-06" };
        QTest::newRow("checked") << "Displays the check parameters" << QStringList { "P0-01", "P0-04" };
        QTest::newRow("failed") << "Filter failed items" << QStringList { "P0-03" };
    }

    void filters()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, visible);
        struct Row
        {
            const char* code;
            const char* setting;
            int raw; // -1: never edited
            const char* current;
        };
        const Row rows[] = {
            { "P0-00", "1:One", 1, "1:One" },
            { "P0-01", "5", 5, "100" },
            { "P0-02", "12.34", 1234, "50.00" },
            { "P0-03", "", -1, "" },
            { "P0-04", "0x1F", 31, "0x1F" },
            { "P0-05", "", -1, "" },
            { "P0-06", "0.5", 5, "0.0" },
            { "P0-x", "", -1, "" },
            { "P1-00", "", -1, "0" },
            { "P1-01", "", -1, "1.00" },
            { "P1-03", "", -1, "2.00" },
            { "P1-06", "", -1, "" },
            { "PF-01", "", -1, "21" },
        };
        for (const Row& row : rows) {
            if (row.raw >= 0)
                setSetting(row.code, QString::fromUtf8(row.setting), row.raw);
            cell(row.code, 4)->setText(QString::fromUtf8(row.current));
        }
        check({ "P0-01", "P0-04" });
        cell("P0-03", 4)->setState(State::ReadFailed);

        menuAction("Btn_Compare", action)->trigger();
        QCOMPARE(visibleCodes(), visible);

        // Recovery: the compare button, another group, or typing a search.
        toolButton("Btn_Compare")->click();
        QCOMPARE(visibleCodes().size(), 13);
        menuAction("Btn_Compare", action)->trigger();
        selectGroup("P0");
        QCOMPARE(visibleCodes().size(), 8);
        menuAction("Btn_Compare", action)->trigger();
        page->findChild<QLineEdit*>(QStringLiteral("Lbx_ProxyModel"))->setText(QStringLiteral("P0"));
        QCOMPARE(visibleCodes().size(), 8);
    }

    void groupAndSearch()
    {
        selectGroup("P1");
        QCOMPARE(visibleCodes(), QStringList({ "P1-00", "P1-01", "P1-03", "P1-06" }));
        auto* search = page->findChild<QLineEdit*>(QStringLiteral("Lbx_ProxyModel"));
        QCOMPARE(search->placeholderText(), QStringLiteral("Search for"));
        search->setText(QStringLiteral("Inductance"));
        QCOMPARE(visibleCodes(), QStringList { "P1-06" });
        search->setText(QStringLiteral("inductance")); // case-sensitive
        QCOMPARE(visibleCodes(), QStringList {});
        search->setText(QString());
        selectGroup(QString()); // the root shows everything
        QCOMPARE(visibleCodes().size(), 13);
        search->setText(QStringLiteral("P0-0[12]"));
        QCOMPARE(visibleCodes(), QStringList({ "P0-01", "P0-02" }));
    }

    void selectAll()
    {
        selectGroup("P1");
        QTest::mouseClick(button("Btn_SelectAll"), Qt::LeftButton);
        for (const char* code : { "P1-00", "P1-01", "P1-03", "P1-06" })
            QCOMPARE(cell(code, 0)->checkState(), Qt::Checked);
        QCOMPARE(cell("P0-01", 0)->checkState(), Qt::Unchecked); // not in view

        cell("P1-00", 0)->setCheckState(Qt::Unchecked);
        cell("P1-01", 0)->setCheckState(Qt::Unchecked);
        cell("P1-06", 0)->setCheckState(Qt::Unchecked);
        // One checked row: all view rows become unchecked.
        QTest::mouseClick(button("Btn_SelectAll"), Qt::LeftButton);
        for (const char* code : { "P1-00", "P1-01", "P1-03", "P1-06" })
            QCOMPARE(cell(code, 0)->checkState(), Qt::Unchecked);

        // Afterwards a click on the check cell of the last row still toggles it.
        QTest::mouseClick(button("Btn_SelectAll"), Qt::LeftButton);
        const QRect rect = view()->visualRect(view()->model()->index(3, 0));
        QTest::mouseClick(
            view()->viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 1, rect.center().y()));
        QCOMPARE(cell("P1-06", 0)->checkState(), Qt::Unchecked);
    }

    void checkClicks_data()
    {
        QTest::addColumn<bool>("onIndicator");
        QTest::newRow("indicator") << true;
        QTest::newRow("text area") << false;
    }

    void checkClicks()
    {
        QFETCH(bool, onIndicator);
        const QModelIndex index = view()->model()->index(1, 0);
        const QRect rect = view()->visualRect(index);
        QStyleOptionViewItem option;
        option.initFrom(view());
        option.rect = rect;
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect indicator
            = view()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view());
        QPoint point = indicator.center();
        if (!onIndicator) {
            point = QPoint(rect.right() - 1, rect.bottom() - 1);
            QVERIFY(!indicator.contains(point));
        }
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(cell("P0-01", 0)->checkState(), Qt::Checked);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(cell("P0-01", 0)->checkState(), Qt::Unchecked);
    }

    void descriptionDock()
    {
        const auto clickRow = [this](int row) {
            const QRect rect = view()->visualRect(view()->model()->index(row, 2));
            QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, rect.center());
        };
        clickRow(1);
        QCOMPARE(descriptions->size(), 1);
        QCOMPARE(descriptions->last().at(0).toString(), QStringLiteral("Speed help"));
        clickRow(1); // same row: nothing new
        QCOMPARE(descriptions->size(), 1);
        clickRow(0);
        QCOMPARE(descriptions->last().at(0).toString(), QStringLiteral("Mode help"));
        // Row 1 of another group is another parameter: its description is sent.
        selectGroup("P1");
        clickRow(0);
        QCOMPARE(descriptions->size(), 3);
        QCOMPARE(descriptions->last().at(0).toString(), QString());
        // Closing the page clears the dock.
        QSignalSpy closing(page.get(), &WidgetBase::sig_printParma);
        page.reset();
        QCOMPARE(closing.size(), 1);
        QCOMPARE(closing.last().at(0).toString(), QString());
    }

    void adminMode_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("admin");
        QTest::addColumn<bool>("wrongBox");
        QTest::newRow("right") << "Tqmar5173" << true << true << false;
        QTest::newRow("wrong") << "tqmar5173" << true << false << true;
        QTest::newRow("empty") << "" << true << false << false;
        QTest::newRow("cancelled") << "Tqmar5173" << false << false << false;
    }

    void adminMode()
    {
        QFETCH(QString, password);
        QFETCH(bool, accept);
        QFETCH(bool, admin);
        QFETCH(bool, wrongBox);
        cell("P0-01", 4)->setText(QStringLiteral("123"));
        setSetting("P0-01", "5", 5);

        QString title;
        QString label;
        QLineEdit::EchoMode echo = QLineEdit::Normal;
        ModalAnswer::handleNext([&](QWidget* w) {
            auto* dialog = qobject_cast<QInputDialog*>(w);
            if (!dialog) {
                w->close();
                return;
            }
            title = dialog->windowTitle();
            label = dialog->labelText();
            echo = dialog->textEchoMode();
            dialog->setTextValue(password);
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        // Message boxes only: the password dialog is left to the handler above.
        UiTest::BoxAnswerer box(QMessageBox::Ok, wrongBox ? 15000 : 500);
        QTest::mouseClick(toolButton("Btn_Admin"), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(title, QStringLiteral("Administrator"));
        QCOMPARE(label, QStringLiteral("Permission password"));
        QCOMPARE(echo, QLineEdit::Password);
        QCOMPARE(box.answered(), wrongBox);
        if (wrongBox) {
            QCOMPARE(box.seen.title, QStringLiteral("Tips"));
            QCOMPARE(box.seen.text, QStringLiteral("The password is incorrect."));
        }
        QCOMPARE(toolButton("Btn_Admin")->isEnabled(), !admin);
        QCOMPARE(rowOf("A9-00") >= 0, admin);
        QCOMPARE(tree()->model()->rowCount(tree()->model()->index(0, 0)), admin ? 4 : 3);
        // Administrator mode rebuilds the table: earlier values are gone.
        QCOMPARE(cell("P0-01", 4)->text(), admin ? QString() : QStringLiteral("123"));
        QCOMPARE(cell("P0-01", 3)->data(ParamTableModel::RawValueRole).isValid(), !admin);
        if (admin) {
            runBatch("Btn_Refresh", "Read all pages", 13);
            QVERIFY(normalized(sim.log()).contains(readLine(0xA900)));
        }
    }

    void servoNeverRefreshes()
    {
        QTest::qWait(2800);
        for (const QString& line : sim.log())
            QVERIFY2(!line.toUpper().startsWith("03 70"), qPrintable(line));
    }

    void exportImportRoundTrip()
    {
        runBatch("Btn_Refresh", "Read all pages", 12);
        answer("P0-00", { 1 });
        answer("P0-01", { 250 });
        answer("P0-02", { 1234 });
        answer("P0-04", { 31 });
        cell("P0-03", 4)->setText(QString::fromUtf8("7：seven"));
        const QString path = work.filePath(QStringLiteral("round.json"));
        exportTo(path);
        QCOMPARE(page->asked, QStringList({ "Export File", "Json File(*.json)" }));
        QVERIFY(messages->isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
        file.close();
        QCOMPARE(object.value("DeviceVersion").toString(), QStringLiteral("0"));
        QCOMPARE(object.value("P0-00").toString(), QStringLiteral("1"));
        QCOMPARE(object.value("P0-01").toString(), QStringLiteral("250"));
        QCOMPARE(object.value("P0-02").toString(), QStringLiteral("12.34"));
        QCOMPARE(object.value("P0-03").toString(), QStringLiteral("7"));
        QCOMPARE(object.value("P0-04").toString(), QStringLiteral("0x1F"));
        QCOMPARE(object.size(), 14); // every row, with the broken code, plus the family

        // Import the same file into a fresh page: same texts and colours, then the write question.
        const QMap<QString, QPair<QString, QString>> expected = { { "P0-01", { "250", hex(factoryDiff) } },
            { "P0-02", { "12.34", hex(white) } }, { "P0-04", { "0x1F", hex(white) } } };
        openPage();
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        auto question = std::make_unique<UiTest::BoxAnswerer>(QMessageBox::No);
        question->onSeen = [&](QMessageBox* box) {
            buttons = box->standardButtons();
            defaultButton = box->standardButton(box->defaultButton());
        };
        page->nextFile = path;
        QTest::mouseClick(button("Btn_OpenParam"), Qt::LeftButton);
        QCOMPARE(page->asked, QStringList({ "Import File", "Json File(*.json)" }));
        QVERIFY(question->answered());
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(defaultButton, QMessageBox::No);
        QCOMPARE(question->seen.icon, QMessageBox::Warning);
        QCOMPARE(question->seen.title, QStringLiteral("Tips"));
        QCOMPARE(question->seen.text,
            QStringLiteral("The parameters are imported, Do you wish to perform the write?"));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QCOMPARE(cell(it.key(), 4)->text(), it.value().first);
            QCOMPARE(colorName(cell(it.key(), 4)), it.value().second);
        }
        QCOMPARE(cell("P0-00", 4)->text(), QStringLiteral("1:One"));
        QCOMPARE(cell("P0-03", 4)->text(), QStringLiteral("7"));
        QVERIFY(!progress());
        QTest::qWait(200);
        QVERIFY(sim.log().isEmpty()); // No: nothing sent

        // Yes: the writable numbers go out, read-only P0-03 does not.
        question = std::make_unique<UiTest::BoxAnswerer>(QMessageBox::Yes);
        console->clear();
        QTest::mouseClick(button("Btn_OpenParam"), Qt::LeftButton);
        // Every read value except the read-only ones and the never-read broken code.
        int writable = 0;
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (!QStringList({ "DeviceVersion", "P0-03", "PF-01" }).contains(it.key())
                && !it.value().toString().isEmpty())
                ++writable;
        }
        QVERIFY(writable >= 5);
        verifyProgressDialog(writable, QStringLiteral("Parameters are importing..."));
        QTRY_VERIFY_WITH_TIMEOUT(!progress(), 8000);
        QCOMPARE(console->first().at(0).toString(),
            QStringLiteral("Parameters import, number of parameters: %1").arg(writable));
        QCOMPARE(console->last().at(0).toString(), QStringLiteral("The operation is complete"));
        QStringList log = normalized(sim.log());
        QCOMPARE(log.size(), writable);
        for (const QString& line : log)
            QVERIFY2(line.startsWith("06 "), qPrintable(line));
        QVERIFY(!log.join(',').contains("06 0003 "));
        QCOMPARE(cell("P0-01", 4)->text(), QStringLiteral("250"));
    }

    void importValues_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("read"); // what a read-back shows; empty: nothing written

        QTest::newRow("hexadecimal into integer") << "P0-01" << QByteArray("\"0x1F\"") << "0x1F"
                                                  << "31";
        QTest::newRow("decimal into one decimal") << "P0-06" << QByteArray("\"1.5\"") << "1.5"
                                                  << "1.5";
        QTest::newRow("full-width colon")
            << "P0-00" << QByteArray("\"0\"") << QString::fromUtf8("0：Zero") << QString::fromUtf8("0：Zero");
        QTest::newRow("enumeration exact match") << "P0-00" << QByteArray("\"1\"") << "1:One"
                                                 << "1:One";
        QTest::newRow("JSON number reads as empty") << "P0-01" << QByteArray("77") << ""
                                                    << "";
        QTest::newRow("text that is no number") << "P0-01" << QByteArray("\"fast\"") << "fast"
                                                << "";
        QTest::newRow("enumeration without such entry is left as it was")
            << "P0-00" << QByteArray("\"On\"") << "earlier"
            << "";
        QTest::newRow("empty text clears") << "P0-01" << QByteArray("\"\"") << ""
                                           << "";
    }

    void importValues()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, value);
        QFETCH(QString, shown);
        QFETCH(QString, read);
        const QString path = writeFile("{\"DeviceVersion\":\"0\",\"" + code.toLatin1() + "\":" + value + "}");
        // The question would come inside the click; the answerer outlives it only briefly.
        UiTest::BoxAnswerer question(QMessageBox::Yes, 600);
        cell(code, 4)->setText(QStringLiteral("earlier"));
        page->nextFile = path;
        QTest::mouseClick(button("Btn_OpenParam"), Qt::LeftButton);
        if (read.isEmpty()) {
            QCOMPARE(cell(code, 4)->text(), shown);
            QTest::qWait(700); // until the answerer has given up
            QVERIFY(!question.answered());
            QVERIFY(sim.log().isEmpty());
            return;
        }
        QVERIFY(question.answered());
        QTRY_VERIFY_WITH_TIMEOUT(!progress(), 5000);
        QCOMPARE(sim.log().size(), 1);
        cell(code, 4)->setText(QString());
        check({ code });
        runBatch("Btn_Refresh", "Read only the checked option", 1);
        QCOMPARE(cell(code, 4)->text(), read);
    }

    void importFailures_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("other family")
            << QByteArray(R"({"DeviceVersion":"1","P0-01":"5"})") << "Import failed, the file does not match";
        QTest::newRow("no family") << QByteArray(R"({"P0-01":"5"})")
                                   << "Import failed, the file does not match";
        QTest::newRow("invalid JSON") << QByteArray(R"({"DeviceVersion":"0",)") << "Import failed";
        QTest::newRow("not an object") << QByteArray(R"(["DeviceVersion"])") << "Import failed";
        QTest::newRow("missing file") << QByteArray() << "Import failed";
    }

    void importFailures()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        page->nextFile = content.isEmpty() ? work.filePath(QStringLiteral("none.json")) : writeFile(content);
        cell("P0-01", 4)->setText(QStringLiteral("keep"));
        QTest::mouseClick(button("Btn_OpenParam"), Qt::LeftButton);
        QCOMPARE(messages->size(), 1);
        QCOMPARE(messages->first().at(0).toString(), message);
        QCOMPARE(messages->first().at(1).value<Global::MESSAGE_INFO>(), Global::MESSAGE_WARNNING);
        QCOMPARE(cell("P0-01", 4)->text(), QStringLiteral("keep"));
    }

    // "Compare with file…": the drive's values of the file's parameters are read in one batch and
    // the differences listed in each parameter's own format. Only the ticked rows are written; each
    // is read back, and one the drive does not keep shows in the failure colour and on the console.
    void compareWithFile()
    {
        for (const char* set : { "set 0001 100", "set 0002 1234", "set 0004 31", "set 0006 0" })
            QVERIFY(sim.command(QLatin1String(set)).startsWith("ok"));
        sim.clearLog();
        page->nextFile = writeFile(R"({"DeviceVersion":"0","P0-01":"250","P0-02":"12.34","P0-04":"0x20",
            "P0-06":"-1.5","P0-03":"9","Z9-01":"1"})");
        console->clear();
        QTest::mouseClick(button("Btn_CompareFile"), Qt::LeftButton);
        QCOMPARE(page->asked, QStringList({ "Compare with file", "Json File(*.json)" }));
        auto* dialog = page->findChild<ParamCompareDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Compare with file"));
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QVERIFY(dialog->isBusy()); // reading
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isBusy(), 8000);
        QCOMPARE(normalized(sim.log()),
            QStringList({ readLine(0x0001), readLine(0x0002), readLine(0x0004), readLine(0x0006) }));
        QCOMPARE(console->size(), 1);
        QCOMPARE(console->first().at(0).toString(),
            QStringLiteral("Comparison with a file, number of parameters: 4"));
        QCOMPARE(cell("P0-01", 4)->text(), QStringLiteral("100")); // the values read are the table's too

        auto* list = dialog->findChild<QTableView*>(QStringLiteral("tableView"));
        QAbstractItemModel* rows = list->model();
        const auto rowTexts = [rows](int row) {
            QStringList texts;
            for (int column = 1; column < rows->columnCount(); ++column)
                texts << rows->index(row, column).data().toString();
            return texts;
        };
        QCOMPARE(rows->rowCount(), 3);
        QCOMPARE(rowTexts(0), QStringList({ "P0-01", "Speed", "100", "250", "" }));
        QCOMPARE(rowTexts(1), QStringList({ "P0-04", "Mask", "0x1F", "0x20", "" }));
        QCOMPARE(rowTexts(2), QStringList({ "P0-06", "Ratio", "0.0", "-1.5", "" }));
        QCOMPARE(rows->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Drive value"));
        const QString summary = dialog->findChild<QLabel*>(QStringLiteral("Lbl_Summary"))->text();
        QVERIFY2(
            summary.startsWith("3 of the 4 parameters compared differ from the file."), qPrintable(summary));
        QVERIFY2(summary.contains(
                     "Not compared: 1 read-only, 1 not in this device version, 0 without a usable value."),
            qPrintable(summary));
        auto* write = dialog->findChild<QPushButton*>(QStringLiteral("Btn_Write"));
        QVERIFY(!write->isEnabled()); // nothing ticked yet

        // P0-06 is accepted by the drive but not kept; P0-04 is left unticked.
        QVERIFY(sim.command(QStringLiteral("ignorewrite 0006")).startsWith("ok"));
        sim.clearLog();
        console->clear();
        rows->setData(rows->index(0, 0), Qt::Checked, Qt::CheckStateRole);
        const QRect tick = list->visualRect(rows->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(tick.right() - 1, tick.center().y()));
        QCOMPARE(rows->index(2, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(write->isEnabled());
        QTest::mouseClick(write, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(console->last().at(0).toString(),
            QStringLiteral("Values from the file verified: 1, not kept by the drive: 1, failed: 0"), 8000);
        QVERIFY(sim.command(QStringLiteral("ignorewrite off")).startsWith("ok"));
        // A value the drive did not take is a warning, for the status bar to keep in sight.
        QCOMPARE(console->last().at(1).value<Global::MESSAGE_INFO>(), Global::MESSAGE_WARNNING);
        QCOMPARE(console->first().at(0).toString(),
            QStringLiteral("Writing values from the file, number of parameters: 2"));
        QCOMPARE(normalized(sim.log()),
            QStringList({ "06 0001 1 250", "06 0006 1 65521", readLine(0x0001), readLine(0x0006) }));

        QCOMPARE(rowTexts(0), QStringList({ "P0-01", "Speed", "250", "250", "Written and verified" }));
        QCOMPARE(rowTexts(1), QStringList({ "P0-04", "Mask", "0x1F", "0x20", "" }));
        QCOMPARE(rowTexts(2), QStringList({ "P0-06", "Ratio", "0.0", "-1.5", "Not kept by the drive" }));
        const auto rowColour = [rows](int row, int column) {
            const QVariant background = rows->index(row, column).data(Qt::BackgroundRole);
            return background.isValid() ? hex(background.value<QBrush>().color()) : QStringLiteral("none");
        };
        QCOMPARE(rowColour(2, 5), hex(failed));
        QCOMPARE(rowColour(2, 3), hex(failed));
        QCOMPARE(rowColour(0, 5), QStringLiteral("none"));
        QCOMPARE(cell("P0-01", 4)->text(), QStringLiteral("250"));
        QCOMPARE(colorName(cell("P0-01", 4)), hex(factoryDiff));
        QCOMPARE(cell("P0-06", 4)->text(), QStringLiteral("0.0"));
        QCOMPARE(colorName(cell("P0-06", 4)), hex(failed));
        // "Filter failed items" finds the parameter that was not kept.
        dialog->close();
        QTRY_VERIFY(!page->findChild<ParamCompareDialog*>());
        menuAction("Btn_Compare", "Filter failed items")->trigger();
        QCOMPARE(visibleCodes(), QStringList { "P0-06" });
    }

    void compareWithFileRefused_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("not connected") << false << QByteArray(R"({"DeviceVersion":"0","P0-01":"5"})")
                                       << "No communication with the drive(Off Line)";
        QTest::newRow("other family") << true << QByteArray(R"({"DeviceVersion":"1","P0-01":"5"})")
                                      << "Comparison failed, the file does not match";
        QTest::newRow("invalid JSON")
            << true << QByteArray(R"({"DeviceVersion":"0",)") << "Comparison failed";
        QTest::newRow("nothing to compare")
            << true << QByteArray(R"({"DeviceVersion":"0","P0-03":"1","P0-05":"","Z9-01":"2"})")
            << "The file holds no value to compare with the drive";
    }

    void compareWithFileRefused()
    {
        QFETCH(bool, connected);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        page->nextFile = writeFile(content);
        if (!connected)
            Communication::instance()->beginQuietPeriod();
        QTest::mouseClick(button("Btn_CompareFile"), Qt::LeftButton);
        if (!connected)
            Communication::instance()->endQuietPeriod();
        QCOMPARE(messages->size(), 1);
        QCOMPARE(messages->first().at(0).toString(), message);
        QCOMPARE(messages->first().at(1).value<Global::MESSAGE_INFO>(), Global::MESSAGE_WARNNING);
        QVERIFY(!progress());
        QVERIFY(!page->findChild<ParamCompareDialog*>());
        QTest::qWait(100);
        QVERIFY(sim.log().isEmpty());
    }

    void exportCancelledOrFailing()
    {
        exportTo(QString()); // dialog cancelled
        QVERIFY(messages->isEmpty());

        // A failing write keeps the engineer's earlier file whole (the size limit binds root too).
        const QString path = work.filePath(QStringLiteral("backup.json"));
        const QByteArray old = QByteArray("{\"DeviceVersion\":\"0\"}").leftJustified(4000, ' ');
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.isActive());
            exportTo(path);
        }
        QCOMPARE(messages->size(), 1);
        QCOMPARE(messages->first().at(0).toString(), QStringLiteral("Export failed"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);

        // A folder that vanished.
        messages->clear();
        exportTo(work.filePath(QStringLiteral("gone/params.json")));
        QCOMPARE(messages->size(), 1);
        QCOMPARE(messages->first().at(0).toString(), QStringLiteral("Export failed"));
    }

    void vfdDefinitions_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<int>("big");
        QTest::addColumn<int>("small");
        QTest::newRow("current") << QStringList { "P1-03", "P1-10", "B2-03", "B2-10" } << 1 << 2;
        QTest::newRow("inductance") << QStringList { "P1-06", "P1-07", "B2-06", "B2-07" } << 4 << 3;
        QTest::newRow("resistance") << QStringList { "P1-08", "B2-08" } << 3 << 2;
        QTest::newRow("time constant") << QStringList { "P1-09", "B2-09" } << 2 << 1;
    }

    // The drive size's precision table, and access or effect values the page has no text for.
    void vfdDefinitions()
    {
        QFETCH(QStringList, codes);
        QFETCH(int, big);
        QFETCH(int, small);
        const auto formatOf = [this](const QString& code) {
            return cell(code, 3)->data(ParamTableModel::AttributeRole).value<ParamAttributeStruct>().format1;
        };
        for (const QString& code : codes)
            QCOMPARE(formatOf(code), QStringLiteral("0"));
        answer("PF-01", { 22 });
        for (const QString& code : codes)
            QCOMPARE(formatOf(code), QString::number(big));
        QCOMPARE(cell(codes.first(), 5)->text(), rawToText(floatToRaw(1, 0), quint8(big)));
        answer("PF-01", { 21 });
        for (const QString& code : codes)
            QCOMPARE(formatOf(code), QString::number(small));
        // Codes outside the table keep their format.
        QCOMPARE(formatOf("P0-01"), QStringLiteral("2"));
        QCOMPARE(formatOf("PF-01"), QStringLiteral("0"));

        // No access text for "x" or 3: the effect moves into the access column.
        QCOMPARE(cell("X9-00", 9)->text(), QStringLiteral("Effective after restart"));
        QVERIFY(!cell("X9-00", 10));
        QVERIFY(cell("X9-00", 3)->isEditable());
        QVERIFY(!cell("X9-01", 9));
        QVERIFY(!cell("X9-01", 10));
    }

    void realtimeRefreshOnVfd()
    {
        QCOMPARE(rowOf("D0-13"), 14);
        QSignalSpy results(Communication::instance(), &Communication::resultCallBackEvent);
        QTRY_VERIFY_WITH_TIMEOUT(normalized(sim.log()).contains(readLine(0x7030, 12)), 6000);
        const QStringList log = normalized(sim.log());
        const int first = log.indexOf(readLine(0x7000, 12));
        QVERIFY(first >= 0);
        QCOMPARE(log.mid(first, 5),
            QStringList({ readLine(0x7000, 12), readLine(0x700C, 12), readLine(0x7018, 12),
                readLine(0x7024, 12), readLine(0x7030, 12) }));
        QTRY_COMPARE(colorName(cell("D0-13", 4)), hex(realtime));
        QVERIFY(!cell("D0-00", 4)->text().isEmpty());
        QCOMPARE(colorName(cell("D0-00", 4)), hex(realtime));
        // The blocks' tags, each answered with its 12 registers.
        const auto blockTags = [&results]() {
            QStringList tags;
            for (const QList<QVariant>& result : qAsConst(results)) {
                const QString tag = result.at(0).toString();
                if (tag.startsWith("ARefresh") && !tags.contains(tag)
                    && result.at(1).value<QVector<quint16>>().size() == 12)
                    tags << tag;
            }
            return tags;
        };
        QTRY_COMPARE(blockTags(),
            QStringList({ "ARefresh[00][12]", "ARefresh[12][12]", "ARefresh[24][12]", "ARefresh[36][12]",
                "ARefresh[48][12]" }));

        // A block with the wrong number of values paints its rows as failed.
        answer("ARefresh[00][12]", { 1, 2, 3 });
        QCOMPARE(colorName(cell("D0-00", 4)), hex(failed));
        QCOMPARE(colorName(cell("D0-11", 4)), hex(failed));
        QCOMPARE(colorName(cell("D0-12", 4)), hex(realtime));
        answer("ARefresh[12][12]", QVector<quint16>(12, 7));
        QCOMPARE(cell("D0-12", 4)->text(), QStringLiteral("7"));
        answer("ARefresh[00][12]", QVector<quint16>(12, 1234));
        QCOMPARE(cell("D0-00", 4)->text(), QStringLiteral("12.34"));
        QCOMPARE(cell("D0-01", 4)->text(), QStringLiteral("1234"));
        // The control panel's blocks ("ARefresh1" …) are not the table's.
        answer("ARefresh1", QVector<quint16>(7, 5));
        QCOMPARE(cell("D0-01", 4)->text(), QStringLiteral("1234"));
        QCOMPARE(colorName(cell("D0-01", 4)), hex(realtime));

        // Not on screen: no refresh requests.
        page->setCurrentPage(false);
        QTest::qWait(200);
        sim.clearLog();
        QTest::qWait(2800);
        for (const QString& line : sim.log())
            QVERIFY2(!line.toUpper().startsWith("03 70"), qPrintable(line));

        // A running batch holds the refresh back as well. Start it right after a refresh went out,
        // so that the next tick falls inside the batch.
        page->setCurrentPage(true);
        sim.clearLog();
        QTRY_VERIFY_WITH_TIMEOUT(normalized(sim.log()).contains(readLine(0x7030, 12)), 4000);
        QTest::qWait(100);
        QVERIFY(!sim.command("silent on").isEmpty());
        cell("P0-01", 0)->setCheckState(Qt::Checked);
        menuAction("Btn_Refresh", "Read only the checked option")->trigger();
        QTest::mouseClick(toolButton("Btn_Refresh"), Qt::LeftButton, {}, QPoint(12, 12));
        QVERIFY(progress());
        sim.clearLog();
        QTest::qWait(2700);
        const QStringList during = sim.log();
        sim.command("silent off");
        QTRY_VERIFY_WITH_TIMEOUT(!progress(), 15000);
        for (const QString& line : during)
            QVERIFY2(!line.toUpper().startsWith("03 70"), qPrintable(line));
    }

    // Last: the link is cut in the middle of a batch; the progress dialog goes away and the page
    // is idle again.
    // The VFD status poll reads P0-19 and P0-22 under their table codes every three seconds. A batch
    // holding both codes, sent while a poll's requests are still queued, must close only after its
    // own last answer, not when the poll's answers have made up the count.
    void vfdBatchAcrossStatusPoll()
    {
        page.reset();
        const QString version = QStringLiteral("POLL");
        const QString folder = QStringLiteral("Driver/Config/VFD/%1/EN/").arg(version);
        QVERIFY(QDir().mkpath(folder));
        QFile::remove(folder + QStringLiteral("ParamTable.xml"));
        QVERIFY(
            QFile::copy(QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/VFD/KVF-V2.1/EN/ParamTable.xml"),
                folder + QStringLiteral("ParamTable.xml")));
        Global::instance()->setDeviceVersion(version);
        openPage();
        Global::instance()->setDeviceVersion(QStringLiteral("TEST"));

        const QStringList codes { "P0-13", "P0-14", "P0-15", "P0-16", "P0-17", "P0-18", "P0-19", "P0-21",
            "P0-22", "P0-23", "P0-24", "P0-25", "P0-26", "P0-27", "P0-28" };
        check(codes);
        QVERIFY(!sim.command("delay 250").isEmpty());
        menuAction("Btn_Refresh", "Read only the checked option")->trigger();
        console->clear();
        sim.clearLog();
        // The poll's first read is answered: its other four requests are still queued.
        QTRY_VERIFY_WITH_TIMEOUT(sim.log().contains(readLine(0xF013)), 5000);
        QTest::mouseClick(toolButton("Btn_Refresh"), Qt::LeftButton, {}, QPoint(12, 12));
        QVERIFY(progress());
        QCOMPARE(progress()->maximum(), codes.size());
        QTRY_VERIFY_WITH_TIMEOUT(!progress(), 15000);
        const QStringList log = normalized(sim.log());
        QVERIFY(!sim.command("delay 0").isEmpty());

        // The poll's P0-22 was answered inside the batch's window, and the batch's last request
        // (P0-28) before the dialog closed.
        const QString wire = log.join(QLatin1String(", "));
        const int pollP022 = log.indexOf(readLine(0xF016));
        const int first = log.indexOf(readLine(0xF00D));
        QVERIFY2(pollP022 >= 0 && pollP022 < first, qPrintable(wire));
        QVERIFY2(log.contains(readLine(0xF01C)), qPrintable(wire));
        QCOMPARE(console->last().at(0).toString(), QStringLiteral("The operation is complete"));
        page.reset();
    }

    void linkCutMidBatch()
    {
        QVERIFY(!sim.command("silent on").isEmpty());
        menuAction("Btn_Refresh", "Read all pages")->trigger();
        QTest::mouseClick(toolButton("Btn_Refresh"), Qt::LeftButton, {}, QPoint(12, 12));
        QVERIFY(progress());
        QCOMPARE(progress()->maximum(), 30);
        sim.cutLink();
        QTRY_VERIFY_WITH_TIMEOUT(!progress(), 8000);
        QVERIFY(Communication::instance()->commState() != Communication::COMM_CONNECTED);
        messages->clear();
        QTest::mouseClick(toolButton("Btn_Refresh"), Qt::LeftButton, {}, QPoint(12, 12));
        QCOMPARE(messages->size(), 1);
        QVERIFY(!progress());
        family = -1;
    }
};

QTEST_MAIN(TestParamTable)
#include "tst_paramtable.moc"
