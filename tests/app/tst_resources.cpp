// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/Startup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QtTest>

// The compiled-in artwork and the installation's device pictures: every image the pages ask for
// by name must exist at its size and actually show something.
class TestResources : public QObject
{
    Q_OBJECT

private:
    // A rendering that went wrong (empty drawing, wrong view box, unreadable SVG) comes out as one
    // flat colour or an almost empty canvas, which a pixmap happily loads.
    static void verifyDrawn(const QImage& image)
    {
        QSet<QRgb> colours;
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                colours.insert(pixel);
                // Transparent pixels and the JPEG logo's white background are not ink.
                if (qAlpha(pixel) > 128 && !(qRed(pixel) > 245 && qGreen(pixel) > 245 && qBlue(pixel) > 245))
                    ++inked;
            }
        }
        QVERIFY2(colours.size() >= 8, qPrintable(QStringLiteral("only %1 colours").arg(colours.size())));
        const int pixels = image.width() * image.height();
        QVERIFY2(inked * 100 >= pixels * 10,
            qPrintable(QStringLiteral("only %1 of %2 pixels drawn").arg(inked).arg(pixels)));
    }

    static QStringList devicePictures(const QString& family)
    {
        const QString folder = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Pictures/") + family;
        return QDir(folder).entryList(QDir::Files);
    }

private slots:
    void initTestCase() { Startup::initResources(); }

    void image_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");

        const QString small = QStringLiteral(":/Icon/Images/Icon_16x16/%1.png");
        for (const char* name : { "ParamGroup", "Import", "Export", "Factory", "SelectAll", "Write", "Read",
                 "Filter", "Search", "Admin", "CompareFile" })
            QTest::newRow(qPrintable(small.arg(QLatin1String(name))))
                << small.arg(QLatin1String(name)) << QSize(16, 16);

        const QString large = QStringLiteral(":/Icon/Images/Icon_32x32/%1.png");
        // The main window asks for the device icon with a doubled slash.
        QTest::newRow("Icon_32x32//Device")
            << QStringLiteral(":/Icon/Images/Icon_32x32//Device.png") << QSize(32, 32);
        for (const char* name : { "Device", "SoftReset", "Restore", "OffLine", "OnLine", "Enable", "Disable",
                 "LightUp", "LightOff", "Nonius", "Setting", "Pause", "StartContinue", "Stop", "AdaptationXY",
                 "SrmSelect", "SrmDrag", "SrmZoom", "ShowLegend", "Tracking", "Clear", "Screenshot", "Import",
                 "Export" })
            QTest::newRow(qPrintable(large.arg(QLatin1String(name))))
                << large.arg(QLatin1String(name)) << QSize(32, 32);

        const QString button = QStringLiteral(":/Picture/Images/ButtonPic/%1.png");
        for (const char* name :
            { "Connect", "Scope", "Motion", "ControlPanel", "Monitor", "IO", "Parameters" })
            QTest::newRow(qPrintable(button.arg(QLatin1String(name))))
                << button.arg(QLatin1String(name)) << QSize(64, 64);

        QTest::newRow("Logo") << QStringLiteral(":/Logo/Logo/Logo.jpg") << QSize(256, 256);
    }

    void image()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QPixmap pixmap(path);
        QVERIFY2(!pixmap.isNull(), qPrintable(path));
        QCOMPARE(pixmap.size(), size);
        verifyDrawn(pixmap.toImage());
    }

    // Catches a drawing added with the wrong view box, whatever its name.
    void everyRenderedImageHasItsFolderSize_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("minimumCount");
        QTest::newRow("Icon_16x16") << QStringLiteral(":/Icon/Images/Icon_16x16") << QSize(16, 16) << 10;
        QTest::newRow("Icon_32x32") << QStringLiteral(":/Icon/Images/Icon_32x32") << QSize(32, 32) << 24;
        QTest::newRow("ButtonPic") << QStringLiteral(":/Picture/Images/ButtonPic") << QSize(64, 64) << 7;
    }

    void everyRenderedImageHasItsFolderSize()
    {
        QFETCH(QString, folder);
        QFETCH(QSize, size);
        QFETCH(int, minimumCount);
        const QStringList names = QDir(folder).entryList(QDir::Files);
        QVERIFY2(names.size() >= minimumCount, qPrintable(names.join(QLatin1Char(' '))));
        for (const QString& name : names) {
            const QImage image(folder + QLatin1Char('/') + name);
            QVERIFY2(!image.isNull(), qPrintable(name));
            QVERIFY2(image.size() == size, qPrintable(name));
            QVERIFY2(image.hasAlphaChannel(), qPrintable(name));
        }
    }

    void textResource_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("mustContain");
        QTest::newRow("style sheet") << QStringLiteral(":/Qss/Skins/Qss/white.css") << QByteArray("{");
        QTest::newRow("qt.conf") << QStringLiteral(":/qt/etc/qt.conf") << QByteArray("dpiawareness=0");
    }

    void textResource()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, mustContain);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray content = file.readAll();
        QVERIFY(content.contains(mustContain));
    }

    // Other data (definition folders, tests of the connection page) relies on these exact names.
    void deviceVersionsPresent_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("versions");
        QTest::newRow("SERVO") << QStringLiteral("SERVO") << QStringList { "KSD-V1.10", "KSD-V1.2" };
        QTest::newRow("VFD") << QStringLiteral("VFD") << QStringList { "KVF-V2.0", "KVF-V2.1" };
    }

    void deviceVersionsPresent()
    {
        QFETCH(QString, family);
        QFETCH(QStringList, versions);
        QStringList found;
        for (const QString& file : devicePictures(family))
            found << QFileInfo(file).completeBaseName();
        for (const QString& version : versions)
            QVERIFY2(found.contains(version), qPrintable(found.join(QLatin1Char(' '))));
    }

    void devicePicture_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("file");
        for (const char* name : { "SERVO", "VFD" }) {
            const QString family = QLatin1String(name);
            for (const QString& file : devicePictures(family))
                QTest::newRow(qPrintable(family + QLatin1Char('/') + file)) << family << file;
        }
    }

    void devicePicture()
    {
        QFETCH(QString, family);
        QFETCH(QString, file);
        const QString root = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/");
        const QPixmap pixmap(root + QStringLiteral("Pictures/") + family + QLatin1Char('/') + file);
        QVERIFY2(!pixmap.isNull(), qPrintable(file));
        QVERIFY(pixmap.width() >= 240 && pixmap.height() >= 180);
        verifyDrawn(pixmap.toImage());

        // The version name is the file name without its extension (".png"); "V1.10" keeps its dot.
        const QString version = QFileInfo(file).completeBaseName();
        for (const char* language : { "EN", "CN" }) {
            const QString folder = root + QStringLiteral("Config/") + family + QLatin1Char('/') + version
                + QLatin1Char('/') + QLatin1String(language);
            QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        }
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
