// SPDX-License-Identifier: GPL-3.0-or-later
#include "Startup.h"

#include "Global.h"
#include "Launcher.h"
#include "Xml.h"
#include "comm/Communication.h"
#include "pages/Pages.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QMessageBox>
#include <QTranslator>

#include <memory>

static void initKestrovaResources()
{
    Q_INIT_RESOURCE(kestrova);
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(translations);
}

namespace Startup {

namespace {
const char* const AppFontFamily = "Microsoft Yahei";
// What the pages sent on their way out (a stop above all) gets this long to reach the drive and
// be answered before the port closes; a drive that does not answer must not hold the exit up.
constexpr int ExitWritesWaitMs = 1500;

void applyFont(QApplication& app)
{
    // The design font is a Windows one; on other systems the CJK-complete Noto face stands in for it
    // so that English and Simplified Chinese share one look.
    QFont::insertSubstitutions(QString::fromLatin1(AppFontFamily),
        { QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK"),
            QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans") });
    QFont font(QString::fromLatin1(AppFontFamily), 9);
    font.setItalic(false);
    app.setFont(font);
}

void applyStyleSheet(QApplication& app)
{
    QFile file(QStringLiteral(":/Qss/Skins/Qss/white.css"));
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    app.setStyleSheet(styleSheetText(file.readAll()));
}
} // namespace

QString styleSheetText(QByteArray bytes)
{
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromLatin1(bytes);
}

void applyLook(QApplication& app)
{
    applyFont(app);
    applyStyleSheet(app);
}

void setAttributes()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
}

void initResources()
{
    initKestrovaResources();
    Pages::registerAll();
}

int run(QApplication& app, Launcher& launcher)
{
    initResources();
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTROVA_VERSION));
    // Installed, the desktop entry and the themed icon name the windows on Wayland and in task bars.
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrova"));
    if (QIcon::hasThemeIcon(QStringLiteral("kestrova")))
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kestrova")));
    applyLook(app);

    Xml memory;
    if (!memory.readMemory()) {
        QMessageBox::warning(nullptr, QObject::tr("Tips"),
            QObject::tr("The startup files seem to be missing") + QLatin1Char('.'), QMessageBox::Ok);
        return 0;
    }

    QTranslator translator;
    switch (Global::instance()->language()) {
    case Global::LANGUAGE_CN:
        translator.load(QStringLiteral(":/Language/cn.qm"));
        break;
    case Global::LANGUAGE_EN:
        translator.load(QStringLiteral(":/Language/en.qm"));
        break;
    default:
        break;
    }
    QCoreApplication::installTranslator(&translator);

    auto window = std::make_unique<MainWindow>();
    window->show();
    const int code = app.exec();

    if (code == MainWindow::RestartCode) {
        QApplication::closeAllWindows();
        // The destructor writes the memory file; the new instance must find the new choice in it.
        window.reset();
        Communication::instance()->finishWrites(ExitWritesWaitMs);
        launcher.startDetached(QCoreApplication::applicationFilePath(), {});
        return 0;
    }
    window.reset();
    Communication::instance()->finishWrites(ExitWritesWaitMs);
    return code;
}

} // namespace Startup
