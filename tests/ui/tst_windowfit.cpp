// SPDX-License-Identifier: GPL-3.0-or-later
// Every page fits the commonest laptop screen, 1366 × 768, in both languages and both families:
// the window is no larger than the screen, nothing needs a horizontal scroll, and no text of a
// label or button is cut. With KESTROVA_SCREENSHOT_DIR set, each case also leaves a screenshot
// there (run under Xvfb with -platform xcb to see the real thing).

#include "UiTestSupport.h"

#include "FakeSystemRoot.h"
#include "app/Global.h"
#include "pages/connection/GUI_FindDrive.h"
#include "ui/ClippedTextTips.h"
#include "ui/GUI_About.h"
#include "ui/MainWindow.h"
#include "ui/StatusLine.h"
#include "ui/WidgetController.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>
#include <QtTest>

namespace {

// 1366 × 768 less a 32 px panel, less the window frame the window keeps room for.
const QSize ClientSize(1350, 696);

QString screenshotFolder()
{
    return qEnvironmentVariable("KESTROVA_SCREENSHOT_DIR");
}

// Why a widget's text does not show whole, or an empty text when it does.
QString cutText(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty() || label->hasScaledContents())
            return QString();
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height())
                return QStringLiteral("needs %1 px height, has %2")
                    .arg(label->heightForWidth(label->width()))
                    .arg(label->height());
            return QString();
        }
        if (label->sizeHint().width() > label->width())
            return QStringLiteral("needs %1 px, has %2").arg(label->sizeHint().width()).arg(label->width());
        return QString();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->text().isEmpty())
            return QString();
        if (button->sizeHint().width() > button->width())
            return QStringLiteral("needs %1 px, has %2").arg(button->sizeHint().width()).arg(button->width());
    }
    return QString();
}

QString describe(QWidget* widget)
{
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        text = button->text();
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QLatin1String(widget->metaObject()->className()), widget->objectName(), text);
}

// Everything visible in `root` that does not fit.
QStringList misfits(QWidget* root)
{
    QStringList found;
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!widget->isVisibleTo(root) || widget->window() != root->window())
            continue;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
            if (area->horizontalScrollBar()->isVisibleTo(root))
                found << describe(widget) + QStringLiteral(": horizontal scroll bar");
        }
        const QString cut = cutText(widget);
        if (!cut.isEmpty())
            found << describe(widget) + QStringLiteral(": ") + cut;
    }
    return found;
}

} // namespace

class TestWindowFit : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<QTranslator> translator;

    void useLanguage(int language)
    {
        if (translator)
            QCoreApplication::removeTranslator(translator.get());
        translator = std::make_unique<QTranslator>();
        QVERIFY(translator->load(language == Global::LANGUAGE_CN ? QStringLiteral(":/Language/cn.qm")
                                                                 : QStringLiteral(":/Language/en.qm")));
        QCoreApplication::installTranslator(translator.get());
    }

    void shoot(QWidget* widget, const QString& name)
    {
        if (screenshotFolder().isEmpty())
            return;
        QDir().mkpath(screenshotFolder());
        QVERIFY(widget->grab().save(QDir(screenshotFolder()).filePath(name + QStringLiteral(".png"))));
    }

    static QString languageName(int language)
    {
        return language == Global::LANGUAGE_CN ? QStringLiteral("cn") : QStringLiteral("en");
    }
    static QString familyName(int family)
    {
        return family == Global::DEVICE_VFD ? QStringLiteral("vfd") : QStringLiteral("servo");
    }

private slots:
    void initTestCase()
    {
        Startup::initResources();
        Startup::applyLook(*qApp);
        work = std::make_unique<WorkDir>(WorkDir::Seed::Everything);
    }

    void cleanup()
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void cleanupTestCase()
    {
        if (translator)
            QCoreApplication::removeTranslator(translator.get());
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        Global::instance()->setLanguage(Global::LANGUAGE_EN);
        work.reset();
    }

    void pagesFit_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("button");
        const struct
        {
            int family;
            const char* buttons[5];
        } families[] = {
            { Global::DEVICE_SERVO, { "btn_Comm", "btn_Scope", "btn_Motion", "btn_IO", "btn_Monitor" } },
            { Global::DEVICE_VFD, { "btn_Comm", "btn_Scope", "btn_ControlPanel" } },
        };
        for (int language : { int(Global::LANGUAGE_EN), int(Global::LANGUAGE_CN) }) {
            for (const auto& entry : families) {
                for (const char* button : entry.buttons) {
                    if (!button)
                        continue;
                    const QString name = QStringLiteral("%1-%2-%3")
                                             .arg(familyName(entry.family), languageName(language),
                                                 QString::fromLatin1(button + 4));
                    QTest::newRow(qPrintable(name))
                        << entry.family << language << QString::fromLatin1(button);
                }
            }
        }
    }
    void pagesFit()
    {
        QFETCH(int, family);
        QFETCH(int, language);
        QFETCH(QString, button);
        useLanguage(language);
        UiTest::makeWindow(window, family, language);
        window->resize(ClientSize);
        window->findChild<QPushButton*>(button)->click();
        QTest::qWait(50);
        QCOMPARE(window->size(), ClientSize);

        QWidget* page = window->findChild<QTabWidget*>(QStringLiteral("tabWidgetContent"))->currentWidget();
        QStringList found = misfits(window.get());
        for (QToolBar* bar : window->findChildren<QToolBar*>()) {
            auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
            if (more && more->isVisible())
                found
                    << QStringLiteral("the tool bar %1 does not show all its buttons").arg(bar->objectName());
        }
        if (page->minimumSizeHint().width() > page->width()
            || page->minimumSizeHint().height() > page->height())
            found << QStringLiteral("the page needs %1 × %2, has %3 × %4")
                         .arg(page->minimumSizeHint().width())
                         .arg(page->minimumSizeHint().height())
                         .arg(page->width())
                         .arg(page->height());
        shoot(window.get(), QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("\n"))));
    }

    // With the console and the bus monitor open and a long warning in the status bar, the window
    // still fits and the page keeps its room.
    void docksAndStatusBarFit_data() { dialogsFit_data(); }
    void docksAndStatusBarFit()
    {
        QFETCH(int, language);
        useLanguage(language);
        UiTest::makeWindow(window, Global::DEVICE_SERVO, language);
        window->resize(ClientSize);
        window->findChild<QDockWidget*>(QStringLiteral("dockWidget_Console"))->show();
        window->busMonitorDock()->show();
        window->slot_printToConsole(
            QCoreApplication::translate("SerialPortDiagnosis",
                "permission denied: your account \"%1\" is not in the group \"%2\" "
                "that may use %3. Add it with the command: sudo usermod -aG %2 %1 — "
                "then log out and log in again, as a new group takes effect only at "
                "a new login")
                .arg(QStringLiteral("engineer"), QStringLiteral("dialout"), QStringLiteral("/dev/ttyUSB0")),
            Global::MESSAGE_CRITICAL);
        QTest::qWait(50);
        QCOMPARE(window->size(), ClientSize);
        QWidget* page = window->findChild<QTabWidget*>(QStringLiteral("tabWidgetContent"))->currentWidget();
        // The second row starts with the bus monitor open, as the first left it: the user's choice
        // is kept, and the page still gets a good part of the height.
        QVERIFY2(page->height() >= ClientSize.height() / 4, qPrintable(QString::number(page->height())));
        const QStringList found = misfits(window->statusBar());
        shoot(window.get(), QStringLiteral("servo-%1-docks").arg(languageName(language)));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("\n"))));
    }

    // The connection page with an FTDI adapter's latency hint under its settings.
    void latencyHintFits_data() { dialogsFit_data(); }
    void latencyHintFits()
    {
        QFETCH(int, language);
        FakeSystemRoot root;
        QVERIFY(root.addAdapter(QStringLiteral("ttyUSB0"), QStringLiteral("usb-serial"), 16));
        useLanguage(language);
        UiTest::makeWindow(window, Global::DEVICE_SERVO, language);
        window->resize(ClientSize);
        window->findChild<QComboBox*>(QStringLiteral("Cbx_Port"))
            ->setEditText(QStringLiteral("/dev/ttyUSB0"));
        QTest::qWait(50);
        auto* hint = window->findChild<QLabel*>(QStringLiteral("Lbl_LatencyHint"));
        QVERIFY(hint->isVisible());
        const QStringList found = misfits(window.get());
        shoot(window.get(), QStringLiteral("servo-%1-latencyhint").arg(languageName(language)));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("\n"))));
    }

    // A closed combo box that cuts its item off shows it whole in its tool tip; one that shows it
    // whole, or has a tool tip of its own, is left alone.
    void cutComboTextShowsInItsToolTip_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("ownTip");
        QTest::addColumn<QString>("shown"); // empty: no tool tip
        const QString item = QStringLiteral("0 - Represents high level effective");
        QTest::newRow("cut") << 90 << "" << item;
        QTest::newRow("whole") << 400 << ""
                               << "";
        QTest::newRow("cut, with a tool tip of its own") << 90 << "Level"
                                                         << "";
    }
    void cutComboTextShowsInItsToolTip()
    {
        QFETCH(int, width);
        QFETCH(QString, ownTip);
        QFETCH(QString, shown);
        UiTest::makeWindow(window, Global::DEVICE_SERVO);
        QComboBox box(window.get());
        box.addItems({ QStringLiteral("0 - Represents high level effective"), QStringLiteral("1 - Low") });
        box.setToolTip(ownTip);
        box.setFixedWidth(width);
        box.show();
        QCOMPARE(ClippedTextTips::isCut(&box), !shown.isEmpty() || !ownTip.isEmpty());
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
        const bool handled = QApplication::sendEvent(&box, &help);
        if (shown.isEmpty()) {
            QVERIFY(!handled || QToolTip::text() == ownTip);
            QVERIFY(QToolTip::text() != box.currentText());
        } else {
            QVERIFY(handled);
            QCOMPARE(QToolTip::text(), shown);
        }
        // The second item fits: nothing to add.
        box.setCurrentIndex(1);
        QVERIFY(!ClippedTextTips::isCut(&box));
        QToolTip::hideText();
    }

    void dialogsFit_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("en") << int(Global::LANGUAGE_EN);
        QTest::newRow("cn") << int(Global::LANGUAGE_CN);
    }
    void dialogsFit()
    {
        QFETCH(int, language);
        useLanguage(language);
        UiTest::makeWindow(window, Global::DEVICE_SERVO, language);
        window->showAbout();
        GUI_About* about = window->controller()->aboutDialog();
        QVERIFY(about);
        QTest::qWait(20);
        QStringList found = misfits(about);
        shoot(about, QStringLiteral("about-") + languageName(language));
        about->close();

        GUI_FindDrive find(QStringLiteral("/dev/ttyUSB0"), 53, 3, false, window.get());
        find.show();
        QTest::qWait(20);
        found << misfits(&find);
        shoot(&find, QStringLiteral("finddrive-") + languageName(language));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("\n"))));
    }
};

QTEST_MAIN(TestWindowFit)
#include "tst_windowfit.moc"
