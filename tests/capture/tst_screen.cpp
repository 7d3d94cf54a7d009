// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalAnswer.h"
#include "capture/Screen.h"
#include "capture/ScreenSelection.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

using Stroke = QVector<QPoint>; // press at the first point, drag through the rest, release at the last

const QColor wallpaperColor(20, 110, 220);

void send(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void drag(QWidget* w, const Stroke& stroke)
{
    send(w, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, stroke.first());
    for (int i = 1; i < stroke.size(); ++i)
        send(w, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, stroke.at(i));
    send(w, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, stroke.last());
}

QSize imageSize(const QString& path)
{
    return QImageReader(path).size();
}

// Answers the next file dialog as a user would, or cancels it when `answer` is empty.
void answerFileDialog(bool* shown, QString* title, const QString& answer)
{
    ModalAnswer::handleNext([shown, title, answer](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        if (!dialog) {
            w->close();
            return;
        }
        *shown = true;
        *title = dialog->windowTitle();
        if (!answer.isEmpty()) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(answer);
            dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
                ->button(QDialogButtonBox::Save)
                ->click();
        }
        if (dialog->isVisible())
            dialog->reject();
    });
}

bool sameColor(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2 && qAbs(a.blue() - b.blue()) <= 2;
}

} // namespace

class TestScreen : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;
    QRect desktop;
    // A window filling the desktop, so there is a known picture to freeze.
    std::unique_ptr<QWidget> wallpaper;
    std::unique_ptr<Screen> screen;

    QString pictures() const { return home.filePath(QStringLiteral("Pictures/Kestrova")); }

    void openCapture()
    {
        // On a real display the last capture dialog may still show where it was until the desktop
        // under it is repainted.
        wallpaper->repaint();
        QApplication::sync();
        screen.reset(new Screen);
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
        desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        wallpaper.reset(new QWidget);
        wallpaper->setWindowFlags(Qt::FramelessWindowHint);
        QPalette palette;
        palette.setColor(QPalette::Window, wallpaperColor);
        wallpaper->setPalette(palette);
        wallpaper->setAutoFillBackground(true);
        wallpaper->setGeometry(desktop);
        wallpaper->show();
        QVERIFY(QTest::qWaitForWindowExposed(wallpaper.get()));
    }

    void cleanup() { screen.reset(); }

    void screenshot_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("arguments");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("existing folder") << ""
                                         << "a.png" << 5 << true << QByteArray("png");
        QTest::newRow("new folder") << "Screenshot"
                                    << "a.png" << 5 << true << QByteArray("png");
        QTest::newRow("missing parent") << "missing/Screenshot"
                                        << "a.png" << 5 << false << QByteArray();
        QTest::newRow("format from the suffix") << "new"
                                                << "a.jpg" << 3 << true << QByteArray("jpeg");
        QTest::newRow("format over the suffix") << "new"
                                                << "a.bmp" << 4 << true << QByteArray("png");
        QTest::newRow("unknown format") << "new"
                                        << "a.nothing" << 3 << false << QByteArray();
    }

    void screenshot()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(int, arguments);
        QFETCH(bool, saved);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        const QString path = folder.isEmpty() ? dir.path() : dir.filePath(folder);
        QWidget widget;
        widget.resize(321, 123);
        Screen capture;
        bool result = false;
        if (arguments == 5)
            result = capture.screenshot(&widget, path, name, "png", -1);
        else if (arguments == 4)
            result = capture.screenshot(&widget, path, name, "png");
        else
            result = capture.screenshot(&widget, path, name);
        QCOMPARE(result, saved);
        const QString file = path + QLatin1Char('/') + name;
        QCOMPARE(QFileInfo::exists(file), saved);
        if (saved) {
            QImageReader reader(file);
            QCOMPARE(reader.format(), format);
            QCOMPARE(reader.size(), QSize(321, 123));
        } else if (folder.startsWith(QLatin1String("missing"))) {
            QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
        }
    }

    void screenshotFolderFallsBackToPictures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("own");
        QTest::newRow("writable application folder") << "writable" << true;
        QTest::newRow("with its screenshot folder") << "with folder" << true;
        QTest::newRow("read-only application folder") << "read-only" << false;
        QTest::newRow("read-only screenshot folder") << "read-only folder" << false;
        QTest::newRow("missing application folder") << "missing" << false;
    }

    void screenshotFolderFallsBackToPictures()
    {
        QFETCH(QString, kind);
        QFETCH(bool, own);
        QTemporaryDir dir;
        QString application = dir.path();
        // Permission bits do not stop root; a folder of /proc refuses files to anyone.
        const bool root = geteuid() == 0;
        if (kind == QLatin1String("with folder")) {
            QVERIFY(QDir(application).mkdir(QStringLiteral("Screenshot")));
        } else if (kind == QLatin1String("read-only")) {
            if (root)
                application = QStringLiteral("/proc/self");
            else
                QVERIFY(QFile::setPermissions(application, QFile::ReadOwner | QFile::ExeOwner));
        } else if (kind == QLatin1String("read-only folder")) {
            if (root) {
                application = QStringLiteral("/proc/self");
                QVERIFY(QFileInfo(QStringLiteral("/proc/self/task")).isDir());
            } else {
                QVERIFY(QDir(application).mkdir(QStringLiteral("Screenshot")));
                QVERIFY(QFile::setPermissions(
                    application + QStringLiteral("/Screenshot"), QFile::ReadOwner | QFile::ExeOwner));
            }
        } else if (kind == QLatin1String("missing")) {
            application = dir.filePath(QStringLiteral("gone"));
        }
        QDir(pictures()).removeRecursively();

        const QString folder = Screen::screenshotFolder(application);
        const QString quick = Screen::saveFolder(application);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(dir.filePath(QStringLiteral("Screenshot")),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(folder, own ? application + QStringLiteral("/Screenshot") : pictures());
        if (kind != QLatin1String("read-only folder"))
            QCOMPARE(quick, own ? application : pictures());
        // Nothing is left behind by the check, and the fallback's parent exists for the one-level
        // folder creation of the screenshot.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        if (!own) {
            QWidget widget;
            widget.resize(10, 10);
            QVERIFY(Screen().screenshot(&widget, folder, QStringLiteral("x.png"), "png", -1));
        }
    }

    void menuTexts()
    {
        Screen capture;
        QStringList texts;
        for (QAction* action : capture.menu()->actions()) {
            texts << action->text();
            QVERIFY(action->shortcut().isEmpty());
        }
        QCOMPARE(texts,
            QStringList({ QStringLiteral("保存当前截图"), QStringLiteral("保存全屏截图"),
                QStringLiteral("截图另存为"), QStringLiteral("全屏另存为"), QStringLiteral("退出截图") }));
        QCOMPARE(capture.selection()->screenSize(), desktop.size());
    }

    void selectionGeometry_data()
    {
        const int w = desktop.width();
        const int h = desktop.height();
        QTest::addColumn<QList<Stroke>>("strokes");
        QTest::addColumn<QPoint>("leftTop");
        QTest::addColumn<QPoint>("rightBottom");
        QTest::newRow("drag up and left") << QList<Stroke> { { { 100, 100 }, { 70, 80 }, { 40, 60 } } }
                                          << QPoint(40, 60) << QPoint(100, 100);
        QTest::newRow("press inside moves it")
            << QList<Stroke> { { { 100, 100 }, { 40, 60 } }, { { 70, 80 }, { 80, 85 }, { 90, 90 } } }
            << QPoint(60, 70) << QPoint(120, 110);
        QTest::newRow("press on the border starts anew")
            << QList<Stroke> { { { 100, 100 }, { 40, 60 } }, { { 40, 80 }, { 20, 90 } } } << QPoint(20, 80)
            << QPoint(40, 90);
        QTest::newRow("press outside starts anew")
            << QList<Stroke> { { { 100, 100 }, { 40, 60 } }, { { 300, 300 }, { 350, 320 } } }
            << QPoint(300, 300) << QPoint(350, 320);
        QTest::newRow("narrower against the left edge")
            << QList<Stroke> { { { 10, 60 }, { 110, 100 } }, { { 50, 80 }, { 20, 80 } } } << QPoint(0, 60)
            << QPoint(80, 100);
        QTest::newRow("still narrower when pushed on")
            << QList<Stroke> { { { 10, 60 }, { 110, 100 } }, { { 50, 80 }, { 20, 80 }, { 0, 80 } } }
            << QPoint(0, 60) << QPoint(60, 100);
        QTest::newRow("lower against the top edge")
            << QList<Stroke> { { { 60, 10 }, { 100, 110 } }, { { 80, 50 }, { 80, 20 } } } << QPoint(60, 0)
            << QPoint(100, 80);
        QTest::newRow("stops at the right edge")
            << QList<Stroke> { { { w - 120, 60 }, { w - 20, 100 } }, { { w - 70, 80 }, { w - 20, 80 } } }
            << QPoint(w - 120, 60) << QPoint(w, 100);
        QTest::newRow("stops at the bottom edge")
            << QList<Stroke> { { { 60, h - 120 }, { 100, h - 20 } }, { { 80, h - 70 }, { 80, h - 20 } } }
            << QPoint(60, h - 120) << QPoint(100, h);
    }

    void selectionGeometry()
    {
        QFETCH(QList<Stroke>, strokes);
        QFETCH(QPoint, leftTop);
        QFETCH(QPoint, rightBottom);
        openCapture();
        for (const Stroke& stroke : strokes)
            drag(screen.get(), stroke);
        const ScreenSelection* selection = screen->selection();
        QCOMPARE(selection->leftTop(), leftTop);
        QCOMPARE(selection->rightBottom(), rightBottom);
        QCOMPARE(selection->status(), ScreenSelection::Selected);
        QCOMPARE(screen->cursor().shape(), Qt::ArrowCursor);
    }

    void labelAndDimming()
    {
        openCapture();
        QCOMPARE(screen->geometry(), desktop);
        QCOMPARE(screen->fullScreen().size(), desktop.size());
        drag(screen.get(), { { 100, 100 }, { 40, 60 } });
        QCOMPARE(screen->selectionText(),
            QStringLiteral("截图范围：( 40 x 60 ) - ( 100 x 100 )  图片大小：( 60 x 40 )"));

        const QImage shown = screen->grab().toImage();
        QVERIFY(sameColor(shown.pixelColor(70, 80), wallpaperColor));
        QImage veiled(1, 1, QImage::Format_ARGB32);
        veiled.fill(wallpaperColor);
        QPainter(&veiled).fillRect(0, 0, 1, 1, QColor(160, 160, 160, 200));
        QVERIFY(sameColor(shown.pixelColor(300, 300), veiled.pixelColor(0, 0)));
        QVERIFY(!sameColor(veiled.pixelColor(0, 0), wallpaperColor));

        // Held while moving, the move cursor shows.
        send(screen.get(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, { 70, 80 });
        QCOMPARE(screen->cursor().shape(), Qt::SizeAllCursor);
        send(screen.get(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, { 70, 80 });
        QCOMPARE(screen->cursor().shape(), Qt::ArrowCursor);

        // Shown again, it starts with no selection.
        screen->hide();
        screen->show();
        QCOMPARE(screen->selection()->leftTop(), QPoint(-1, -1));
        QCOMPARE(screen->selection()->status(), ScreenSelection::Selecting);
    }

    void quickSaves_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QSize>("size");
        QTest::newRow("selection") << 0 << "screen_" << QSize(60, 40);
        QTest::newRow("full screen") << 1 << "full_" << desktop.size();
    }

    void quickSaves()
    {
        QFETCH(int, action);
        QFETCH(QString, prefix);
        QFETCH(QSize, size);
        const QDir folder(QCoreApplication::applicationDirPath());
        const QStringList pattern { prefix + QStringLiteral("*.png") };
        for (const QString& stale : folder.entryList(pattern, QDir::Files))
            QFile::remove(folder.filePath(stale));
        openCapture();
        drag(screen.get(), { { 100, 100 }, { 40, 60 } });
        screen->menu()->actions().at(action)->trigger();
        QVERIFY(!screen->isVisible());
        const QStringList files = folder.entryList(pattern, QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY(QRegularExpression(
            QStringLiteral("^%1\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d\\.png$").arg(prefix))
                    .match(files.first())
                    .hasMatch());
        const QString path = folder.filePath(files.first());
        QCOMPARE(imageSize(path), size);
        QVERIFY(QFile::remove(path));
    }

    void saveAs_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("selection, cancelled") << 2 << ""
                                              << "" << QSize();
        QTest::newRow("full screen, cancelled") << 3 << ""
                                                << "" << QSize();
        QTest::newRow("selection") << 2 << "part.png"
                                   << "part.png" << QSize(60, 40);
        QTest::newRow("without the suffix") << 2 << "part"
                                            << "part.png" << QSize(60, 40);
        QTest::newRow("other suffix") << 3 << "whole.PNG"
                                      << "whole.PNG.png" << desktop.size();
    }

    void saveAs()
    {
        QFETCH(int, action);
        QFETCH(QString, answer);
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        openCapture();
        drag(screen.get(), { { 100, 100 }, { 40, 60 } });
        bool shown = false;
        QString title;
        answerFileDialog(&shown, &title, answer.isEmpty() ? QString() : dir.filePath(answer));
        screen->menu()->actions().at(action)->trigger();
        QVERIFY(shown);
        QCOMPARE(title, QStringLiteral("保存图片"));
        if (file.isEmpty()) {
            QVERIFY(screen->isVisible());
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
        } else {
            QVERIFY(!screen->isVisible());
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { file });
            QCOMPARE(QImageReader(dir.filePath(file)).format(), QByteArray("png"));
            QCOMPARE(imageSize(dir.filePath(file)), size);
        }
    }

    void quitHides()
    {
        openCapture();
        screen->menu()->actions().at(4)->trigger();
        QVERIFY(!screen->isVisible());
    }
};

QTEST_MAIN(TestScreen)
#include "tst_screen.moc"
