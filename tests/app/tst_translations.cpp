// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/Startup.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

struct Entry
{
    QString context;
    QString source;
    QString translation;
    QString type;
};

QList<Entry> readCatalogue(const QString& path, QString* error)
{
    QFile file(path);
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly) || !doc.setContent(&file, error))
        return {};
    QList<Entry> entries;
    for (QDomElement context = doc.documentElement().firstChildElement(QStringLiteral("context"));
         !context.isNull(); context = context.nextSiblingElement(QStringLiteral("context"))) {
        const QString name = context.firstChildElement(QStringLiteral("name")).text();
        for (QDomElement message = context.firstChildElement(QStringLiteral("message")); !message.isNull();
             message = message.nextSiblingElement(QStringLiteral("message"))) {
            const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
            entries.append({ name, message.firstChildElement(QStringLiteral("source")).text(),
                translation.text(), translation.attribute(QStringLiteral("type")) });
        }
    }
    return entries;
}

QString catalogue(const char* name)
{
    return QStringLiteral(KESTROVA_SOURCE_DIR "/src/resources/translations/") + QLatin1String(name);
}

QSet<QString> keys(const QList<Entry>& entries)
{
    QSet<QString> result;
    for (const Entry& e : entries)
        result.insert(e.context + QLatin1Char('\x1f') + e.source);
    return result;
}

} // namespace

// The compiled-in catalogues: complete, current with the sources, and carrying the agreed texts.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Startup::initResources(); }

    void chineseTexts_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("chinese");

        QTest::newRow("tips") << "QObject"
                              << "Tips" << QStringLiteral("提示");
        QTest::newRow("startup files")
            << "QObject"
            << "The startup files seem to be missing" << QStringLiteral("启动文件似乎丢失了");
    }

    void chineseTexts()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, chinese);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/Language/cn.qm")));
        QCOMPARE(translator.translate(context.toLatin1().constData(), source.toUtf8().constData()), chinese);
    }

    void chineseCatalogueIsComplete()
    {
        QString error;
        const QList<Entry> entries = readCatalogue(catalogue("cn.ts"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!entries.isEmpty());
        QStringList missing;
        for (const Entry& e : entries) {
            if (!e.type.isEmpty() || e.translation.trimmed().isEmpty())
                missing << e.context + QLatin1String(": ") + e.source;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));

        // Every entry made it into the compiled catalogue.
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/Language/cn.qm")));
        for (const Entry& e : entries)
            QCOMPARE(translator.translate(e.context.toLatin1().constData(), e.source.toUtf8().constData()),
                e.translation);
    }

    void englishCatalogueIsIdentity()
    {
        QString error;
        const QList<Entry> entries = readCatalogue(catalogue("en.ts"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(keys(entries), keys(readCatalogue(catalogue("cn.ts"), &error)));
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/Language/en.qm")));
        for (const Entry& e : entries) {
            QCOMPARE(e.translation, e.source);
            QVERIFY(e.type.isEmpty());
        }
    }

    void cataloguesAreCurrent()
    {
        // A tr() text added to the sources without running scripts/update-translations would show
        // untranslated in the Chinese interface.
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QStringLiteral("fresh.ts"));
        QProcess lupdate;
        lupdate.start(QStringLiteral("lupdate"),
            { QStringLiteral("-silent"), QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                QStringLiteral("none"), QStringLiteral("-extensions"), QStringLiteral("cpp,h,ui"),
                QStringLiteral(KESTROVA_SOURCE_DIR "/src"), QStringLiteral("-ts"), fresh });
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        QString error;
        const QSet<QString> inSources = keys(readCatalogue(fresh, &error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QSet<QString> inCatalogue = keys(readCatalogue(catalogue("cn.ts"), &error));
        QStringList absent;
        for (const QString& key : inSources - inCatalogue)
            absent << QString(key).replace(QLatin1Char('\x1f'), QLatin1String(": "));
        absent.sort();
        QVERIFY2(absent.isEmpty(),
            qPrintable(QLatin1String("run scripts/update-translations:\n") + absent.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
