// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalAnswer.h"
#include "UiTestSupport.h"
#include "app/startup/Startup.h"
#include "pages/scope/CurveFile.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_Scope.h"
#include "pages/scope/LodGraph.h"
#include "pages/scope/ScopePlotWidget.h"

#include "FileSizeLimit.h"
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QToolButton>

#include <QtTest>

#include <cmath>
#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

using Curve = QVector<QPointF>;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray gbk(const QString& text)
{
    return QTextCodec::codecForName("GBK")->fromUnicode(text);
}

// What a file dialog was opened with, and the answer given to it.
struct DialogSeen
{
    bool shown = false;
    QString title;
    QString folder;
    QStringList filters;
};

void answerFileDialog(DialogSeen* seen, const QString& answer, int timeoutMs = 10000)
{
    ModalAnswer::handleNext(
        [seen, answer](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog) {
                w->close();
                return;
            }
            seen->shown = true;
            seen->title = dialog->windowTitle();
            seen->folder = dialog->directory().absolutePath();
            seen->filters = dialog->nameFilters();
            if (answer.isEmpty()) {
                dialog->reject();
            } else {
                // As a user does it: the name typed in, then the dialog's own accept button.
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                if (name && buttons) {
                    name->setText(answer);
                    QAbstractButton* ok = buttons->button(QDialogButtonBox::Save);
                    if (!ok)
                        ok = buttons->button(QDialogButtonBox::Open);
                    if (ok)
                        ok->click();
                }
                if (dialog->isVisible()) {
                    qWarning("file dialog did not take %s", qPrintable(answer));
                    dialog->reject();
                }
            }
        },
        timeoutMs);
}

} // namespace

class TestCurveFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;
    std::unique_ptr<ScopePlotWidget> widget;
    std::unique_ptr<CustomPlot> plot;

    QString file(const QString& name) const { return home.filePath(name); }

    // Channels with points drawn straight into their graphs; adding a channel rebuilds the graphs
    // from the recording, so all channels come first.
    void addCurves(const QStringList& names, const QList<Curve>& curves)
    {
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(plot->addChannel(i, names.at(i), QPen(Qt::darkGreen)));
        for (int i = 0; i < names.size(); ++i) {
            for (const QPointF& p : curves.at(i))
                plot->channel(i).graph->appendPoint(p.x(), p.y());
        }
    }

    QList<Curve> shownCurves() const
    {
        QList<Curve> curves;
        for (int i = 0; i < widget->graphCount(); ++i) {
            Curve curve;
            for (auto it = widget->graph(i)->data()->constBegin(); it != widget->graph(i)->data()->constEnd();
                 ++it)
                curve.append(QPointF(it->key, it->value));
            curves.append(curve);
        }
        return curves;
    }

    QStringList shownNames() const
    {
        QStringList names;
        for (int i = 0; i < widget->graphCount(); ++i)
            names.append(widget->graph(i)->name());
        return names;
    }

    // Imports `text` (UTF-8 for the test's readability, GBK in the file).
    bool importText(const QString& text)
    {
        const QString path = file(QStringLiteral("in.csv"));
        return writeAll(path, gbk(text)) && plot->importCsv(path);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        // The desktop and pictures folders come from here; the user's own stay untouched.
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Desktop")));
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
        Startup::initResources();
    }

    void init()
    {
        widget.reset(new ScopePlotWidget);
        widget->resize(800, 500);
        plot.reset(new CustomPlot(widget.get()));
        plot->init(1);
    }

    void cleanup()
    {
        plot.reset();
        widget.reset();
    }

    void fieldsQuotedOnlyWhenNeeded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Speed"
                               << "Speed";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("chinese") << QStringLiteral("速度") << QStringLiteral("速度");
        QTest::newRow("comma") << "Speed, rpm"
                               << "\"Speed, rpm\"";
        QTest::newRow("quote") << "12\" disc"
                               << "\"12\"\" disc\"";
        QTest::newRow("line break") << "a\nb"
                                    << "\"a\nb\"";
    }

    void fieldsQuotedOnlyWhenNeeded()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(csvField(text), field);
    }

    void emptyPathOrListWritesNothing_data()
    {
        QTest::addColumn<bool>("emptyPath");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty path") << true << QStringList { "ax,ay" };
        QTest::newRow("no lines") << false << QStringList();
    }

    void emptyPathOrListWritesNothing()
    {
        QFETCH(bool, emptyPath);
        QFETCH(QStringList, lines);
        const QString path = file(QStringLiteral("untouched.csv"));
        QVERIFY(writeAll(path, "old"));
        QVERIFY(!writeCsvLines(emptyPath ? QString() : path, lines));
        QCOMPARE(readAll(path), QByteArray("old"));
    }

    void readsEitherLineEndAndKeepsEmptyFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<int>("fieldCount");
        const QList<QStringList> rows { { "ax", "ay", "bx", "by" }, { "1", "2", "", "" }, { "" },
            { "3", "4" } };
        QTest::newRow("LF") << QByteArray("ax,ay,bx,by\n1,2,,\n\n3,4\n") << rows << 4;
        QTest::newRow("CR LF") << QByteArray("ax,ay,bx,by\r\n1,2,,\r\n\r\n3,4\r\n") << rows << 4;
        QTest::newRow("no final line end") << QByteArray("ax,ay,bx,by\n1,2,,\n\n3,4") << rows << 4;
        QTest::newRow("empty file") << QByteArray() << QList<QStringList>() << 0;
        QTest::newRow("quoted fields")
            << QByteArray("\"a,1\"x,\"say \"\"hi\"\"\"y,\"two\nlines\"\r\n1,2,3\n")
            << QList<QStringList> { { "a,1x", "say \"hi\"y", "two\nlines" }, { "1", "2", "3" } } << 3;
        QTest::newRow("quote inside a plain field")
            << QByteArray("a\"b,c\n") << QList<QStringList> { { "a\"b", "c" } } << 2;
    }

    void readsEitherLineEndAndKeepsEmptyFields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QStringList>, rows);
        QFETCH(int, fieldCount);
        const QString path = file(QStringLiteral("rows.csv"));
        QVERIFY(writeAll(path, bytes));
        QList<QStringList> read { { "stale" } };
        int count = -1;
        QVERIFY(readCsvLines(path, read, count));
        QCOMPARE(read, rows);
        QCOMPARE(count, fieldCount);
    }

    void unreadableFilesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.csv";
        QTest::newRow("a folder") << "folder.csv";
        QTest::newRow("over the size limit") << "huge.csv";
        QTest::newRow("binary") << "picture.csv";
        QTest::newRow("one endless line") << "endless.csv";
        QTest::newRow("empty path") << "";
    }

    void unreadableFilesAreRefused()
    {
        QFETCH(QString, name);
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("folder.csv")));
        {
            // Sparse: no disk space, yet bigger than any curve file may be.
            QFile huge(file(QStringLiteral("huge.csv")));
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.write("ax,ay\n1,2\n") > 0);
            QVERIFY(huge.resize(maxCurveFileBytes + 1));
        }
        QVERIFY(
            writeAll(file(QStringLiteral("picture.csv")), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
        QVERIFY(writeAll(file(QStringLiteral("endless.csv")), QByteArray(200 * 1024, '7')));

        const QString path = name.isEmpty() ? QString() : file(name);
        QList<QStringList> rows;
        int count = -1;
        QVERIFY(!readCsvLines(path, rows, count));
        QVERIFY(rows.isEmpty());

        // The plot keeps what it showed.
        addCurves({ QStringLiteral("Speed") }, { { { 0.03, 1 } } });
        QVERIFY(!plot->importCsv(path));
        QVERIFY(!plot->isImportedMode());
        QCOMPARE(shownNames(), QStringList { "Speed" });
    }

    void exportWithoutGraphWritesNothing()
    {
        const QString path = file(QStringLiteral("nothing.csv"));
        QCOMPARE(plot->exportCsv(path), 0);
        QVERIFY(!QFile::exists(path));
    }

    void exportedText_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<Curve>>("curves");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("one curve of three points")
            << QStringList { "Speed" } << QList<Curve> { { { 0.03, 12.5 }, { 0.06, 12.6 }, { 0.09, 12.7 } } }
            << QByteArray("Speedx,Speedy\n0.03,12.5\n0.06,12.6\n0.09,12.7\n");
        QTest::newRow("unequal lengths")
            << QStringList { "Speed", "Current" }
            << QList<Curve> { { { 0.03, 12.5 }, { 0.06, 12.6 }, { 0.09, 12.7 } },
                   { { 0.03, 0.2 }, { 0.06, 0.25 } } }
            << QByteArray(
                   "Speedx,Speedy,Currentx,Currenty\n0.03,12.5,0.03,0.2\n0.06,12.6,0.06,0.25\n0.09,12.7,,\n");
        QTest::newRow("shorter curve first")
            << QStringList { "a", "b" } << QList<Curve> { { { 1, 2 } }, { { 1, 3 }, { 2, 4 } } }
            << QByteArray("ax,ay,bx,by\n1,2,1,3\n,,2,4\n");
        QTest::newRow("a curve without points")
            << QStringList { "a", "b" } << QList<Curve> { {}, { { 1, 3 } } }
            << QByteArray("ax,ay,bx,by\n,,1,3\n");
        // Numbers that six significant digits ('g') give exactly are written as they always were.
        QTest::newRow("six digits where they are exact")
            << QStringList { "t" }
            << QList<Curve> { { { 0.01, 12.34 }, { 3600.5, -0.000123 }, { 1e-7, 123456 } } }
            << QByteArray("tx,ty\n1e-07,123456\n0.01,12.34\n3600.5,-0.000123\n");
        // Others get the fewest digits that give them back: every millisecond of a long recording,
        // every unit of a 32-bit count.
        QTest::newRow("more digits where six would lose")
            << QStringList { "t" }
            << QList<Curve> { { { 1234.5678, -0.000123456789 }, { 10000.001, 4294967295.0 },
                   { 10000.002, 1e-7 } } }
            << QByteArray("tx,ty\n1234.5678,-0.000123456789\n10000.001,4294967295\n10000.002,1e-07\n");
        // A sample that could not be read has its time and no value.
        QTest::newRow("a gap") << QStringList { "t" } << QList<Curve> { { { 0.03, 1 }, { 0.06, qQNaN() } } }
                               << QByteArray("tx,ty\n0.03,1\n0.06,\n");
        QTest::newRow("keys in ascending order")
            << QStringList { "t" } << QList<Curve> { { { 3, 30 }, { 1, 10 }, { 2, 20 } } }
            << QByteArray("tx,ty\n1,10\n2,20\n3,30\n");
        QTest::newRow("names with commas and quotes")
            << QStringList { "Speed, rpm", "Torque \"%\"" } << QList<Curve> { { { 1, 2 } }, { { 1, 3 } } }
            << QByteArray(
                   "\"Speed, rpmx\",\"Speed, rpmy\",\"Torque \"\"%\"\"x\",\"Torque \"\"%\"\"y\"\n1,2,1,3\n");
    }

    void exportedText()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<Curve>, curves);
        QFETCH(QByteArray, text);
        addCurves(names, curves);
        const QString path = file(QStringLiteral("out.csv"));
        QCOMPARE(plot->exportCsv(path), 1);
        QCOMPARE(readAll(path), text);
        for (const QByteArray& line : text.split('\n')) {
            if (!line.isEmpty() && !line.contains('"'))
                QCOMPARE(line.count(','), 2 * names.size() - 1);
        }
    }

    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("plain names") << QStringList { "Speed", "Current", "Torque" };
        QTest::newRow("chinese names")
            << QStringList { QStringLiteral("电机转速"), QStringLiteral("母线电压") };
        QTest::newRow("names with commas and quotes") << QStringList { "Speed, rpm", "say \"x\"", ",", "\"" };
        QTest::newRow("empty name") << QStringList { "" };
    }

    void roundTrip()
    {
        QFETCH(QStringList, names);
        QList<Curve> curves;
        for (int c = 0; c < names.size(); ++c) {
            Curve curve;
            for (int i = 0; i < 50 + 7 * c; ++i)
                curve.append(QPointF(0.03 * (i + 1), std::sin(i * 0.3 + c) * 1000.0 / (c + 1)));
            curves.append(curve);
        }
        addCurves(names, curves);
        const QString path = file(QStringLiteral("roundtrip.csv"));
        QCOMPARE(plot->exportCsv(path), 1);
        if (names.first() == QStringLiteral("电机转速"))
            QVERIFY(readAll(path).startsWith(gbk(QStringLiteral("电机转速x,电机转速y,"))));

        QVERIFY(plot->removeChannel(0)); // the import must replace, not add to, what is shown
        QVERIFY(plot->importCsv(path));
        QVERIFY(plot->isImportedMode());
        QCOMPARE(shownNames(), names);
        const QList<Curve> shown = shownCurves();
        QCOMPARE(shown.size(), curves.size());
        const QList<QColor> defaults { "#ff0000", "#0000ff", "#000000", "#90c766", "#f278cf", "#7160e8" };
        for (int c = 0; c < curves.size(); ++c) {
            QCOMPARE(widget->graph(c)->pen().color(), defaults.at(c));
            QCOMPARE(shown.at(c).size(), curves.at(c).size());
            // Every number reads back as the very double it was.
            for (int i = 0; i < curves.at(c).size(); ++i) {
                QCOMPARE(shown.at(c).at(i).x(), curves.at(c).at(i).x());
                QCOMPARE(shown.at(c).at(i).y(), curves.at(c).at(i).y());
            }
        }
    }

    void importedCurves_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<Curve>>("curves");
        QTest::newRow("one-character header") << "x,y\n1,2\n"
                                              << QStringList { "" } << QList<Curve> { { { 1, 2 } } };
        QTest::newRow("five header fields")
            << "ax,ay,bx,by,cx\n1,2,3,4,5\n"
            << QStringList { "a", "b" } << QList<Curve> { { { 1, 2 } }, { { 3, 4 } } };
        QTest::newRow("non-numeric fields skipped per curve")
            << "ax,ay,bx,by\n1,2,3,4\n2,oops,5,6\n,,7,8\n3,4,,\n4,5,nan,1\n5,6,inf,2\n6,7\n"
            << QStringList { "a", "b" }
            << QList<Curve> { { { 1, 2 }, { 3, 4 }, { 4, 5 }, { 5, 6 }, { 6, 7 } },
                   { { 3, 4 }, { 5, 6 }, { 7, 8 } } };
        QTest::newRow("empty header skips its pair")
            << "ax,ay,,,cx,cy\n1,2,3,4,5,6\n"
            << QStringList { "a", "c" } << QList<Curve> { { { 1, 2 } }, { { 5, 6 } } };
        QTest::newRow("fewer than two header fields") << "ax\n1\n" << QStringList() << QList<Curve>();
        QTest::newRow("header only") << "ax,ay\n" << QStringList { "a" } << QList<Curve> { {} };
        QTest::newRow("keys out of order")
            << "ax,ay\n3,30\n1,10\n2,20\n"
            << QStringList { "a" } << QList<Curve> { { { 1, 10 }, { 2, 20 }, { 3, 30 } } };
        QTest::newRow("CR LF and blanks") << "ax,ay\r\n 1 , 2 \r\n"
                                          << QStringList { "a" } << QList<Curve> { { { 1, 2 } } };
        QTest::newRow("chinese names")
            << QStringLiteral("电流x,电流y\n1,2\n") << QStringList { QStringLiteral("电流") }
            << QList<Curve> { { { 1, 2 } } };
    }

    void importedCurves()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QFETCH(QList<Curve>, curves);
        addCurves({ QStringLiteral("live") }, { { { 0.03, 1 } } });
        QVERIFY(importText(text));
        QVERIFY(plot->isImportedMode());
        QCOMPARE(shownNames(), names);
        QCOMPARE(shownCurves(), curves);
    }

    // A time with an empty value is a gap in the curve; a row without a time is no point.
    void importedGaps()
    {
        QVERIFY(importText("ax,ay,bx,by\n1,2,1,5\n2,,,\n3,4,3,6\n"));
        const QSharedPointer<QCPGraphDataContainer> a = widget->graph(0)->data();
        QCOMPARE(a->size(), 3);
        QCOMPARE((a->constBegin() + 1)->key, 2.0);
        QVERIFY(std::isnan((a->constBegin() + 1)->value));
        QCOMPARE(widget->graph(1)->data()->size(), 2);
    }

    // The colour follows the column pair: an empty header uses up its colour, and a seventh pair
    // has no default colour.
    void importedColours()
    {
        QString header;
        QString row;
        for (int q = 0; q < 8; ++q) {
            header += QStringLiteral("%1c%2x,c%2y").arg(q ? "," : "").arg(q);
            row += QStringLiteral("%1%2,%2").arg(q ? "," : "").arg(q);
        }
        header.replace(QStringLiteral("c1x"), QString());
        QVERIFY(importText(header + '\n' + row + '\n'));
        QCOMPARE(widget->graphCount(), 7);
        const QStringList colours { "#ff0000", "#000000", "#90c766", "#f278cf", "#7160e8" };
        for (int i = 0; i < colours.size(); ++i)
            QCOMPARE(widget->graph(i)->pen().color(), QColor(colours.at(i)));
        QVERIFY(!widget->graph(5)->pen().color().isValid());
        QVERIFY(!widget->graph(6)->pen().color().isValid());
        QCOMPARE(widget->graph(6)->name(), QStringLiteral("c7"));
    }

    void importedCurvesGoToChartsInOrder()
    {
        plot->setAxisRectCount(2);
        QVERIFY(importText("ax,ay,bx,by,cx,cy\n1,2,3,4,5,6\n"));
        QCOMPARE(widget->graph(0)->keyAxis()->axisRect(), plot->chart(0));
        QCOMPARE(widget->graph(1)->keyAxis()->axisRect(), plot->chart(1));
        QCOMPARE(widget->graph(2)->keyAxis()->axisRect(), plot->chart(0));
    }

    // The locale's encoding is UTF-8 here; ".csv" alone (case-sensitive) selects GBK.
    void encodingFollowsTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("gbk");
        QTest::newRow(".csv") << "curves.csv" << true;
        QTest::newRow(".txt") << "curves.txt" << false;
        QTest::newRow(".CSV") << "curves.CSV" << false;
        QTest::newRow("no suffix") << "curves" << false;
    }

    void encodingFollowsTheName()
    {
        QFETCH(QString, name);
        QFETCH(bool, gbk);
        const QString speed = QStringLiteral("速度");
        addCurves({ speed }, { { { 1, 2 } } });
        const QString path = file(name);
        QCOMPARE(plot->exportCsv(path), 1);
        const QString text = QStringLiteral("速度x,速度y\n1,2\n");
        QCOMPARE(readAll(path), gbk ? ::gbk(text) : text.toUtf8());
        QVERIFY(plot->importCsv(path));
        QCOMPARE(shownNames(), QStringList { speed });

        // The same bytes under the other kind of name decode differently.
        const QString other = file(gbk ? QStringLiteral("other.txt") : QStringLiteral("other.csv"));
        QVERIFY(writeAll(other, readAll(path)));
        QVERIFY(plot->importCsv(other));
        QVERIFY(shownNames() != QStringList { speed });
    }

    void failedExportKeepsTheEarlierFile_data()
    {
        QTest::addColumn<bool>("folderGone");
        QTest::newRow("file size limit") << false;
        QTest::newRow("folder gone") << true;
    }

    void failedExportKeepsTheEarlierFile()
    {
        QFETCH(bool, folderGone);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("curves.csv"));
        const QByteArray old("ax,ay\n1,2\n");
        QVERIFY(writeAll(path, old));
        Curve curve;
        for (int i = 0; i < 2000; ++i)
            curve.append(QPointF(i * 0.03, i));
        addCurves({ QStringLiteral("Speed") }, { curve });

        int result = 0;
        if (folderGone) {
            QVERIFY(QDir(dir.path()).removeRecursively());
            result = plot->exportCsv(path);
        } else {
            FileSizeLimit limit(4096);
            QVERIFY(limit.isActive());
            result = plot->exportCsv(path);
        }
        QCOMPARE(result, -1);
        if (folderGone) {
            QVERIFY(!QFile::exists(path));
        } else {
            QCOMPARE(readAll(path), old);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "curves.csv" });
        }
    }

    // The page's buttons, with the real file dialogs.
    void pageExportAndImport()
    {
        GUI_Scope page;
        page.resize(1109, 811);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QSignalSpy messages(&page, &WidgetBase::sig_showMessageBox);
        auto* exportButton = page.findChild<QToolButton*>(QStringLiteral("Btn_Export"));
        auto* importButton = page.findChild<QToolButton*>(QStringLiteral("Btn_Import"));
        const QString desktop = home.filePath(QStringLiteral("Desktop"));

        // Nothing on the plot: no file, no message.
        DialogSeen seen;
        answerFileDialog(&seen, file(QStringLiteral("empty.csv")));
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("Export curves"));
        QCOMPARE(seen.folder, desktop);
        QCOMPARE(seen.filters, QStringList { "csv File(*.csv)" });
        QVERIFY(!QFile::exists(file(QStringLiteral("empty.csv"))));
        QCOMPARE(messages.size(), 0);

        QVERIFY(page.plot()->addChannel(0, QStringLiteral("Speed"), QPen(Qt::red)));
        page.plot()->channel(0).graph->appendPoint(0.03, 12.5);

        // Cancelled: nothing.
        seen = DialogSeen();
        answerFileDialog(&seen, QString());
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QVERIFY(seen.shown);
        QCOMPARE(messages.size(), 0);

        const QString path = file(QStringLiteral("page.csv"));
        answerFileDialog(&seen, path);
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.last().at(0).toString(), QStringLiteral("Export successful"));
        QCOMPARE(readAll(path), QByteArray("Speedx,Speedy\n0.03,12.5\n"));

        answerFileDialog(&seen, home.filePath(QStringLiteral("gone/page.csv")));
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.last().at(0).toString(), QStringLiteral("Export failed"));

        // While running both buttons do nothing; no dialog opens.
        QVERIFY(page.plot()->start());
        for (QToolButton* button : { exportButton, importButton }) {
            seen = DialogSeen();
            answerFileDialog(&seen, QString(), 300);
            QTest::mouseClick(button, Qt::LeftButton);
            QTest::qWait(400);
            QVERIFY(!seen.shown);
        }
        page.plot()->stop();
        QCOMPARE(messages.size(), 2);

        QVERIFY(writeAll(file(QStringLiteral("two.csv")), "ax,ay,bx,by\n1,2,3,4\n"));
        seen = DialogSeen();
        answerFileDialog(&seen, file(QStringLiteral("two.csv")));
        QTest::mouseClick(importButton, Qt::LeftButton);
        QCOMPARE(seen.title, QStringLiteral("Import curves"));
        QCOMPARE(seen.folder, desktop);
        QCOMPARE(seen.filters, QStringList { "csv File(*.csv)" });
        QCOMPARE(messages.size(), 2); // success says nothing; the plot shows it
        QVERIFY(page.plot()->isImportedMode());
        QCOMPARE(page.plot()->widget()->graphCount(), 2);

        QVERIFY(writeAll(file(QStringLiteral("binary.csv")), QByteArray("ax,ay\n\0\0\x01", 9)));
        answerFileDialog(&seen, file(QStringLiteral("binary.csv")));
        QTest::mouseClick(importButton, Qt::LeftButton);
        QCOMPARE(messages.size(), 3);
        QCOMPARE(messages.last().at(0).toString(), QStringLiteral("Import failed"));
        QCOMPARE(page.plot()->widget()->graphCount(), 2);
    }

    void pageScreenshot()
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Screenshot");
        // The test binary's folder is the application folder here; an interrupted run may have left one.
        QDir(folder).removeRecursively();
        QFile::remove(folder);
        GUI_Scope page;
        page.resize(1109, 811);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QSignalSpy messages(&page, &WidgetBase::sig_showMessageBox);
        auto* button = page.findChild<QToolButton*>(QStringLiteral("Btn_Screenshot"));

        // It works while running too.
        QVERIFY(page.plot()->addChannel(0, QStringLiteral("Speed"), QPen(Qt::red)));
        QVERIFY(page.plot()->start());
        UiTest::BoxAnswerer answer(QStringLiteral("Ok"));
        QTest::mouseClick(button, Qt::LeftButton);
        page.plot()->stop();
        QVERIFY(answer.answered());
        QCOMPARE(messages.size(), 0);
        const QStringList files = QDir(folder).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        const QString path = folder + QLatin1Char('/') + files.first();
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d-\\d{3}\\.png$"))
                    .match(files.first())
                    .hasMatch());
        QCOMPARE(answer.seen.text, QStringLiteral("The screenshot is saved successfully.\n") + path);
        QCOMPARE(answer.seen.buttons, QStringList({ "Open file", "Ok" }));
        QImageReader picture(path);
        QCOMPARE(picture.format(), QByteArray("png"));
        QCOMPARE(picture.size(), page.size());

        // A file where the folder should be: the picture goes to the user's pictures folder (the test
        // one of QStandardPaths), and the prompt says where.
        QStandardPaths::setTestModeEnabled(true);
        const QString fallback = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
            + QStringLiteral("/Kestrova");
        QDir(fallback).removeRecursively();
        QFile::remove(fallback);
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(writeAll(folder, "not a folder"));
        {
            UiTest::BoxAnswerer moved(QStringLiteral("Ok"));
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(moved.answered());
            const QStringList saved = QDir(fallback).entryList(QDir::Files);
            QCOMPARE(saved.size(), 1);
            QCOMPARE(moved.seen.text,
                QStringLiteral("The screenshot is saved successfully.\n")
                    + QDir::toNativeSeparators(fallback + QLatin1Char('/') + saved.first()));
        }
        QCOMPARE(messages.size(), 0);

        // Neither folder can be made: the picture cannot be saved.
        QVERIFY(QDir(fallback).removeRecursively());
        QVERIFY(writeAll(fallback, "not a folder"));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(QFile::remove(folder));
        QVERIFY(QFile::remove(fallback));
        QStandardPaths::setTestModeEnabled(false);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.last().at(0).toString(), QStringLiteral("Screenshot saving failed"));
    }
};

QTEST_MAIN(TestCurveFile)
#include "tst_curvefile.moc"
