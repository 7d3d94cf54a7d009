// SPDX-License-Identifier: GPL-3.0-or-later
// Files the tool rewrites survive the tool being killed at any moment of the write: a writer
// process rewrites the file over and over through the tool's own code, is killed (SIGKILL) at
// random points, and the file must then hold exactly the old or the new content. A scope recording
// streamed to a file keeps, after a kill, every point older than a second, in whole rows.
//
// The same executable is the writer: tst_crashsafe --writer <kind> <folder>.

#include "Global.h"
#include "SimDrive.h"
#include "WorkDir.h"
#include "Xml.h"
#include "engine/ParamFile.h"
#include "pages/scope/CurveFile.h"
#include "pages/scope/CurveRecorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

const QString initPath = QStringLiteral("Driver/Init.xml");
const QString exportPath = QStringLiteral("params.json");
const QString curvePath = QStringLiteral("curves.csv");
const QString recordingPath = QStringLiteral("recording.csv");
const QStringList recordedNames { QStringLiteral("Speed"), QStringLiteral("Torque"),
    QStringLiteral("\u901f\u5ea6"), QStringLiteral("Current") };
constexpr int recordingPeriodMs = 10;

// Big enough that one write takes a noticeable part of the writer's loop.
QByteArray initWithPadding()
{
    QByteArray padding;
    for (int i = 0; i < 5000; ++i)
        padding += "<Entry index=\"" + QByteArray::number(i) + "\">padding text of the memory file</Entry>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Init>\n<Device>0</Device>\n<Language>0</Language>\n"
           "<Extra>\n"
        + padding + "</Extra>\n</Init>\n";
}

QByteArray exportDocument(quint8 device, int variant)
{
    QList<QPair<QString, QString>> values;
    for (int i = 0; i < 5000; ++i)
        values.append(
            { QStringLiteral("P%1-%2").arg(i / 100).arg(i % 100), QString::number(i * 7 + variant) });
    return ParamFile::buildDocument(device, values);
}

// Four curves of 20000 samples, as the scope exports them.
QStringList curveLines(int variant)
{
    QStringList lines { QStringLiteral(
        "Speedx,Speedy,Torquex,Torquey,\u901f\u5ea6x,\u901f\u5ea6y,Currentx,Currenty") };
    for (int i = 0; i < 20000; ++i) {
        const QString key = QString::number(i * 0.05, 'g', 6);
        QStringList fields;
        for (int curve = 0; curve < 4; ++curve)
            fields << key << QString::number(i * (curve + 1) + variant, 'g', 6);
        lines.append(fields.join(QLatin1Char(',')));
    }
    return lines;
}

// One write of the given variant (0 or 1) through the tool's code for that kind of file.
bool writeOnce(const QString& kind, int variant)
{
    if (kind == QLatin1String("init")) {
        Global::instance()->setDevice(variant);
        Global::instance()->setLanguage(variant);
        return Xml().writeMemory();
    }
    if (kind == QLatin1String("export"))
        return ParamFile::writeDocument(exportPath, exportDocument(0, variant));
    if (kind == QLatin1String("curves"))
        return writeCsvLines(curvePath, curveLines(variant));
    // A plain truncating write, which the test must catch torn.
    QFile file(exportPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(exportDocument(0, variant)) > 0;
}

// Point n of recorded curve c.
double recordedValue(int n, int c)
{
    return (n % 1000) * (c + 1) + 0.25 * c;
}

// Records four curves into the file, one point each every 10 ms, telling how many it fed.
int runRecordingWriter()
{
    CurveRecorder recorder;
    if (!recorder.start(recordingPath, recordedNames))
        return 2;
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    int fed = 0;
    QTimer feed;
    QObject::connect(&feed, &QTimer::timeout, [&]() {
        for (int c = 0; c < recordedNames.size(); ++c)
            recorder.addPoint(c, fed / 100.0, recordedValue(fed, c));
        ++fed;
        std::printf("fed %d\n", fed);
        std::fflush(stdout);
    });
    feed.start(recordingPeriodMs);
    return QCoreApplication::exec();
}

int runWriter(const QString& kind, const QString& folder)
{
    QDir::setCurrent(folder);
    if (kind == QLatin1String("recording"))
        return runRecordingWriter();
    for (int variant = 0;; variant ^= 1) {
        if (!writeOnce(kind, variant))
            return 2;
        static bool told = false;
        if (!told) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
            told = true;
        }
    }
}

} // namespace

class TestCrashSafe : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesWholeFile_data();
    void killedWriterLeavesWholeFile();
    void killedRecordingKeepsAllButTheLastSecond();
};

void TestCrashSafe::killedWriterLeavesWholeFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("safe");
    QTest::newRow("memory file") << "init" << initPath << true;
    QTest::newRow("parameter export") << "export" << exportPath << true;
    QTest::newRow("curve export") << "curves" << curvePath << true;
    // Shows the test can see a torn file at all.
    QTest::newRow("plain write (control)") << "plain" << exportPath << false;
}

void TestCrashSafe::killedWriterLeavesWholeFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, file);
    QFETCH(bool, safe);

    WorkDir work(WorkDir::Seed::Nothing);
    QVERIFY(work.isValid());
    QVERIFY(QDir().mkpath(QStringLiteral("Driver")));

    // The two contents the file may hold, as the tool writes them.
    QList<QByteArray> whole;
    for (int variant = 0; variant < 2; ++variant) {
        if (kind == QLatin1String("init"))
            work.writeInit(initWithPadding());
        QVERIFY(writeOnce(kind, variant));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        whole.append(f.readAll());
    }
    QVERIFY(whole[0] != whole[1]);

    const int kills = safe ? 60 : 20;
    int torn = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kills; ++i) {
        // Ends with the test if the test dies first, instead of rewriting the file for good.
        ChildProcess writer;
        writer.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--writer"), kind, QDir::currentPath() });
        QVERIFY(writer.waitForStarted(5000));
        QVERIFY(writer.waitForReadyRead(10000));
        const int delayMs = int(QRandomGenerator::global()->bounded(40));
        if (delayMs > 0)
            QTest::qSleep(delayMs);
        writer.kill();
        QVERIFY(writer.waitForFinished(5000));

        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray content = f.readAll();
        if (content != whole[0] && content != whole[1])
            ++torn;
    }
    qInfo("%d kills in %lld ms, %d torn files", kills, clock.elapsed(), torn);
    if (safe)
        QCOMPARE(torn, 0);
    else
        QVERIFY2(torn > 0, "a plain truncating write was never caught torn");
}

void TestCrashSafe::killedRecordingKeepsAllButTheLastSecond()
{
    WorkDir work(WorkDir::Seed::Nothing);
    QVERIFY(work.isValid());
    for (int kill = 0; kill < 2; ++kill) {
        ChildProcess writer;
        writer.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--writer"), QStringLiteral("recording"), QDir::currentPath() });
        QVERIFY(writer.waitForStarted(5000));
        QElapsedTimer clock;
        clock.start();
        const qint64 runMs = 1200 + QRandomGenerator::global()->bounded(600);
        // Points the writer had fed at a time the test knows (it can only have been sooner).
        QList<QPair<qint64, int>> fed;
        QByteArray pending;
        while (clock.elapsed() < runMs) {
            writer.waitForReadyRead(20);
            pending += writer.readAllStandardOutput();
            for (int end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
                const QByteArray line = pending.left(end);
                pending.remove(0, end + 1);
                if (line.startsWith("fed "))
                    fed.append({ clock.elapsed(), line.mid(4).toInt() });
            }
        }
        writer.kill();
        const qint64 killedAt = clock.elapsed();
        QVERIFY(writer.waitForFinished(5000));
        int safe = 0;
        for (const auto& point : qAsConst(fed)) {
            if (point.first <= killedAt - 1000)
                safe = point.second;
        }

        QList<QStringList> rows;
        int fields = 0;
        QVERIFY(readCsvLines(recordingPath, rows, fields));
        QStringList header;
        for (const QString& name : recordedNames)
            header << name + QLatin1Char('x') << name + QLatin1Char('y');
        QCOMPARE(rows.value(0), header);
        const int points = rows.size() - 1;
        QVERIFY2(points >= safe,
            qPrintable(QStringLiteral("%1 points in the file, %2 fed a second before the kill")
                           .arg(points)
                           .arg(safe)));
        for (int n = 0; n < points; ++n) {
            QStringList expected;
            for (int c = 0; c < recordedNames.size(); ++c)
                expected << curveNumber(n / 100.0) << curveNumber(recordedValue(n, c));
            QCOMPARE(rows.at(n + 1), expected); // whole rows, every number as fed
        }
        qInfo("killed after %lld ms: %d points in the file, %d fed a second before", killedAt, points, safe);
    }
}

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--writer") == 0) {
        QCoreApplication app(argc, argv);
        return runWriter(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication app(argc, argv);
    TestCrashSafe test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafe.moc"
