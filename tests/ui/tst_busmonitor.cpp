// SPDX-License-Identifier: GPL-3.0-or-later
// The bus monitor dock: its ring buffer, filter, pause, counters and CSV log with made-up
// transactions; the records of a real connection to the simulated drive with injected faults; and
// the dock in the main window, remembered in the memory file across a restart.

#include "ModalAnswer.h"
#include "SimDrive.h"
#include "UiTestSupport.h"
#include "app/Global.h"
#include "app/Xml.h"
#include "ui/BusMonitorWidget.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {

constexpr qint64 kT0 = 1765360800000; // 2025-12-10 10:00:00 UTC

BusTransaction record(const QString& tag, quint16 address = 0x2000, quint16 count = 1,
    BusTransaction::Outcome outcome = BusTransaction::Ok, qint64 startedMs = kT0, qint64 latencyUs = 5000)
{
    BusTransaction t;
    t.tag = tag;
    t.serverAddress = 1;
    t.functionCode = 0x03;
    t.startAddr = address;
    t.count = count;
    t.outcome = outcome;
    t.startedMs = startedMs;
    t.latencyUs = latencyUs;
    if (outcome == BusTransaction::Ok)
        t.values = QVector<quint16>(count, 7);
    if (outcome == BusTransaction::Exception)
        t.exceptionCode = 2;
    return t;
}

QStringList column(const BusMonitorModel& model, int column)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.index(row, column).data().toString();
    return out;
}

QString label(const QWidget* widget, const char* name)
{
    auto* l = widget->findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

// As the user does: the name typed into the dialog's file name box.
void typeFileName(QFileDialog* dialog, const QString& path)
{
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setText(path);
}

} // namespace

class TestBusMonitor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void ringBufferKeepsNewest_data();
    void ringBufferKeepsNewest();
    void defaultBoundIsOneHundredThousand();
    void filter_data();
    void filter();
    void batchGoesInJustAfterAnArrival();
    void pauseHoldsArrivals();
    void viewFollowsOrStays();
    void cells();
    void counters();
    void counterLabels();
    void saveAs();
    void saveAsFailureIsReported();

    void recordsOfFaultsOnTheBus();
    void dockSurvivesRestart();

private:
    std::unique_ptr<WorkDir> m_work;
};

void TestBusMonitor::initTestCase()
{
    Startup::initResources();
    m_work = std::make_unique<WorkDir>();
}

void TestBusMonitor::cleanupTestCase()
{
    m_work.reset();
}

void TestBusMonitor::ringBufferKeepsNewest_data()
{
    QTest::addColumn<int>("arrivals");
    QTest::addColumn<int>("batch"); // arrivals put into the list after every `batch` records
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("below capacity") << 3 << 10 << QString() << QStringList { "0", "1", "2" };
    QTest::newRow("exactly full") << 5 << 10 << QString() << QStringList { "0", "1", "2", "3", "4" };
    QTest::newRow("overflow in one batch")
        << 12 << 100 << QString() << QStringList { "7", "8", "9", "10", "11" };
    QTest::newRow("overflow across batches")
        << 12 << 3 << QString() << QStringList { "7", "8", "9", "10", "11" };
    // Only what is still held can be shown: even tags among the newest five.
    QTest::newRow("filtered overflow") << 12 << 4 << QStringLiteral("E") << QStringList { "E8", "E10" };
}

void TestBusMonitor::ringBufferKeepsNewest()
{
    QFETCH(int, arrivals);
    QFETCH(int, batch);
    QFETCH(QString, filter);
    QFETCH(QStringList, shown);

    BusMonitorModel model(nullptr, 5);
    model.setFilter(filter);
    for (int i = 0; i < arrivals; ++i) {
        model.append(record((filter.isEmpty() || i % 2 ? QString() : filter) + QString::number(i)));
        if ((i + 1) % batch == 0)
            model.flush();
    }
    model.flush();
    QCOMPARE(column(model, BusMonitorModel::TagColumn), shown);
    QCOMPARE(model.heldCount(), qMin(arrivals, 5));
    // Lifting the filter shows everything held, oldest first.
    model.setFilter(QString());
    QCOMPARE(model.rowCount(), qMin(arrivals, 5));
    QCOMPARE(model.index(model.rowCount() - 1, BusMonitorModel::TagColumn).data().toString(),
        (filter.isEmpty() ? QString() : QString(arrivals % 2 ? filter : QString()))
            + QString::number(arrivals - 1));
}

void TestBusMonitor::defaultBoundIsOneHundredThousand()
{
    BusMonitorModel model;
    QCOMPARE(model.capacity(), 100000);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 100000 + 250; ++i)
        model.append(record(QStringLiteral("AID=0"), quint16(i)));
    model.flush();
    QCOMPARE(model.rowCount(), 100000);
    QCOMPARE(model.transaction(0).startAddr, quint16(250));
    QCOMPARE(model.transaction(99999).startAddr, quint16((100000 + 249) & 0xFFFF));
    QCOMPARE(inserted.count(), 1); // one batch, not one update per transaction
}

void TestBusMonitor::filter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("none") << QString() << QStringList { "P0-19", "AID=0", "AID=1", "AEnableState", "" };
    QTest::newRow("tag, any case") << QStringLiteral("aid") << QStringList { "AID=0", "AID=1" };
    QTest::newRow("whole tag") << QStringLiteral("AID=1") << QStringList { "AID=1" };
    QTest::newRow("first register") << QStringLiteral("F013") << QStringList { "P0-19" };
    QTest::newRow("register inside a block") << QStringLiteral("0x1005") << QStringList { "AID=1" };
    QTest::newRow("register past a block") << QStringLiteral("1008") << QStringList();
    QTest::newRow("hex that is also in a tag") << QStringLiteral("B5") << QStringList { "" };
    QTest::newRow("blanks around") << QStringLiteral("  P0- ") << QStringList { "P0-19" };
    QTest::newRow("nothing matches") << QStringLiteral("PF-01") << QStringList();
}

void TestBusMonitor::filter()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, shown);

    const QVector<BusTransaction> records { record(QStringLiteral("P0-19"), 0xF013),
        record(QStringLiteral("AID=0"), 0x1000, 2), record(QStringLiteral("AID=1"), 0x1004, 4),
        record(QStringLiteral("AEnableState"), 53), record(QString(), 0xB5) };
    // Set before and after the records arrive: both must give the same rows.
    for (const bool filterFirst : { true, false }) {
        BusMonitorModel model;
        if (filterFirst)
            model.setFilter(filter);
        for (const BusTransaction& t : records)
            model.append(t);
        model.flush();
        if (!filterFirst)
            model.setFilter(filter);
        QCOMPARE(column(model, BusMonitorModel::TagColumn), shown);
    }
}

void TestBusMonitor::batchGoesInJustAfterAnArrival()
{
    BusMonitorModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.append(record(QStringLiteral("a")));
    model.append(record(QStringLiteral("b")));
    QCoreApplication::processEvents();
    QCOMPARE(model.rowCount(), 0); // collected, not yet shown
    // Once the batch is due, the next arrival brings it in at the next turn of the event loop.
    QTest::qWait(BusMonitorModel::BatchIntervalMs + 50);
    if (model.rowCount() != 0)
        QSKIP("the event loop came back too late to see the batch waiting");
    model.append(record(QStringLiteral("c")));
    QCOMPARE(model.rowCount(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(column(model, BusMonitorModel::TagColumn), (QStringList { "a", "b", "c" }));
    QCOMPARE(inserted.count(), 1);
    // Without a next arrival, a due batch still goes in soon.
    model.append(record(QStringLiteral("d")));
    QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 4, 3 * BusMonitorModel::BatchIntervalMs + 200);
    QCOMPARE(inserted.count(), 2);
}

void TestBusMonitor::pauseHoldsArrivals()
{
    BusMonitorWidget widget(nullptr, 4);
    auto* pause = widget.findChild<QPushButton*>(QStringLiteral("Btn_Pause"));
    QVERIFY(pause);
    widget.addTransaction(record(QStringLiteral("a")));
    QTRY_COMPARE(widget.model()->rowCount(), 1); // the batch timer brings it in

    QTest::mouseClick(pause, Qt::LeftButton);
    QCOMPARE(pause->text(), QStringLiteral("Resume"));
    for (const char* tag : { "b", "c", "d", "e", "f" })
        widget.addTransaction(record(QLatin1String(tag)));
    QTest::qWait(3 * BusMonitorModel::BatchIntervalMs);
    QCOMPARE(column(*widget.model(), BusMonitorModel::TagColumn), QStringList { "a" });
    // Counting goes on while the list stands still.
    widget.refreshCounters();
    QCOMPARE(label(&widget, "Lbl_Requests"), QStringLiteral("Requests: 6"));

    QTest::mouseClick(pause, Qt::LeftButton);
    QCOMPARE(pause->text(), QStringLiteral("Pause"));
    QCOMPARE(column(*widget.model(), BusMonitorModel::TagColumn), (QStringList { "c", "d", "e", "f" }));

    QTest::mouseClick(widget.findChild<QPushButton*>(QStringLiteral("Btn_Clear")), Qt::LeftButton);
    QCOMPARE(widget.model()->rowCount(), 0);
    QCOMPARE(label(&widget, "Lbl_Requests"), QStringLiteral("Requests: 0"));
}

void TestBusMonitor::viewFollowsOrStays()
{
    BusMonitorWidget widget(nullptr, 100);
    widget.resize(900, 300);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    auto* view = widget.findChild<QTableView*>(QStringLiteral("Tbv_Transactions"));
    auto add = [&](int from, int n) {
        for (int i = from; i < from + n; ++i)
            widget.addTransaction(record(QString::number(i)));
        widget.model()->flush();
    };
    auto topTag = [&] { return widget.model()->transaction(view->rowAt(5)).tag; };

    // At the end, the list follows what arrives.
    add(0, 60);
    QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    add(60, 20);
    QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());

    // Scrolled back, it stays on the same rows, also while the oldest leave a full buffer.
    view->verticalScrollBar()->setValue(40);
    const QString before = topTag();
    add(80, 15);
    QCOMPARE(topTag(), before);
    add(95, 30);
    QCOMPARE(topTag(), before);
    QCOMPARE(widget.model()->rowCount(), 100);
}

void TestBusMonitor::cells()
{
    BusMonitorModel model;
    BusTransaction write = record(QStringLiteral("AEnableState"), 181);
    write.functionCode = 0x06;
    write.written = { 1 };
    write.values = { 1 };
    write.latencyUs = 12345;
    BusTransaction test = record(QString(), 53, 3, BusTransaction::Timeout);
    test.connectionTest = true;
    model.append(write);
    model.append(test);
    model.append(record(QStringLiteral("P0-19"), 0xF013, 1, BusTransaction::Exception));
    model.append(record(QStringLiteral("P0-22"), 0xF016, 1, BusTransaction::CrcError));
    model.append(record(QStringLiteral("AID=0"), 0x1000, 2, BusTransaction::LinkError));
    model.flush();

    QCOMPARE(column(model, BusMonitorModel::TimeColumn).first(),
        QDateTime::fromMSecsSinceEpoch(kT0).toString(QStringLiteral("hh:mm:ss.zzz")));
    QCOMPARE(column(model, BusMonitorModel::TagColumn),
        (QStringList { "AEnableState", "(connection test)", "P0-19", "P0-22", "AID=0" }));
    QCOMPARE(column(model, BusMonitorModel::FunctionColumn), (QStringList { "06", "03", "03", "03", "03" }));
    QCOMPARE(column(model, BusMonitorModel::AddressColumn),
        (QStringList { "00B5", "0035", "F013", "F016", "1000" }));
    QCOMPARE(column(model, BusMonitorModel::CountColumn), (QStringList { "1", "3", "1", "1", "2" }));
    QCOMPARE(column(model, BusMonitorModel::ValuesColumn), (QStringList { "1", "", "", "", "" }));
    QCOMPARE(column(model, BusMonitorModel::LatencyColumn).first(), QStringLiteral("12.3"));
    QCOMPARE(column(model, BusMonitorModel::OutcomeColumn),
        (QStringList { "ok", "timeout", "exception 02 Illegal data address", "CRC error", "link error" }));
    QCOMPARE(
        column(model, BusMonitorModel::RequestColumn).first(), QStringLiteral("01 06 00 B5 00 01 59 EC"));
    QCOMPARE(column(model, BusMonitorModel::ReplyColumn).first(), QStringLiteral("01 06 00 B5 00 01 59 EC"));
    QCOMPARE(
        model.index(2, BusMonitorModel::ReplyColumn).data().toString(), QStringLiteral("01 83 02 C0 F1"));
    QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(model.index(1, 0).data(Qt::BackgroundRole).isValid());
}

void TestBusMonitor::counters()
{
    BusMonitorCounters counters;
    QCOMPARE(counters.snapshot(kT0).transactionsPerSecond, 0.0);
    // Ten seconds of traffic: 20 reads a second, a scope channel at 10 a second for the last 3 s,
    // and one of each failure.
    for (int i = 0; i < 200; ++i)
        counters.add(record(
            QStringLiteral("P0-19"), 0xF013, 1, BusTransaction::Ok, kT0 + i * 50, 2000 + (i % 2) * 2000));
    for (int i = 0; i < 30; ++i)
        counters.add(
            record(QStringLiteral("AID=2"), 0x1000, 2, BusTransaction::Ok, kT0 + 7000 + i * 100, 3000));
    counters.add(record(QStringLiteral("AID=2"), 0x1000, 2, BusTransaction::Timeout, kT0 + 9800, 60000));
    counters.add(record(QStringLiteral("AID=3"), 0x1002, 2, BusTransaction::Exception, kT0 + 9870, 9000));
    counters.add(record(QStringLiteral("x"), 1, 1, BusTransaction::CrcError, kT0 + 9880, 60000));
    counters.add(record(QStringLiteral("x"), 1, 1, BusTransaction::LinkError, kT0 + 9950, 1000));

    const BusMonitorCounters::Snapshot s = counters.snapshot(kT0 + 10000);
    QCOMPARE(s.requests, qint64(234));
    QCOMPARE(s.failureCount(), qint64(4));
    QCOMPARE(s.failures[BusTransaction::Timeout], qint64(1));
    QCOMPARE(s.failures[BusTransaction::Exception], qint64(1));
    QCOMPARE(s.failures[BusTransaction::CrcError], qint64(1));
    QCOMPARE(s.failures[BusTransaction::LinkError], qint64(1));
    // Answered only: 200 reads of 2 and 4 ms, 30 of 3 ms and the exception's 9 ms.
    QCOMPARE(s.meanLatencyMs, (100 * 2.0 + 100 * 4.0 + 30 * 3.0 + 9.0) / 231);
    QCOMPARE(s.worstLatencyMs, 9.0);
    // The last five seconds hold the second half of the reads, the scope's and the failures.
    QCOMPARE(s.transactionsPerSecond, (100 + 30 + 4) / 5.0);
    QCOMPARE(s.scopeSamplesPerSecond.keys(), QList<int> { 2 }); // failed samples are no samples
    QCOMPARE(s.scopeSamplesPerSecond.value(2), 30 / 5.0);

    // Quiet for a minute: rates drop to nothing, totals stay.
    const BusMonitorCounters::Snapshot later = counters.snapshot(kT0 + 70000);
    QCOMPARE(later.transactionsPerSecond, 0.0);
    QCOMPARE(later.requests, qint64(234));

    // A fresh connection: the test read, three quiet seconds of confirmation, then 200 a second.
    BusMonitorCounters fresh;
    BusTransaction test = record(QString(), 53, 3, BusTransaction::Ok, kT0 - 3000, 2000);
    test.connectionTest = true;
    fresh.add(test);
    for (int i = 0; i < 400; ++i)
        fresh.add(record(QStringLiteral("AID=0"), 0x1000, 2, BusTransaction::Ok, kT0 + i * 5, 2000));
    QCOMPARE(fresh.snapshot(kT0 + 2000).transactionsPerSecond, 401 / 2.0);
    QCOMPARE(fresh.snapshot(kT0 + 2000).scopeSamplesPerSecond.value(0), 400 / 2.0);

    // A block read is a sample of each channel it carries; other tags and malformed ones none.
    BusMonitorCounters blocks;
    for (int i = 0; i < 100; ++i)
        blocks.add(record(QStringLiteral("AID=1,3"), 0x1000, 4, BusTransaction::Ok, kT0 + i * 10, 2000));
    for (const char* tag : { "AID=", "AID=2,x", "AReadState" })
        blocks.add(record(QLatin1String(tag), 0x1000, 2, BusTransaction::Ok, kT0 + 500, 2000));
    const QMap<int, double> rates = blocks.snapshot(kT0 + 1000).scopeSamplesPerSecond;
    QCOMPARE(rates.keys(), (QList<int> { 1, 3 }));
    QCOMPARE(rates.value(1), rates.value(3));
    QVERIFY(rates.value(1) > 0);
}

void TestBusMonitor::counterLabels()
{
    BusMonitorWidget widget;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    widget.addTransaction(record(QStringLiteral("AID=0"), 0x1000, 2, BusTransaction::Ok, now - 2000, 4000));
    widget.addTransaction(record(QStringLiteral("AID=0"), 0x1000, 2, BusTransaction::Ok, now - 1000, 6000));
    widget.addTransaction(
        record(QStringLiteral("P0-19"), 0xF013, 1, BusTransaction::Exception, now - 900, 8000));
    widget.refreshCounters();
    QCOMPARE(label(&widget, "Lbl_Requests"), QStringLiteral("Requests: 3"));
    QCOMPARE(label(&widget, "Lbl_Failures"),
        QStringLiteral("Failures: 1 (timeout 0, exception 1, CRC 0, link 0)"));
    QCOMPARE(label(&widget, "Lbl_Latency"), QStringLiteral("Latency: mean 6.0 ms, worst 8.0 ms"));
    QVERIFY2(label(&widget, "Lbl_Rate").endsWith(QLatin1String(" transactions/s")),
        qPrintable(label(&widget, "Lbl_Rate")));
    QVERIFY2(label(&widget, "Lbl_Scope").startsWith(QLatin1String("Scope samples: AID=0 ")),
        qPrintable(label(&widget, "Lbl_Scope")));
}

void TestBusMonitor::saveAs()
{
    BusMonitorWidget widget;
    widget.show();
    BusTransaction write = record(QStringLiteral("odd, \"tag\""), 514, 2, BusTransaction::Ok, kT0, 7000);
    write.functionCode = 0x10;
    write.written = { 12, 3456 };
    widget.addTransaction(write);
    widget.addTransaction(
        record(QStringLiteral("P0-19"), 0xF013, 1, BusTransaction::Exception, kT0 + 20, 9500));
    widget.addTransaction(record(QStringLiteral("AID=0"), 0x1000, 2, BusTransaction::Ok, kT0 + 40, 3000));

    const QString path = m_work->path() + QStringLiteral("/log");
    QString title;
    ModalAnswer::handleNext([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        if (!dialog) {
            w->close();
            return;
        }
        title = dialog->windowTitle();
        typeFileName(dialog, path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog checks the name as on "Save"
    });
    QSignalSpy console(&widget, &BusMonitorWidget::sig_printToConsole);
    // Straight after the arrivals: what waits for the next batch is saved too.
    QTest::mouseClick(widget.findChild<QPushButton*>(QStringLiteral("Btn_Save")), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Save as"));
    // The dialog adds the suffix the user left out.
    QFile file(path + QStringLiteral(".csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString time = QDateTime::fromMSecsSinceEpoch(kT0).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss."));
    const QStringList expected {
        QStringLiteral(
            "Time,Tag,Function,Address,Count,Values,Latency (ms),Outcome,Request bytes,Reply bytes"),
        time
            + QStringLiteral("000,\"odd, \"\"tag\"\"\",10,0202,2,12 3456,7.0,ok,"
                             "01 10 02 02 00 02 04 00 0C 0D 80 AE 25,01 10 02 02 00 02 E1 B0"),
        time
            + QStringLiteral("020,P0-19,03,F013,1,,9.5,exception 02 Illegal data address,"
                             "01 03 F0 13 00 01 46 CF,01 83 02 C0 F1"),
        time
            + QStringLiteral(
                "040,AID=0,03,1000,2,7 7,3.0,ok,01 03 10 00 00 02 C0 CB,01 03 04 00 07 00 07 0A 30"),
        QString(),
    };
    QCOMPARE(QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')), expected);
    QCOMPARE(console.count(), 1);
    QVERIFY(console.at(0).at(0).toString().startsWith(QLatin1String("Bus monitor log saved: ")));

    // The filter narrows what is saved as well as what is shown.
    widget.findChild<QLineEdit*>(QStringLiteral("Lbx_Filter"))->setText(QStringLiteral("f013"));
    QVERIFY(widget.saveTo(path));
    QFile filtered(path);
    QVERIFY(filtered.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(filtered.readAll()).split(QLatin1Char('\n')),
        (QStringList { expected.at(0), expected.at(2), QString() }));
}

void TestBusMonitor::saveAsFailureIsReported()
{
    BusMonitorWidget widget;
    widget.addTransaction(record(QStringLiteral("P0-19")));
    QVERIFY(!widget.saveTo(m_work->path() + QStringLiteral("/missing/folder/log.csv")));

    const QString path = m_work->path() + QStringLiteral("/missing/log.csv");
    UiTest::BoxAnswerer answer(QMessageBox::Ok);
    ModalAnswer::handleNext([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        if (!dialog) {
            w->close();
            return;
        }
        typeFileName(dialog, path);
        static_cast<QDialog*>(dialog)->accept();
    });
    QSignalSpy console(&widget, &BusMonitorWidget::sig_printToConsole);
    QTest::mouseClick(widget.findChild<QPushButton*>(QStringLiteral("Btn_Save")), Qt::LeftButton);
    QTRY_VERIFY(answer.answered());
    QCOMPARE(answer.seen.title, QStringLiteral("Tips"));
    QVERIFY2(answer.seen.text.startsWith(QLatin1String("The bus monitor log could not be written: ")),
        qPrintable(answer.seen.text));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(console.count(), 0);
}

void TestBusMonitor::recordsOfFaultsOnTheBus()
{
    SimDrive sim;
    QVERIFY(sim.start());
    BusMonitorWidget widget;
    widget.show();
    auto* raw = widget.findChild<QCheckBox*>(QStringLiteral("Chbx_RawBytes"));
    auto* view = widget.findChild<QTableView*>(QStringLiteral("Tbv_Transactions"));
    QVERIFY(view->isColumnHidden(BusMonitorModel::RequestColumn));
    raw->click();
    QVERIFY(!view->isColumnHidden(BusMonitorModel::RequestColumn));
    QVERIFY(!view->isColumnHidden(BusMonitorModel::ReplyColumn));

    Communication* comm = Communication::instance();
    SerialSettings settings = sim.serialSettings();
    settings.responseTime = 300; // the timeouts below stay short
    QVERIFY(comm->openDevice(settings));
    comm->setServerAddress(1);
    comm->connectDevice(53, 3);
    QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED));

    QVERIFY(sim.command(QStringLiteral("set 2100 99")).startsWith(QLatin1String("ok")));
    const struct
    {
        const char* fault;
        const char* outcome;
    } steps[] = {
        { "exception off", "ok" },
        { "silent on", "timeout" },
        { "silent off", "ok" },
        { "exception 2100 2", "exception 02 Illegal data address" },
        { "exception off", "ok" },
        { "badcrc on", "CRC error" },
        { "badcrc off", "ok" },
    };
    QSignalSpy completed(comm, &Communication::requestCompleted);
    for (const auto& step : steps) {
        QVERIFY(sim.command(QLatin1String(step.fault)).startsWith(QLatin1String("ok")));
        comm->sendRead(QStringLiteral("AReadState"), 0x2100, 1);
        QVERIFY(completed.wait(3000));
    }
    QTRY_COMPARE(widget.model()->rowCount(), 1 + int(std::size(steps)));

    const BusMonitorModel& model = *widget.model();
    QCOMPARE(
        model.index(0, BusMonitorModel::TagColumn).data().toString(), QStringLiteral("(connection test)"));
    QCOMPARE(model.index(0, BusMonitorModel::OutcomeColumn).data().toString(), QStringLiteral("ok"));
    QStringList outcomes = column(model, BusMonitorModel::OutcomeColumn).mid(1);
    QStringList expected;
    for (const auto& step : steps)
        expected << QLatin1String(step.outcome);
    QCOMPARE(outcomes, expected);
    QCOMPARE(model.index(1, BusMonitorModel::ValuesColumn).data().toString(), QStringLiteral("99"));
    QCOMPARE(model.index(1, BusMonitorModel::RequestColumn).data().toString(),
        QStringLiteral("01 03 21 00 00 01 8E 36"));
    QVERIFY(model.index(1, BusMonitorModel::ReplyColumn)
                .data()
                .toString()
                .startsWith(QLatin1String("01 03 02 00 63 ")));
    QCOMPARE(model.index(2, BusMonitorModel::ReplyColumn).data().toString(), QString());

    widget.refreshCounters();
    QCOMPARE(label(&widget, "Lbl_Requests"), QStringLiteral("Requests: 8"));
    QCOMPARE(label(&widget, "Lbl_Failures"),
        QStringLiteral("Failures: 3 (timeout 1, exception 1, CRC 1, link 0)"));

    // A pulled cable ends the request on the line as a link error.
    QVERIFY(sim.command(QStringLiteral("delay 800")).startsWith(QLatin1String("ok")));
    comm->sendRead(QStringLiteral("ALast"), 0x2100, 1);
    QTest::qWait(200);
    sim.cutLink();
    QVERIFY(completed.wait(6000));
    QTRY_COMPARE(widget.model()->rowCount(), 2 + int(std::size(steps)));
    QCOMPARE(model.index(model.rowCount() - 1, BusMonitorModel::TagColumn).data().toString(),
        QStringLiteral("ALast"));
    QCOMPARE(model.index(model.rowCount() - 1, BusMonitorModel::OutcomeColumn).data().toString(),
        QStringLiteral("link error"));
    comm->closeDevice();
    QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
}

void TestBusMonitor::dockSurvivesRestart()
{
    m_work->writeInit(0, 0); // an older memory file, without the dock's element
    Xml memory;
    QVERIFY(memory.readMemory());
    QVERIFY(!Global::instance()->busMonitorVisible());

    auto window = std::make_unique<MainWindow>();
    window->show();
    QDockWidget* dock = window->findChild<QDockWidget*>(QStringLiteral("dockWidget_BusMonitor"));
    QVERIFY(dock);
    QCOMPARE(dock->windowTitle(), QStringLiteral("Bus monitor"));
    QVERIFY(!dock->isVisible());
    QCOMPARE(window->dockWidgetArea(dock), Qt::BottomDockWidgetArea);
    QVERIFY(qobject_cast<BusMonitorWidget*>(dock->widget()));

    QMenu* view = nullptr;
    for (QAction* action : window->menuBar()->actions()) {
        if (action->text() == QLatin1String("View(&V)"))
            view = action->menu();
    }
    QVERIFY(view);
    QAction* toggle = view->actions().last();
    QCOMPARE(toggle, dock->toggleViewAction());
    QCOMPARE(toggle->text(), QStringLiteral("Bus monitor"));
    toggle->trigger();
    QVERIFY(dock->isVisible());
    // Closing the window hides the dock with it, which must not count as closing the dock.
    window->close();
    window.reset();
    QVERIFY(m_work->readInit().contains("<BusMonitor>1</BusMonitor>"));
    QVERIFY(m_work->readInit().contains("<Device>0</Device>"));

    Global::instance()->setBusMonitorVisible(false);
    QVERIFY(memory.readMemory());
    window = std::make_unique<MainWindow>();
    window->show();
    dock = window->findChild<QDockWidget*>(QStringLiteral("dockWidget_BusMonitor"));
    QVERIFY(dock->isVisible());
    dock->toggleViewAction()->trigger();
    QVERIFY(!dock->isVisible());
    window.reset();
    QVERIFY(m_work->readInit().contains("<BusMonitor>0</BusMonitor>"));
    QVERIFY(memory.readMemory());
    QVERIFY(!Global::instance()->busMonitorVisible());
}

QTEST_MAIN(TestBusMonitor)
#include "tst_busmonitor.moc"
