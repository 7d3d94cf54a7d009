// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter table benchmark: how long the page takes to build for the largest sample ParamTable and
// for a generated 5000-parameter table, and how "Read all pages" against the simulated drive compares
// with what the serial line itself allows.
//
// Wire limit per transaction (one register read): see WireLimit.h. The simulated drive emulates
// the line's time (--wire-time); the pty itself does not pace bytes.

#include "BenchSupport.h"
#include "Global.h"
#include "SimDrive.h"
#include "WireLimit.h"
#include "comm/Communication.h"
#include "definitions/Parameter.h"
#include "pages/paramtable/GUI_ParamTable.h"
#include "pages/paramtable/ParamTableModel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QProgressDialog>
#include <QSerialPort>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QToolButton>

#include <cstdio>
#include <functional>

namespace {

const QString sourceConfig = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/");
constexpr int subsetSize = 100;
constexpr double subsetAboveSeconds = 60.0;

int parameterCount(const QString& path)
{
    Parameter parameter(path, nullptr);
    if (!parameter.load())
        return 0;
    int count = 0;
    for (const ParamGroupStruct& group : parameter.groups())
        count += group.params.size();
    return count;
}

bool install(const QString& family, const QString& version, const QString& paramTable)
{
    const QString folder = QStringLiteral("Driver/Config/%1/%2/EN/").arg(family, version);
    QDir().mkpath(folder);
    QFile::remove(folder + QStringLiteral("ParamTable.xml"));
    return QFile::copy(paramTable, folder + QStringLiteral("ParamTable.xml"));
}

void selectVersion(int family, const QString& version)
{
    Global::instance()->setDevice(family);
    Global::instance()->setLanguage(Global::LANGUAGE_EN);
    Global::instance()->setDeviceVersion(version);
}

QString generatedTable(int parameters)
{
    QString xml;
    QTextStream out(&xml);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ParamTable>\n<Format>";
    for (const char* column : { "", "Code", "Description", "Setting value", "Current value", "Factory value",
             "Min", "Max", "Unit", "Access", "Effect" })
        out << "<Column>" << column << "</Column>";
    out << "</Format>\n";
    const int perGroup = 100;
    for (int group = 0; group * perGroup < parameters; ++group) {
        const QString name = QStringLiteral("G%1").arg(group, 2, 10, QLatin1Char('0'));
        out << "<Group name=\"" << name << "\" description=\"Generated " << group
            << "\" authority=\"0\" code=\"" << QString::number(group + 1, 16).toUpper() << "\">\n";
        for (int i = 0; i < perGroup && group * perGroup + i < parameters; ++i) {
            out << "<Parameter name=\"" << name << "-" << i << "\" description=\"Parameter " << i
                << "\" min=\"0.00\" max=\"100.00\" units=\"V\" default=\"1.00\" writable=\"" << (i % 3)
                << "\" effect=\"" << (i % 3) << "\" format1=\"" << (i % 4 == 0 ? 0 : 2)
                << "\" format2=\"0\">";
            if (i % 4 == 0)
                out << "<Index name=\"0:Off\" value=\"0\"/><Index name=\"1:On\" value=\"1\"/>";
            out << "<ToolTips name=\"Generated parameter " << i << "\"/></Parameter>\n";
        }
        out << "</Group>\n";
    }
    out << "</ParamTable>\n";
    return xml;
}

double buildMs(int family, const QString& version)
{
    selectVersion(family, version);
    QElapsedTimer clock;
    clock.start();
    auto* page = new GUI_ParamTable;
    page->resize(1331, 800);
    page->show();
    QCoreApplication::processEvents();
    const double ms = clock.nsecsElapsed() / 1e6;
    delete page;
    return ms;
}

QAction* menuAction(QWidget* page, const char* button, const QString& text)
{
    auto* tool = page->findChild<QToolButton*>(QLatin1String(button));
    for (QAction* action : tool->menu()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

bool connectDrive(SimDrive& sim, int baud, const QString& config)
{
    SimDrive::Options options;
    options.family = QStringLiteral("servo");
    options.baud = baud;
    options.wireTime = true;
    options.config = config;
    if (!sim.start(options))
        return false;
    const SerialSettings settings = sim.serialSettings();
    Communication* comm = Communication::instance();
    comm->setCommType(Communication::COMM_MODBUS_RTU);
    if (!comm->openDevice(settings))
        return false;
    comm->setServerAddress(quint16(options.slave));
    comm->connectDevice(53, 3);
    return waitUntil([comm]() { return comm->commState() == Communication::COMM_CONNECTED; }, 15000);
}

void disconnectDrive(SimDrive& sim)
{
    Communication* comm = Communication::instance();
    if (comm->commState() != Communication::COMM_DISCONNECT) {
        comm->closeDevice();
        waitUntil([comm]() { return comm->commState() == Communication::COMM_DISCONNECT; }, 10000);
    }
    sim.stop();
}

void readAll(int baud, const QString& version)
{
    selectVersion(Global::DEVICE_SERVO, version);
    SimDrive sim;
    if (!connectDrive(sim, baud, sourceConfig + QStringLiteral("SERVO/") + version + QStringLiteral("/EN"))) {
        std::printf("read_all baud=%d failed to connect\n", baud);
        disconnectDrive(sim);
        return;
    }

    auto* page = new GUI_ParamTable;
    page->setCurrentPage(true);
    page->show();
    QCoreApplication::processEvents();
    ParamTableModel* model = page->model();

    const double wireMs = readOneWireMs(baud);
    int n = model->rowCount();
    QAction* action = menuAction(page, "Btn_Refresh", QStringLiteral("Read all pages"));
    QString scope = QStringLiteral("all");
    // Estimate with a generous factor; a run longer than a minute only repeats what the subset shows.
    if (n * wireMs * 2.0 / 1000.0 > subsetAboveSeconds) {
        n = qMin(subsetSize, n);
        for (int row = 0; row < n; ++row)
            model->setData(model->index(row, ParamTableModel::CheckColumn), Qt::Checked, Qt::CheckStateRole);
        action = menuAction(page, "Btn_Refresh", QStringLiteral("Read only the checked option"));
        scope = QStringLiteral("first%1").arg(n);
    }
    action->trigger();

    QSet<QString> codes;
    for (int row = 0; row < n; ++row)
        codes.insert(model->parameters()->row(row).attribute.name);
    int answers = 0;
    int failures = 0;
    QObject::connect(Communication::instance(), &Communication::resultCallBackEvent, page,
        [&](const QString& tag, const QVector<quint16>& values) {
            if (codes.contains(tag)) {
                ++answers;
                if (values.isEmpty())
                    ++failures;
            }
        });

    QElapsedTimer clock;
    clock.start();
    page->findChild<QAbstractButton*>(QStringLiteral("Btn_Refresh"))->click();
    const bool done = waitUntil([&]() { return answers >= n; }, int(n * wireMs * 20 + 20000));
    const double appMs = clock.nsecsElapsed() / 1e6;
    waitUntil([page]() { return page->findChild<QProgressDialog*>() == nullptr; }, 5000);
    const double dialogMs = clock.nsecsElapsed() / 1e6;

    std::printf(
        "read_all baud=%d n=%d app/wire=%.2f  (%s; app %.0f ms to the last answer, dialog closed at %.0f ms;"
        " wire %.2f ms per transaction, %.0f ms in all; %d failed%s)\n",
        baud, n, appMs / (n * wireMs), qPrintable(scope), appMs, dialogMs, wireMs, n * wireMs, failures,
        done ? "" : "; TIMED OUT");
    std::fflush(stdout);
    delete page;
    disconnectDrive(sim);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path())) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }

    // The largest sample table.
    QString largest;
    int largestCount = 0;
    int largestFamily = Global::DEVICE_SERVO;
    for (const QString& family : { QStringLiteral("SERVO"), QStringLiteral("VFD") }) {
        const QDir dir(sourceConfig + family);
        for (const QString& version : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QString path = dir.filePath(version + QStringLiteral("/EN/ParamTable.xml"));
            const int count = parameterCount(path);
            if (count > largestCount) {
                largestCount = count;
                largest = path;
                largestFamily = family == QLatin1String("VFD") ? Global::DEVICE_VFD : Global::DEVICE_SERVO;
            }
        }
    }
    if (largest.isEmpty()
        || !install(largestFamily == Global::DEVICE_VFD ? "VFD" : "SERVO", "LARGEST", largest)) {
        std::fprintf(stderr, "no sample ParamTable.xml under %s\n", qPrintable(sourceConfig));
        return 1;
    }
    buildMs(largestFamily, QStringLiteral("LARGEST")); // warm-up: fonts, styles, resources
    std::printf("build_ms params=%d ms=%.1f  (%s)\n", largestCount,
        buildMs(largestFamily, QStringLiteral("LARGEST")),
        qPrintable(QDir(sourceConfig).relativeFilePath(largest)));

    {
        QFile file(QStringLiteral("generated.xml"));
        file.open(QIODevice::WriteOnly);
        file.write(generatedTable(5000).toUtf8());
    }
    install(QStringLiteral("SERVO"), QStringLiteral("GENERATED"), QStringLiteral("generated.xml"));
    std::printf("build_ms params=%d ms=%.1f  (generated)\n",
        parameterCount(QStringLiteral("Driver/Config/SERVO/GENERATED/EN/ParamTable.xml")),
        buildMs(Global::DEVICE_SERVO, QStringLiteral("GENERATED")));
    std::fflush(stdout);

    // Read all pages against the simulated servo drive with the largest servo sample.
    QString servoVersion;
    int servoCount = 0;
    const QDir servoDir(sourceConfig + QStringLiteral("SERVO"));
    for (const QString& version : servoDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const int count = parameterCount(servoDir.filePath(version + QStringLiteral("/EN/ParamTable.xml")));
        if (count > servoCount) {
            servoCount = count;
            servoVersion = version;
        }
    }
    install(QStringLiteral("SERVO"), servoVersion,
        servoDir.filePath(servoVersion + QStringLiteral("/EN/ParamTable.xml")));
    for (int baud : { 115200, 9600 })
        readAll(baud, servoVersion);
    return 0;
}
