// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOptions.h"

#include "Global.h"

#include <QHash>
#include <QRegularExpression>

namespace Cli {

namespace {

const int defaultBaud = 9600;
const QList<int> scanBaudRates { 9600, 19200, 38400, 57600, 115200 };
constexpr int firstSlave = 1;
// The connection page offers every address a spin box of one byte allows.
constexpr int lastSlave = 255;
constexpr int lastScanAddress = 247;

const char* const help = R"(Usage: kestrova-cli COMMAND [ARGUMENTS] [OPTIONS]

Commissions servo drives and VFDs over Modbus RTU from a script: backs up, restores and compares
their parameters, reads back every value it writes and keeps a record of what it did.

Commands:
  ports               list the serial ports and whether this account may open them
  scan                look for drives on the port at every baud rate, framing and slave
                      address asked for (Find drive in the window); through a TCP link, at
                      every unit id (slave address) asked for
  info                connect and show what answers and which definitions the drive gets
  get CODE...         read parameters, each shown in its own format
  set CODE=VALUE...   write parameters, then read each one back; a value is typed as the
                      parameter table shows it: decimals (1.5), an enumeration entry by name
                      or number, hexadecimal (0x1F) or binary digits (101)
  backup FILE         save every parameter to a parameter file, as the window exports it
  diff FILE           compare a parameter file with the drive: exit 0 when the drive holds the
                      file's values, 1 when it does not
  restore FILE        write the file's values that differ from the drive's, then read each
                      one back

Connection (as on the connection page):
  --port PORT         serial port: a name (ttyUSB0) or a path (/dev/serial/by-id/...)
  --tcp HOST[:PORT]   Modbus TCP: a gateway to the drive's RS-485 line, or a drive with
                      Ethernet; the slave address is the unit id (PORT default 502)
  --rtu-over-tcp HOST:PORT
                      RTU frames through a TCP connection to a transparent serial device
                      server; its own serial settings apply, not --baud and --framing
  --baud N            baud rate (default 9600)
  --framing F         8N2, 8N1, 8E1 or 8O1 (default 8N2)
  --slave LIST        slave address (default 1), or a list such as 1,2,5-8: the command runs
                      on each drive of the multi-drop bus in turn, one result per drive
  --family servo|vfd  drive family (default: the family the window last used, else servo)
  --device-version V  definitions to use, e.g. KSD-V1.10 (default: the version the drive
                      reports, else the newest of the family)
  --definitions DIR   the Driver folder holding Config/ (default: the installed tool's
                      per-user folder ~/.local/share/kestrova/Driver, else ./Driver)
  --language en|cn    language of the definitions, for names and enumeration entries
                      (default: the language the window last used, else en)

Command options:
  --all               restore: write every parameter of the file, not only those that differ
  --no-verify         set, restore: do not read the written values back
  --report FILE       also write a commissioning record, FILE.json or FILE.html: date, port
                      and framing, slave, family, device version, and each parameter's old
                      value, new value and verified result
  --json              print the results as JSON (the record) instead of a table

Scan (these options take lists there):
  --baud LIST         baud rates to try (default 9600,19200,38400,57600,115200)
  --framing LIST      framings to try (default 8N2,8N1,8E1,8O1)
  --slave A-B         addresses to try (default 1-247)
  --latency MS        extra wait per address for the serial adapter (default: the adapter's
                      latency timer, else 16)

  -h, --help          show this text
  --version           show the tool's version

In a file name, {slave} stands for the slave address: "backup axis{slave}.json --slave 1-4"
writes axis1.json to axis4.json. Without it, diff and restore use the one file for every drive;
backup of several drives needs it.

Results go to standard output; progress (on a terminal only) and diagnostics to standard error.
Nothing is written to a drive when a code, value or file is not usable.

Exit status:
  0    success; diff: the drive holds the file's values
  1    diff: the drive and the file differ
  2    the command line is wrong
  3    a code, value, file or definition folder is not usable; nothing was written
  4    the port is missing, not permitted or held by another program
  5    the drive does not answer, or the link was lost
  6    a written value did not read back as written
  7    the drive refused a request or left it unanswered
  8    the backup or the record could not be written
  130  stopped with Ctrl-C
With several slaves the status is that of the first drive that failed, or 1 when drives only
differ from the file.
)";

enum Scope : unsigned {
    Ports = 1u << int(Command::Ports),
    Scan = 1u << int(Command::Scan),
    Info = 1u << int(Command::Info),
    Get = 1u << int(Command::Get),
    Set = 1u << int(Command::Set),
    Backup = 1u << int(Command::Backup),
    Diff = 1u << int(Command::Diff),
    Restore = 1u << int(Command::Restore),
    Drive = Info | Get | Set | Backup | Diff | Restore,
    Bus = Scan | Drive,
    Every = Ports | Bus,
};

struct OptionSpec
{
    const char* name;
    bool takesValue;
    unsigned scope;
};

const OptionSpec optionSpecs[] = {
    { "port", true, Bus },
    { "tcp", true, Bus },
    { "rtu-over-tcp", true, Bus },
    { "baud", true, Bus },
    { "framing", true, Bus },
    { "slave", true, Bus },
    { "family", true, Bus },
    { "definitions", true, Bus },
    { "device-version", true, Drive },
    { "language", true, Drive },
    { "all", false, Restore },
    { "no-verify", false, Set | Restore },
    { "report", true, Drive },
    { "json", false, Every },
    { "latency", true, Scan },
    { "help", false, Every },
    { "version", false, Every },
};

const QHash<QString, Command>& commandNames()
{
    static const QHash<QString, Command> names { { QStringLiteral("ports"), Command::Ports },
        { QStringLiteral("scan"), Command::Scan }, { QStringLiteral("info"), Command::Info },
        { QStringLiteral("get"), Command::Get }, { QStringLiteral("set"), Command::Set },
        { QStringLiteral("backup"), Command::Backup }, { QStringLiteral("diff"), Command::Diff },
        { QStringLiteral("restore"), Command::Restore } };
    return names;
}

const OptionSpec* findOption(const QString& name)
{
    for (const OptionSpec& spec : optionSpecs) {
        if (name == QLatin1String(spec.name))
            return &spec;
    }
    return nullptr;
}

QStringList listWords(const QString& value)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    return value.split(separators, Qt::SkipEmptyParts);
}

bool parseInt(const QString& text, int lowest, int highest, int* value)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || number < lowest || number > highest)
        return false;
    *value = number;
    return true;
}

// "1,2,5-8": addresses in the order given, each once.
bool parseSlaves(const QString& value, QList<int>* slaves, QString* error)
{
    slaves->clear();
    const QStringList words = listWords(value);
    for (const QString& word : words) {
        const QStringList ends = word.split(QLatin1Char('-'));
        int first = 0;
        int last = 0;
        if (ends.size() > 2 || !parseInt(ends.first(), firstSlave, lastSlave, &first)
            || !parseInt(ends.last(), firstSlave, lastSlave, &last) || last < first) {
            *error = QStringLiteral("--slave: \"%1\" is no slave address or range of them (%2 to %3)")
                         .arg(word)
                         .arg(firstSlave)
                         .arg(lastSlave);
            return false;
        }
        for (int slave = first; slave <= last; ++slave) {
            if (!slaves->contains(slave))
                slaves->append(slave);
        }
    }
    if (slaves->isEmpty()) {
        *error = QStringLiteral("--slave needs an address");
        return false;
    }
    return true;
}

bool parseFramings(const QString& value, QList<ScanFraming>* framings, QString* error)
{
    framings->clear();
    const QStringList words = listWords(value);
    for (const QString& word : words) {
        ScanFraming framing;
        if (!ScanFraming::fromName(word, &framing)) {
            *error = QStringLiteral("--framing: \"%1\" is none of 8N2, 8N1, 8E1, 8O1").arg(word);
            return false;
        }
        if (!framings->contains(framing))
            framings->append(framing);
    }
    if (framings->isEmpty()) {
        *error = QStringLiteral("--framing needs a framing");
        return false;
    }
    return true;
}

class Parser
{
public:
    Parser(Options* options, QString* error)
        : o(options)
        , error(error)
    {
    }

    Parsed run(const QStringList& arguments);

private:
    bool take(const OptionSpec& spec, const QString& value);
    bool checkScopes();
    bool checkArguments();
    bool fail(const QString& text)
    {
        *error = text;
        return false;
    }
    Parsed refuse(const QString& text)
    {
        *error = text;
        return Parsed::Error;
    }

    Options* o;
    QString* error;
    bool commandSeen = false;
    QList<const OptionSpec*> given;
    QString baudText;
    QString framingText;
    QString slaveText;
};

Parsed Parser::run(const QStringList& arguments)
{
    o->commandLine = arguments;
    bool wantsHelp = false;
    bool wantsVersion = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        if (word == QLatin1String("-h"))
            return Parsed::Help;
        if (!word.startsWith(QLatin1String("--")) || word == QLatin1String("--")) {
            if (!commandSeen) {
                if (!commandNames().contains(word))
                    return refuse(QStringLiteral("unknown command \"%1\"").arg(word));
                o->command = commandNames().value(word);
                commandSeen = true;
            } else {
                o->arguments.append(word);
            }
            continue;
        }
        const int eq = word.indexOf(QLatin1Char('='));
        const QString name = word.mid(2, eq < 0 ? -1 : eq - 2);
        const OptionSpec* spec = findOption(name);
        if (!spec)
            return refuse(QStringLiteral("unknown option --%1").arg(name));
        QString value;
        if (spec->takesValue) {
            if (eq >= 0) {
                value = word.mid(eq + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments.at(++i);
            } else {
                return refuse(QStringLiteral("--%1 needs a value").arg(name));
            }
        } else if (eq >= 0) {
            return refuse(QStringLiteral("--%1 takes no value").arg(name));
        }
        wantsHelp = wantsHelp || name == QLatin1String("help");
        wantsVersion = wantsVersion || name == QLatin1String("version");
        given.append(spec);
        if (!take(*spec, value))
            return Parsed::Error;
    }
    if (wantsHelp)
        return Parsed::Help;
    if (wantsVersion)
        return Parsed::Version;
    if (!commandSeen)
        return refuse(QStringLiteral("no command given"));
    return checkScopes() && checkArguments() ? Parsed::Run : Parsed::Error;
}

bool Parser::take(const OptionSpec& spec, const QString& value)
{
    const QString name = QLatin1String(spec.name);
    if (name == QLatin1String("port")) {
        if (o->transport != BusLink::Serial)
            return fail(QStringLiteral("--port, --tcp and --rtu-over-tcp name one link: give one of them"));
        o->port = value.trimmed();
        return !o->port.isEmpty() || fail(QStringLiteral("--port needs a port"));
    }
    if (name == QLatin1String("tcp") || name == QLatin1String("rtu-over-tcp")) {
        const bool modbusTcp = name == QLatin1String("tcp");
        if (!o->port.isEmpty())
            return fail(QStringLiteral("--port, --tcp and --rtu-over-tcp name one link: give one of them"));
        if (!BusLink::parseHostAndPort(value, !modbusTcp, &o->host, &o->tcpPort))
            return fail(modbusTcp
                    ? QStringLiteral("--tcp takes HOST or HOST:PORT (port 1 to 65535), not \"%1\"").arg(value)
                    : QStringLiteral("--rtu-over-tcp takes HOST:PORT (port 1 to 65535), not \"%1\"")
                          .arg(value));
        o->transport = modbusTcp ? BusLink::ModbusTcp : BusLink::RtuOverTcp;
        o->port = BusLink::hostAndPort(o->host, o->tcpPort);
        return true;
    }
    if (name == QLatin1String("baud"))
        baudText = value;
    else if (name == QLatin1String("framing"))
        framingText = value;
    else if (name == QLatin1String("slave"))
        slaveText = value;
    else if (name == QLatin1String("family")) {
        if (value == QLatin1String("servo"))
            o->family = Global::DEVICE_SERVO;
        else if (value == QLatin1String("vfd"))
            o->family = Global::DEVICE_VFD;
        else
            return fail(QStringLiteral("--family is servo or vfd, not \"%1\"").arg(value));
    } else if (name == QLatin1String("language")) {
        if (value.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0)
            o->language = Global::LANGUAGE_EN;
        else if (value.compare(QLatin1String("cn"), Qt::CaseInsensitive) == 0)
            o->language = Global::LANGUAGE_CN;
        else
            return fail(QStringLiteral("--language is en or cn, not \"%1\"").arg(value));
    } else if (name == QLatin1String("device-version")) {
        o->deviceVersion = value.trimmed();
    } else if (name == QLatin1String("definitions")) {
        o->definitions = value;
    } else if (name == QLatin1String("report")) {
        o->report = value;
        const QString lower = value.toLower();
        if (!lower.endsWith(QLatin1String(".json")) && !lower.endsWith(QLatin1String(".html"))
            && !lower.endsWith(QLatin1String(".htm")))
            return fail(
                QStringLiteral("--report: the record is FILE.json or FILE.html, not \"%1\"").arg(value));
    } else if (name == QLatin1String("latency")) {
        if (!parseInt(value, 0, 1000, &o->latencyMs))
            return fail(
                QStringLiteral("--latency: \"%1\" is no number of milliseconds (0 to 1000)").arg(value));
    } else if (name == QLatin1String("json")) {
        o->json = true;
    } else if (name == QLatin1String("all")) {
        o->all = true;
    } else if (name == QLatin1String("no-verify")) {
        o->verify = false;
    }
    return true;
}

bool Parser::checkScopes()
{
    const unsigned own = 1u << int(o->command);
    for (const OptionSpec* spec : qAsConst(given)) {
        if (!(spec->scope & own))
            return fail(
                QStringLiteral("%1 takes no --%2").arg(commandName(o->command), QLatin1String(spec->name)));
    }
    if (o->command != Command::Ports && o->port.isEmpty())
        return fail(QStringLiteral("%1 needs --port, --tcp or --rtu-over-tcp").arg(commandName(o->command)));
    if (o->transport != BusLink::Serial && (!baudText.isEmpty() || !framingText.isEmpty()))
        return fail(QStringLiteral("--baud and --framing are for a serial port; a TCP link has none"));
    if (o->transport != BusLink::Serial && o->latencyMs >= 0)
        return fail(QStringLiteral("--latency is for a serial adapter; a TCP link has none"));

    const bool scan = o->command == Command::Scan;
    QString badWord;
    if (baudText.isEmpty()) {
        o->baudRates = scan ? scanBaudRates : QList<int> { defaultBaud };
    } else if (!ScanPlan::parseBaudRates(baudText, &o->baudRates, &badWord)) {
        return fail(QStringLiteral("--baud: \"%1\" is no baud rate").arg(badWord));
    } else if (o->baudRates.isEmpty() || (!scan && o->baudRates.size() > 1)) {
        return fail(QStringLiteral("--baud takes one baud rate (a list only for scan)"));
    }

    if (framingText.isEmpty())
        o->framings = scan ? ScanFraming::standard() : ScanFraming::standard().mid(0, 1);
    else if (!parseFramings(framingText, &o->framings, error))
        return false;
    else if (!scan && o->framings.size() > 1)
        return fail(QStringLiteral("--framing takes one framing (a list only for scan)"));

    if (slaveText.isEmpty())
        o->slaves = scan ? QList<int> { firstSlave, lastScanAddress } : QList<int> { firstSlave };
    else if (!parseSlaves(slaveText, &o->slaves, error))
        return false;
    else if (scan && listWords(slaveText).size() != 1)
        return fail(QStringLiteral("--slave: scan takes one range of addresses, such as 1-247"));
    // The scan tries a range: its ends.
    if (scan)
        o->slaves = { o->slaves.first(), o->slaves.last() };
    return true;
}

bool Parser::checkArguments()
{
    const QString name = commandName(o->command);
    switch (o->command) {
    case Command::Ports:
    case Command::Scan:
    case Command::Info:
        if (!o->arguments.isEmpty())
            return fail(QStringLiteral("%1 takes no arguments, not \"%2\"").arg(name, o->arguments.first()));
        return true;
    case Command::Get:
        return !o->arguments.isEmpty()
            || fail(QStringLiteral("get needs the codes of the parameters to read"));
    case Command::Set:
        if (o->arguments.isEmpty())
            return fail(QStringLiteral("set needs CODE=VALUE for each parameter to write"));
        for (const QString& word : qAsConst(o->arguments)) {
            const int eq = word.indexOf(QLatin1Char('='));
            if (eq <= 0)
                return fail(QStringLiteral("set: \"%1\" is not CODE=VALUE").arg(word));
        }
        return true;
    case Command::Backup:
    case Command::Diff:
    case Command::Restore:
        if (o->arguments.size() != 1)
            return fail(QStringLiteral("%1 needs one FILE").arg(name));
        if (o->command == Command::Backup && o->slaves.size() > 1
            && !o->arguments.first().contains(QLatin1String("{slave}")))
            return fail(QStringLiteral("backup of several drives needs {slave} in the file name, "
                                       "such as axis{slave}.json"));
        return true;
    }
    return true;
}

} // namespace

QString statusText(int code)
{
    switch (code) {
    case ExitOk:
        return QStringLiteral("ok");
    case ExitDifferent:
        return QStringLiteral("different");
    case ExitUsage:
        return QStringLiteral("usage");
    case ExitInput:
        return QStringLiteral("invalid input");
    case ExitPort:
        return QStringLiteral("port not usable");
    case ExitNoAnswer:
        return QStringLiteral("no answer");
    case ExitNotVerified:
        return QStringLiteral("verification failed");
    case ExitRequestFailed:
        return QStringLiteral("request failed");
    case ExitFileNotWritten:
        return QStringLiteral("file not written");
    case ExitInterrupted:
        return QStringLiteral("interrupted");
    default:
        return QString::number(code);
    }
}

QString commandName(Command command)
{
    return commandNames().key(command);
}

QString Options::fileFor(int slave) const
{
    return arguments.value(0).replace(QLatin1String("{slave}"), QString::number(slave));
}

QList<QPair<QString, QString>> Options::assignments() const
{
    QList<QPair<QString, QString>> pairs;
    for (const QString& word : arguments) {
        const int eq = word.indexOf(QLatin1Char('='));
        pairs.append({ word.left(eq).trimmed(), word.mid(eq + 1) });
    }
    return pairs;
}

Parsed parse(const QStringList& arguments, Options* options, QString* error)
{
    *options = Options();
    return Parser(options, error).run(arguments);
}

QString helpText()
{
    return QString::fromUtf8(help);
}

QString versionText()
{
    return QStringLiteral("kestrova-cli " KESTROVA_VERSION);
}

} // namespace Cli
