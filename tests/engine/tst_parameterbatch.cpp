// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter batches against the simulated drive over a pty link: what goes on the wire in which
// order, the outcome of every parameter (a write the drive does not keep included), and that only
// the batch's own answers count, a cancel stops the rest and a lost link ends the batch.

#include "Global.h"
#include "ParamRequestLines.h"
#include "SimDrive.h"
#include "comm/Communication.h"
#include "engine/ParameterBatch.h"

#include <QMetaEnum>
#include <QSignalSpy>
#include <QtTest>

using Kind = ParameterBatch::Kind;
using Outcome = ParameterBatch::Outcome;

namespace {

const QString servoData = QStringLiteral(KESTROVA_SOURCE_DIR "/tests/pages/paramtable/data/servo");
const QString keepAlive = QStringLiteral("03 0035 3"); // the service's idle probe

QStringList outcomes(const ParameterBatch& batch)
{
    const QMetaEnum names = QMetaEnum::fromType<Outcome>();
    QStringList result;
    for (const ParameterBatch::Result& r : batch.results())
        result << QLatin1String(names.valueToKey(int(r.outcome)));
    return result;
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestParameterBatch : public QObject
{
    Q_OBJECT

private:
    SimDrive sim;

    Communication* comm() { return Communication::instance(); }

    QStringList wire() const
    {
        QStringList lines = sim.log();
        lines.removeAll(keepAlive);
        return lines;
    }

    void command(const QString& line)
    {
        QVERIFY2(sim.command(line).startsWith(QLatin1String("ok")), qPrintable(line));
    }

private slots:
    void initTestCase()
    {
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        SimDrive::Options options;
        options.config = servoData;
        QVERIFY(sim.start(options));
        comm()->setCommType(Communication::COMM_MODBUS_RTU);
        QVERIFY(comm()->openDevice(sim.serialSettings()));
        comm()->setServerAddress(quint16(options.slave));
        comm()->connectDevice(53, 3);
        QTRY_COMPARE_WITH_TIMEOUT(comm()->commState(), Communication::COMM_CONNECTED, 10000);
    }

    void init() { sim.clearLog(); }

    void cleanup()
    {
        if (!sim.isRunning())
            return;
        sim.command(QStringLiteral("delay 0"));
        sim.command(QStringLiteral("ignorewrite off"));
        sim.command(QStringLiteral("exception off"));
    }

    // The last case has cut the link; the service lets go of it when the process ends.
    void cleanupTestCase() { sim.stop(); }

    void wireOrderAndOutcomes_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<QStringList>("wire");
        QTest::addColumn<QStringList>("outcomes");

        QTest::newRow("read") << "" << Kind::Read << QStringList { "P0-01 0001", "P0-02 0002", "P0-04 0004" }
                              << QStringList { "03 0001 1", "03 0002 1", "03 0004 1" }
                              << QStringList { "Done", "Done", "Done" };
        QTest::newRow("read, one failing")
            << "exception 0002 2" << Kind::Read << QStringList { "P0-01 0001", "P0-02 0002" }
            << QStringList { "03 0001 1", "03 0002 1" } << QStringList { "Done", "Failed" };
        QTest::newRow("write") << "" << Kind::Write << QStringList { "P0-01 0001 5", "P0-02 0002 250" }
                               << QStringList { "06 0001 1 5", "06 0002 1 250" }
                               << QStringList { "Done", "Done" };
        // Every write first, then the read-backs: what counts is what the drive keeps in the end.
        QTest::newRow("write with verification")
            << "" << Kind::WriteVerify << QStringList { "P0-01 0001 6", "P0-02 0002 300", "P0-04 0004 7" }
            << QStringList { "06 0001 1 6", "06 0002 1 300", "06 0004 1 7", "03 0001 1", "03 0002 1",
                   "03 0004 1" }
            << QStringList { "Verified", "Verified", "Verified" };
        QTest::newRow("a write the drive does not keep")
            << "ignorewrite 0002" << Kind::WriteVerify << QStringList { "P0-01 0001 7", "P0-02 0002 301" }
            << QStringList { "06 0001 1 7", "06 0002 1 301", "03 0001 1", "03 0002 1" }
            << QStringList { "Verified", "NotKept" };
        // A refused write is not read back.
        QTest::newRow("a write refused")
            << "" << Kind::WriteVerify << QStringList { "P0-03 0003 9", "P0-01 0001 8" }
            << QStringList { "06 0003 1 9", "06 0001 1 8", "03 0001 1" }
            << QStringList { "Failed", "Verified" };
    }

    void wireOrderAndOutcomes()
    {
        QFETCH(QString, fault);
        QFETCH(Kind, kind);
        QFETCH(QStringList, parameters);
        QFETCH(QStringList, wire);
        QFETCH(QStringList, outcomes);
        if (!fault.isEmpty())
            command(fault);
        ParameterBatch batch;
        QSignalSpy finished(&batch, &ParameterBatch::finished);
        QSignalSpy progressed(&batch, &ParameterBatch::progressed);
        QVERIFY(batch.start(kind, requestsFrom(parameters)));
        QVERIFY(batch.isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 8000);
        QCOMPARE(this->wire(), wire);
        QCOMPARE(::outcomes(batch), outcomes);
        QCOMPARE(batch.succeeded(), !outcomes.contains("Failed") && !outcomes.contains("NotKept"));
        QCOMPARE(batch.stepsDone(), batch.steps());
        QCOMPARE(progressed.last().at(0).toInt(), batch.steps());
        for (const ParameterBatch::Result& result : batch.results()) {
            if (result.outcome == Outcome::Verified)
                QCOMPARE(result.values, QVector<quint16> { result.request.value });
            if (result.outcome == Outcome::NotKept)
                QVERIFY(!result.values.isEmpty() && result.values.at(0) != result.request.value);
        }
        QVERIFY(!batch.start(kind, requestsFrom(parameters))); // a batch runs once
    }

    // Another sender's answer with the same tag, or a stray number, never counts for the batch.
    void onlyOwnAnswersCount()
    {
        command(QStringLiteral("delay 100"));
        const quint64 stray = 0xFFFFFFFF;
        const quint64 other = comm()->sendRead(QStringLiteral("P0-01"), 0x0001, 1);
        ParameterBatch batch;
        QSignalSpy finished(&batch, &ParameterBatch::finished);
        QList<int> doneWhenOthersAnswered;
        connect(comm(), &Communication::requestCompleted, &batch, [&](quint64 request) {
            if (request == stray || request == other)
                doneWhenOthersAnswered << batch.stepsDone();
        });
        QVERIFY(batch.start(Kind::Read, requestsFrom({ "P0-01 0001" })));
        emit comm()->requestCompleted(stray, QStringLiteral("P0-01"), { 5 });
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QCOMPARE(doneWhenOthersAnswered, QList<int>({ 0, 0 }));
        QCOMPARE(::outcomes(batch), QStringList { "Done" });
    }

    void cancelStopsTheRest()
    {
        command(QStringLiteral("delay 100"));
        QStringList parameters;
        for (int k = 0; k < 10; ++k)
            parameters << QStringLiteral("X0-%1 %2 %3").arg(k).arg(0x2100 + k, 0, 16).arg(k + 1);
        ParameterBatch batch;
        QSignalSpy finished(&batch, &ParameterBatch::finished);
        connect(&batch, &ParameterBatch::parameterFinished, &batch, &ParameterBatch::cancel);
        QVERIFY(batch.start(Kind::Write, requestsFrom(parameters)));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        const QStringList sent = wire();
        // The first answer cancels: the requests already queued are answered, no other goes out.
        QVERIFY2(sent.size() >= 1 && sent.size() <= 5, qPrintable(sent.join(", ")));
        QCOMPARE(batch.count(Outcome::Done), sent.size());
        QCOMPARE(batch.count(Outcome::Cancelled), 10 - sent.size());
        QCOMPARE(batch.stepsDone(), batch.steps());
        QTest::qWait(300);
        QCOMPARE(wire(), sent);
    }

    // While the service takes no requests (a drive command holds it quiet) nothing goes out and
    // the batch ends at once instead of waiting for answers that never come.
    void notSentWhileQuiet()
    {
        comm()->beginQuietPeriod();
        ParameterBatch batch;
        QSignalSpy finished(&batch, &ParameterBatch::finished);
        QVERIFY(batch.start(Kind::WriteVerify, requestsFrom({ "P0-01 0001 5", "P0-02 0002 6" })));
        comm()->endQuietPeriod();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(::outcomes(batch), QStringList({ "NotSent", "NotSent" }));
        QCOMPARE(batch.stepsDone(), 4);
        QTest::qWait(100);
        QCOMPARE(wire(), QStringList {});
    }

    // Last: the service drops what is queued when the link breaks; the batch ends with the lost ones.
    void linkLostEndsTheBatch()
    {
        command(QStringLiteral("silent on"));
        ParameterBatch batch;
        QSignalSpy finished(&batch, &ParameterBatch::finished);
        QVERIFY(batch.start(Kind::Read, requestsFrom({ "P0-01 0001", "P0-02 0002", "P0-04 0004" })));
        sim.cutLink();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 8000);
        QCOMPARE(batch.count(Outcome::LinkLost) + batch.count(Outcome::Failed), 3);
        QVERIFY(batch.count(Outcome::LinkLost) >= 1);
        QCOMPARE(batch.stepsDone(), batch.steps());
    }
};

QTEST_GUILESS_MAIN(TestParameterBatch)
#include "tst_parameterbatch.moc"
