// SPDX-License-Identifier: GPL-3.0-or-later
// kestrova-cli against the wire: a backup of the largest sample device version and a restore of 200
// changed parameters with read-back, at 9600 and 115200 baud 8N2, the real executable against the
// simulated drive with wire-time emulation. The time is the whole run as a script sees it, start
// to exit, connection and definitions included; the wire time is what the serial line itself needs
// for every transaction the drive logged (WireLimit.h), whatever its kind.
//
//   cli op=backup baud=9600 params=… s=… wire_s=… ratio=…

#include "SimDrive.h"
#include "WireLimit.h"
#include "definitions/Parameter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QString config = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/");
constexpr int changedParameters = 200;

struct Sample
{
    QString family; // "servo" or "vfd"
    QString version;
    int parameters = 0;
};

// The version whose table defines the most parameters, of either family.
Sample largestSample()
{
    Sample largest;
    for (const QString& family : { QStringLiteral("SERVO"), QStringLiteral("VFD") }) {
        const QDir dir(config + family);
        for (const QString& version : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            Parameter parameter(dir.filePath(version + QStringLiteral("/EN/ParamTable.xml")), nullptr);
            if (!parameter.load())
                continue;
            int count = 0;
            for (const ParamGroupStruct& group : parameter.groups())
                count += group.params.size();
            if (count > largest.parameters)
                largest = { family.toLower(), version, count };
        }
    }
    return largest;
}

// The wire time of the transactions in the drive's log ("03 F013 1", "06 0004 1 20",
// "10 0000 2 385 65535").
double wireSeconds(const QStringList& log, int baud)
{
    double ms = 0;
    for (const QString& line : log) {
        const QStringList words = line.split(QLatin1Char(' '));
        const int count = words.value(2).toInt();
        if (words.first() == QLatin1String("03"))
            ms += readWireMs(count, baud);
        else if (words.first() == QLatin1String("06"))
            ms += transactionWireMs(8, 8, baud);
        else
            ms += transactionWireMs(9 + 2 * count, 8, baud);
    }
    return ms / 1000.0;
}

struct Timed
{
    int code = -1;
    double seconds = 0;
};

Timed runTool(const QStringList& arguments)
{
    ChildProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    tool.start(QStringLiteral(KESTROVA_CLI_PATH), arguments);
    Timed timed;
    if (tool.waitForFinished(600000))
        timed.code = tool.exitCode();
    timed.seconds = clock.nsecsElapsed() / 1e9;
    tool.readAllStandardOutput();
    return timed;
}

void print(const char* op, int baud, int params, const Timed& timed, double wire)
{
    std::printf("cli op=%s baud=%d params=%d s=%.2f wire_s=%.2f ratio=%.3f%s\n", op, baud, params,
        timed.seconds, wire, timed.seconds / wire, timed.code == 0 ? "" : "  (FAILED)");
    std::fflush(stdout);
}

// Makes the drive differ from the backup in `count` writable parameters of the table, none of them
// one that rules other parameters' decimals (those would change what the others mean).
int changeDrive(SimDrive& sim, const Sample& sample, const QJsonObject& backup, int count)
{
    Parameter parameter(config + sample.family.toUpper() + QLatin1Char('/') + sample.version
            + QStringLiteral("/EN/ParamTable.xml"),
        nullptr);
    parameter.load();
    const QStringList ruling { "P0-19", "P0-22", "P7-12", "PD-09", "P2-30", "P3-01", "PF-01" };
    int changed = 0;
    for (const ParamGroupStruct& group : parameter.groups()) {
        for (const ParamAttributeStruct& attribute : group.params) {
            bool ok = false;
            const quint16 address = codeToAddress(group.code, attribute.name, &ok);
            if (changed == count || !ok || attribute.writable.toUInt() == 0 || ruling.contains(attribute.name)
                || backup.value(attribute.name).toString().isEmpty())
                continue;
            const QString hex = QString::number(address, 16);
            const uint value = sim.command(QStringLiteral("get ") + hex).mid(3).toUInt();
            sim.command(QStringLiteral("set %1 %2").arg(hex).arg((value + 1) & 0xFFFF));
            ++changed;
        }
    }
    return changed;
}

void measure(const Sample& sample, int baud, const QString& folder)
{
    SimDrive sim;
    SimDrive::Options options;
    options.family = sample.family;
    options.baud = baud;
    options.stopBits = 2;
    options.parity = QStringLiteral("N");
    options.wireTime = true;
    options.config
        = config + sample.family.toUpper() + QLatin1Char('/') + sample.version + QStringLiteral("/EN");
    if (!sim.start(options)) {
        std::printf("cli baud=%d: the simulated drive did not start\n", baud);
        return;
    }
    const QStringList link { QStringLiteral("--port"), sim.portName(), QStringLiteral("--baud"),
        QString::number(baud), QStringLiteral("--framing"), QStringLiteral("8N2"), QStringLiteral("--family"),
        sample.family, QStringLiteral("--device-version"), sample.version, QStringLiteral("--definitions"),
        QStringLiteral(KESTROVA_SOURCE_DIR "/Driver") };
    const QString file = folder + QStringLiteral("/backup-%1.json").arg(baud);

    sim.clearLog();
    const Timed backup = runTool(QStringList { QStringLiteral("backup"), file } + link);
    QFile saved(file);
    saved.open(QIODevice::ReadOnly);
    const QJsonObject values = QJsonDocument::fromJson(saved.readAll()).object();
    print("backup", baud, values.size() - 1, backup, wireSeconds(sim.log(), baud));

    const int changed = changeDrive(sim, sample, values, changedParameters);
    sim.clearLog();
    const Timed restore = runTool(QStringList { QStringLiteral("restore"), file } + link);
    print("restore", baud, changed, restore, wireSeconds(sim.log(), baud));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const Sample sample = largestSample();
    if (sample.parameters == 0) {
        std::fprintf(stderr, "no sample ParamTable.xml under %s\n", qPrintable(config));
        return 1;
    }
    std::printf("largest sample: %s %s, %d parameters defined; targets: ratio <= 1.10 at 9600, <= 1.25 at "
                "115200\n",
        qPrintable(sample.family), qPrintable(sample.version), sample.parameters);
    std::fflush(stdout);
    for (int baud : { 9600, 115200 })
        measure(sample, baud, work.path());
    return 0;
}
