// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ParamFile.h"

#include "FileSizeLimit.h"
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using ParamFile::ReadResult;

class TestParamFile : public QObject
{
    Q_OBJECT

private slots:
    void exportedValue_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("saved");
        QTest::newRow("plain number") << "12.34"
                                      << "12.34";
        QTest::newRow("never read") << ""
                                    << "";
        QTest::newRow("entry with colon") << "1:Enabled"
                                          << "1";
        QTest::newRow("full-width colon") << QString::fromUtf8("2：速度模式") << "2";
        QTest::newRow("ascii colon wins over a later full-width one") << QString::fromUtf8("3:a：b") << "3";
        QTest::newRow("ascii colon wins over an earlier full-width one")
            << QString::fromUtf8("3：a:b") << QString::fromUtf8("3：a");
        QTest::newRow("hexadecimal") << "0x1F"
                                     << "0x1F";
        QTest::newRow("colon first") << ":x"
                                     << "";
    }

    void exportedValue()
    {
        QFETCH(QString, current);
        QFETCH(QString, saved);
        QCOMPARE(ParamFile::exportedValue(current), saved);
    }

    void buildDocument()
    {
        const QByteArray document = ParamFile::buildDocument(
            1, { { "P0-02", "5" }, { "P0-01", "1:On" }, { "P0-02", "7" }, { "P1-00", "" } });
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(document, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject object = json.object();
        QCOMPARE(object.value("DeviceVersion"), QJsonValue("1"));
        QCOMPARE(object.value("P0-01"), QJsonValue("1"));
        QCOMPARE(object.value("P0-02"), QJsonValue("7")); // the last row of a repeated code wins
        QCOMPARE(object.value("P1-00"), QJsonValue(""));
        QCOMPARE(object.size(), 4);
        QVERIFY(document.contains("\n    \"")); // indented
        // Keys in sorted order as the object stores them.
        QVERIFY(document.indexOf("DeviceVersion") < document.indexOf("P0-01"));
        QVERIFY(document.indexOf("P0-01") < document.indexOf("P1-00"));
    }

    void parseDocument_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("result");

        QTest::newRow("servo file on servo")
            << QByteArray(R"({"DeviceVersion":"0","P0-01":"5"})") << 0 << int(ReadResult::Ok);
        QTest::newRow("servo file on VFD")
            << QByteArray(R"({"DeviceVersion":"0"})") << 1 << int(ReadResult::Mismatch);
        QTest::newRow("no family") << QByteArray(R"({"P0-01":"5"})") << 0 << int(ReadResult::Mismatch);
        QTest::newRow("family as number")
            << QByteArray(R"({"DeviceVersion":0})") << 0 << int(ReadResult::Mismatch);
        QTest::newRow("family not a number")
            << QByteArray(R"({"DeviceVersion":"servo"})") << 0 << int(ReadResult::Mismatch);
        QTest::newRow("invalid JSON")
            << QByteArray(R"({"DeviceVersion":"0",)") << 0 << int(ReadResult::Failed);
        QTest::newRow("array") << QByteArray(R"(["DeviceVersion","0"])") << 0 << int(ReadResult::Failed);
        QTest::newRow("empty") << QByteArray() << 0 << int(ReadResult::Failed);
    }

    void parseDocument()
    {
        QFETCH(QByteArray, document);
        QFETCH(int, device);
        QFETCH(int, result);
        QJsonObject object;
        QCOMPARE(int(ParamFile::parseDocument(document, quint8(device), &object)), result);
        if (result == int(ReadResult::Ok))
            QVERIFY(object.contains("DeviceVersion"));
    }

    void readMissingFileFails()
    {
        QTemporaryDir dir;
        QCOMPARE(ParamFile::readDocument(dir.filePath("none.json"), 0, nullptr), ReadResult::Failed);
    }

    void valueText()
    {
        const QJsonObject object
            = QJsonDocument::fromJson(R"({"a":"1.5","b":15,"c":true,"d":null,"e":"0x1F"})").object();
        QCOMPARE(ParamFile::valueText(object, "a"), QString("1.5"));
        QCOMPARE(ParamFile::valueText(object, "b"), QString()); // JSON numbers read as empty
        QCOMPARE(ParamFile::valueText(object, "c"), QString());
        QCOMPARE(ParamFile::valueText(object, "d"), QString());
        QCOMPARE(ParamFile::valueText(object, "e"), QString("0x1F"));
        QCOMPARE(ParamFile::valueText(object, "missing"), QString());
    }

    void importNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal") << "1.5" << true << 1.5;
        QTest::newRow("negative") << "-12" << true << -12.0;
        QTest::newRow("hexadecimal") << "0x1F" << true << 31.0;
        QTest::newRow("upper-case prefix") << "0X1f" << true << 31.0;
        QTest::newRow("entry name") << "On" << false << 0.0;
        QTest::newRow("broken hexadecimal") << "0xZZ" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
    }

    void importNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double x = 0;
        QCOMPARE(ParamFile::importNumber(text, &x), ok);
        if (ok)
            QCOMPARE(x, value);
    }

    void findIndexEntry_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("read");
        QTest::addColumn<int>("position");
        QTest::newRow("exact match after a longer one") << QStringList { "10", "1", "0" } << "1" << 1;
        QTest::newRow("exact match first") << QStringList { "1", "10" } << "10" << 1;
        QTest::newRow("substring only as fallback") << QStringList { "5", "12" } << "1" << 1;
        QTest::newRow("no match") << QStringList { "5", "6" } << "7" << -1;
        QTest::newRow("empty list") << QStringList {} << "0" << -1;
    }

    void findIndexEntry()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, read);
        QFETCH(int, position);
        QList<QStringList> entries;
        for (const QString& value : values)
            entries << QStringList { "name" + value, value };
        QCOMPARE(ParamFile::findIndexEntry(entries, read), position);
    }

    void writeReplacesFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("params.json");
        QVERIFY(ParamFile::writeDocument(path, "old"));
        QVERIFY(ParamFile::writeDocument(path, "new content"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "params.json" });
    }

    void writeIntoMissingFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(!ParamFile::writeDocument(dir.filePath("gone/params.json"), "x"));
    }

    // A write that fails half-way (here: the file-size limit, which binds root as well) must keep
    // the engineer's earlier file whole, for a small document as for a large one.
    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<int>("valueLength");
        QTest::addColumn<int>("limit");
        QTest::newRow("small document") << 300 << 64;
        QTest::newRow("large document") << 200000 << 1024;
    }

    void failedWriteKeepsOldFile()
    {
        QFETCH(int, valueLength);
        QFETCH(int, limit);
        QTemporaryDir dir;
        const QString path = dir.filePath("backup.json");
        const QByteArray old(4096, 'o');
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(old), qint64(old.size()));
        }
        const QByteArray document
            = ParamFile::buildDocument(0, { { "P0-01", QString(valueLength, QLatin1Char('9')) } });

        bool written = true;
        {
            FileSizeLimit fileLimit { rlim_t(limit) };
            QVERIFY(fileLimit.isActive());
            written = ParamFile::writeDocument(path, document);
        }

        QVERIFY(!written);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "backup.json" });
    }
};

QTEST_GUILESS_MAIN(TestParamFile)
#include "tst_paramfile.moc"
