// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTestSupport.h"

#include "SimDrive.h"
#include "app/Global.h"
#include "pages/connection/GUI_Communication.h"
#include "ui/GUI_About.h"
#include "ui/MainWindow.h"
#include "ui/StatusLine.h"
#include "ui/WidgetBase.h"
#include "ui/WidgetController.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using UiTest::BoxAnswerer;

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;
    std::unique_ptr<MainWindow> window;

    void makeWindow(int family, int language = Global::LANGUAGE_EN)
    {
        UiTest::makeWindow(window, family, language);
    }

    template <typename T> T* child(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    QString consoleText() const { return child<QPlainTextEdit>("plainTextEdit_Console")->toPlainText(); }
    QString lastConsoleLine() const { return consoleText().split(QLatin1Char('\n')).last(); }

    QMenu* menuTitled(const QString& title) const
    {
        for (QAction* action : window->menuBar()->actions()) {
            if (action->text() == title)
                return action->menu();
        }
        return nullptr;
    }

    // Runs `trigger` inside the application's event loop and returns its exit code: 100 when the
    // window asked for a restart, -1 when it did not. (The application loop, not a local QEventLoop:
    // QCoreApplication::exit() leaves a "quit now" mark that only QCoreApplication::exec() clears.)
    int exitCodeOf(std::function<void()> trigger)
    {
        // Local timers: one left pending would end some later loop (a message box's) at once.
        QTimer start;
        QTimer fallback;
        start.setSingleShot(true);
        fallback.setSingleShot(true);
        connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
        connect(&start, &QTimer::timeout, [trigger, &fallback] {
            trigger();
            fallback.start(0);
        });
        start.start(0);
        return QCoreApplication::exec();
    }

private slots:
    void initTestCase()
    {
        Startup::initResources();
        work = std::make_unique<WorkDir>();
    }

    void cleanup()
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        Global::instance()->setLanguage(Global::LANGUAGE_EN);
        work->writeInit(0, 0);
    }

    void cleanupTestCase() { work.reset(); }

    void formObjectsAndStartState()
    {
        makeWindow(Global::DEVICE_SERVO);
        QCOMPARE(window->windowTitle(), QStringLiteral("Kestrova"));
        for (const char* name : { "centralwidget", "centerWidget", "dockWidget_WorkSpace",
                 "scrollArea_WorkSpace", "scrollAreaWidgetContents_WorkSpace", "dockWidget_ParamDescription",
                 "plainTextEdit_ParamDescription", "dockWidget_Console", "plainTextEdit_Console" })
            QVERIFY2(window->findChild<QWidget*>(QString::fromLatin1(name)), name);
        auto* tabs = child<QTabWidget>("tabWidgetContent");
        QVERIFY(tabs);
        QVERIFY(tabs->tabsClosable());
        QVERIFY(tabs->isMovable());
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("GUI_Communication"));
        QCOMPARE(tabs->tabText(0), QStringLiteral(" Communication"));
        QCOMPARE(child<QWidget>("centerWidget")->property("nav").toString(), QStringLiteral("withLine"));

        QCOMPARE(child<QDockWidget>("dockWidget_WorkSpace")->windowTitle(), QStringLiteral("Workspace"));
        QCOMPARE(
            child<QDockWidget>("dockWidget_ParamDescription")->windowTitle(), QStringLiteral("Description"));
        QCOMPARE(child<QDockWidget>("dockWidget_Console")->windowTitle(), QStringLiteral("Console"));
        QVERIFY(child<QDockWidget>("dockWidget_WorkSpace")->isVisible());
        QVERIFY(!child<QDockWidget>("dockWidget_ParamDescription")->isVisible());
        QVERIFY(!child<QDockWidget>("dockWidget_Console")->isVisible());
        QVERIFY(child<QPlainTextEdit>("plainTextEdit_Console")->isReadOnly());
        QVERIFY(child<QPlainTextEdit>("plainTextEdit_ParamDescription")->isReadOnly());
        QVERIFY(lastConsoleLine().endsWith(QStringLiteral("]: GUI initialization successful.")));
        QVERIFY(child<QPushButton>("btn_Comm")->isChecked());

        QVERIFY(window->isDockNestingEnabled());
        QCOMPARE(window->contextMenuPolicy(), Qt::NoContextMenu);
        auto* workspace = child<QDockWidget>("dockWidget_WorkSpace");
        QCOMPARE(workspace->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        QCOMPARE(window->dockWidgetArea(workspace), Qt::LeftDockWidgetArea);
        QCOMPARE(window->dockWidgetArea(child<QDockWidget>("dockWidget_ParamDescription")),
            Qt::RightDockWidgetArea);
        QCOMPARE(window->dockWidgetArea(child<QDockWidget>("dockWidget_Console")), Qt::BottomDockWidgetArea);
        QCOMPARE(child<QWidget>("dockWidgetContents_WorkSpace")->minimumWidth(), 200);
        QCOMPARE(child<QPlainTextEdit>("plainTextEdit_Console")->font().pointSize(), 8);
        QCOMPARE(child<QPlainTextEdit>("plainTextEdit_ParamDescription")->font().pointSize(), 8);
    }

    void windowFitsTheScreenAndIsCentred()
    {
        makeWindow(Global::DEVICE_SERVO);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect geometry = window->geometry();
        if (available.width() >= 1500 && available.height() >= 900)
            QCOMPARE(geometry.size(), QSize(1500, 900));
        else
            QVERIFY2(available.contains(geometry), "window larger than the screen");
        // Centred as a whole, frame included (within the frame's own margins).
        const QRect frame = window->frameGeometry();
        QVERIFY2(available.contains(frame), "frame outside the screen");
        QVERIFY(qAbs(frame.center().x() - available.center().x()) <= 8);
        QVERIFY(qAbs(frame.center().y() - available.center().y()) <= 8);
        // What must stay usable on a small screen is no bigger than it.
        QVERIFY(window->minimumSizeHint().width() <= 1366);
        QVERIFY(window->minimumSizeHint().height() <= 768);
    }

    void workspaceButtonsFollowTheFamily_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("servo") << int(Global::DEVICE_SERVO)
                               << QStringList { "btn_Comm", "btn_Scope", "btn_Motion", "btn_IO",
                                      "btn_Monitor", "btn_ParamTable" };
        QTest::newRow("vfd") << int(Global::DEVICE_VFD)
                             << QStringList { "btn_Comm", "btn_Scope", "btn_ControlPanel", "btn_ParamTable" };
    }
    void workspaceButtonsFollowTheFamily()
    {
        QFETCH(int, family);
        QFETCH(QStringList, shown);
        makeWindow(family);
        const QMap<QString, QPair<QString, QString>> buttons { { "btn_Comm",
                                                                   { " Communication", "Connect" } },
            { "btn_Scope", { " Scope", "Scope" } }, { "btn_Motion", { " Motion", "Motion" } },
            { "btn_IO", { " I/O", "IO" } }, { "btn_Monitor", { " Monitor", "Monitor" } },
            { "btn_ControlPanel", { " Control Panel", "ControlPanel" } },
            { "btn_FaultPanel", { " Faults Panel", "Monitor" } },
            { "btn_ParamTable", { " Parameter Table", "Parameters" } } };
        for (auto it = buttons.begin(); it != buttons.end(); ++it) {
            auto* button = window->findChild<QPushButton*>(it.key());
            QVERIFY2(button, qPrintable(it.key()));
            QCOMPARE(button->isVisible(), shown.contains(it.key()));
            QCOMPARE(button->text(), it.value().first);
            QCOMPARE(button->iconSize(), QSize(28, 28));
            QVERIFY(!button->icon().isNull());
            const QIcon expected(
                QStringLiteral(":/Picture/Images/ButtonPic/") + it.value().second + QStringLiteral(".png"));
            QVERIFY2(!expected.pixmap(28).isNull(), qPrintable(it.value().second));
            QVERIFY2(UiTest::iconImage(button->icon(), 28) == UiTest::iconImage(expected, 28),
                qPrintable(it.key()));
            QCOMPARE(button->minimumHeight(), 40);
            QCOMPARE(button->font().pointSize(), 11);
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    // A registered page opens from its workspace button, named by class and id, wired to the window.
    void parameterTableOpensFromItsButton()
    {
        makeWindow(Global::DEVICE_SERVO);
        auto* tabs = child<QTabWidget>("tabWidgetContent");
        child<QPushButton>("btn_ParamTable")->click();
        QCOMPARE(tabs->count(), 2);
        QWidget* page = tabs->currentWidget();
        QCOMPARE(page->objectName(), QStringLiteral("GUI_ParamTable2"));
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral(" Parameter Table"));
        QVERIFY(child<QPushButton>("btn_ParamTable")->isChecked());
        QVERIFY(!child<QPushButton>("btn_Comm")->isChecked());
        auto* base = qobject_cast<WidgetBase*>(page);
        QVERIFY(base && base->isCurrentPage());
        emit base->sig_printParma(QStringLiteral("P0-01"));
        QCOMPARE(
            child<QPlainTextEdit>("plainTextEdit_ParamDescription")->toPlainText(), QStringLiteral("P0-01"));
        emit base->sig_printToConsole(QStringLiteral("From the table"));
        QVERIFY(lastConsoleLine().endsWith(QStringLiteral("]: From the table.")));
    }

    void workspaceFontRendersThroughTheSubstitute()
    {
        // Start-up maps the application font onto the CJK-complete Noto face; the 11-point workspace
        // font must resolve to it too rather than to whatever the system picks.
        QFont::insertSubstitutions(QStringLiteral("Microsoft Yahei"), { QStringLiteral("Noto Sans CJK SC") });
        makeWindow(Global::DEVICE_SERVO);
        const QFontInfo info(child<QPushButton>("btn_Scope")->font());
        QCOMPARE(info.family(), QStringLiteral("Noto Sans CJK SC"));
        QCOMPARE(info.pointSize(), 11);
    }

    void toolBar_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("familyText");
        QTest::addColumn<bool>("hasEnable");
        QTest::newRow("servo") << int(Global::DEVICE_SERVO) << QStringLiteral("Servo family") << true;
        QTest::newRow("vfd") << int(Global::DEVICE_VFD) << QStringLiteral("VFD family") << false;
    }
    void toolBar()
    {
        QFETCH(int, family);
        QFETCH(QString, familyText);
        QFETCH(bool, hasEnable);
        makeWindow(family);
        QCOMPARE(window->toolBar()->windowTitle(), QStringLiteral("ToolBar"));
        QCOMPARE(window->deviceButton()->text(), familyText);
        QCOMPARE(window->deviceButton()->popupMode(), QToolButton::InstantPopup);
        const auto familyActions = window->deviceButton()->menu()->actions();
        QCOMPARE(familyActions.size(), 2);
        QCOMPARE(familyActions.at(0)->text(), QStringLiteral("Servo family"));
        QCOMPARE(familyActions.at(1)->text(), QStringLiteral("VFD family"));
        QCOMPARE(familyActions.at(family)->isChecked(), true);
        QCOMPARE(familyActions.at(1 - family)->isChecked(), false);

        QCOMPARE(window->softResetButton()->text(), QStringLiteral("Sofe reset"));
        QCOMPARE(window->softResetButton()->toolTip(), QStringLiteral("Sofe reset"));
        QCOMPARE(window->restoreButton()->text(), QStringLiteral("Restore"));
        QCOMPARE(window->restoreButton()->toolTip(), QStringLiteral("Restore factory parameters"));
        QCOMPARE(window->connectButton()->text(), QStringLiteral("Offline"));
        QCOMPARE(window->connectButton()->toolTip(), QStringLiteral("Connect or disconnect to the device"));
        QCOMPARE(window->enableButton() != nullptr, hasEnable);
        if (hasEnable) {
            QCOMPARE(window->enableButton()->text(), QStringLiteral("Disable"));
            QCOMPARE(
                window->enableButton()->toolTip(), QStringLiteral("Enabling or disabled the current device"));
        }
        const QVector<QPair<QToolButton*, QString>> icons { { window->deviceButton(), "/Device.png" },
            { window->softResetButton(), "SoftReset.png" }, { window->restoreButton(), "Restore.png" },
            { window->connectButton(), "OffLine.png" }, { window->enableButton(), "Disable.png" } };
        for (const auto& entry : icons) {
            QToolButton* button = entry.first;
            if (!button)
                continue;
            QCOMPARE(button->parent(), window->toolBar());
            QCOMPARE(button->minimumWidth(), 65);
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            QCOMPARE(button->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
            QCOMPARE(button->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
            QVERIFY2(!button->icon().pixmap(32).isNull(), qPrintable(button->text()));
            const QIcon expected(QStringLiteral(":/Icon/Images/Icon_32x32/") + entry.second);
            QVERIFY2(
                UiTest::iconImage(button->icon()) == UiTest::iconImage(expected), qPrintable(entry.second));
        }
        // The family button is the first of the bar, a separator after it and after the restore button.
        const auto barActions = window->toolBar()->actions();
        QVERIFY(barActions.size() >= 6);
        QVERIFY(barActions.at(1)->isSeparator());
        QVERIFY(barActions.at(4)->isSeparator());
        QCOMPARE(window->toolBar()->widgetForAction(barActions.at(0)), window->deviceButton());
        QCOMPARE(window->toolBar()->widgetForAction(barActions.at(5)), window->connectButton());
    }

    void menus()
    {
        makeWindow(Global::DEVICE_SERVO, Global::LANGUAGE_CN);
        QStringList titles;
        for (QAction* action : window->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList { "File(&F)", "View(&V)", "Tools(&T)", "Help(&H)" }));
        QVERIFY(menuTitled("File(&F)")->actions().isEmpty());
        QVERIFY(menuTitled("Tools(&T)")->actions().isEmpty());

        const auto views = menuTitled("View(&V)")->actions();
        QCOMPARE(views.size(), 5);
        QCOMPARE(views.at(0), window->toolBar()->toggleViewAction());
        QCOMPARE(views.at(1), child<QDockWidget>("dockWidget_WorkSpace")->toggleViewAction());
        QCOMPARE(views.at(2), child<QDockWidget>("dockWidget_ParamDescription")->toggleViewAction());
        QCOMPARE(views.at(3), child<QDockWidget>("dockWidget_Console")->toggleViewAction());
        QCOMPARE(views.at(4), child<QDockWidget>("dockWidget_BusMonitor")->toggleViewAction());
        views.at(3)->trigger();
        QVERIFY(child<QDockWidget>("dockWidget_Console")->isVisible());

        const auto help = menuTitled("Help(&H)")->actions();
        QCOMPARE(help.size(), 2);
        QCOMPARE(help.at(0)->text(), QStringLiteral("Language"));
        QCOMPARE(help.at(1)->text(), QStringLiteral("About"));
        const auto languages = help.at(0)->menu()->actions();
        QCOMPARE(languages.at(0)->text(), QStringLiteral("English"));
        QCOMPARE(languages.at(1)->text(), QStringLiteral("Chinese"));
        QVERIFY(!languages.at(0)->isChecked());
        QVERIFY(languages.at(1)->isChecked());
    }

    void consoleLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain") << "Connected"
                               << "Connected.";
        QTest::newRow("already a period") << "Done."
                                          << "Done..";
        QTest::newRow("empty") << ""
                               << ".";
    }
    void consoleLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, line);
        makeWindow(Global::DEVICE_SERVO);
        window->slot_printToConsole(text);
        const QRegularExpression format(QStringLiteral("^\\[(\\d\\d):(\\d\\d):(\\d\\d)\\]: (.*)$"));
        const auto match = format.match(lastConsoleLine());
        QVERIFY2(match.hasMatch(), qPrintable(lastConsoleLine()));
        QCOMPARE(match.captured(4), line);
        const QTime stamp(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
        QVERIFY(qAbs(stamp.secsTo(QTime::currentTime())) <= 2 || stamp.secsTo(QTime::currentTime()) > 86000);
    }

    void messageBoxes_data()
    {
        QTest::addColumn<int>("info");
        QTest::addColumn<int>("icon");
        QTest::newRow("information") << int(Global::MESSAGE_INFORMATION) << int(QMessageBox::Information);
        QTest::newRow("warning") << int(Global::MESSAGE_WARNNING) << int(QMessageBox::Warning);
        QTest::newRow("critical") << int(Global::MESSAGE_CRITICAL) << int(QMessageBox::Critical);
        QTest::newRow("about") << int(Global::MESSAGE_ABOUT) << int(QMessageBox::NoIcon);
    }
    void messageBoxes()
    {
        QFETCH(int, info);
        QFETCH(int, icon);
        makeWindow(Global::DEVICE_SERVO);
        BoxAnswerer answer(QMessageBox::Ok);
        window->slot_showMessageBox(QStringLiteral("Check the cable"), Global::MESSAGE_INFO(info));
        QVERIFY(answer.answered());
        QCOMPARE(answer.seen.title, QStringLiteral("Tips"));
        QCOMPARE(answer.seen.text, QStringLiteral("Check the cable."));
        QCOMPARE(int(answer.seen.icon), icon);
        QCOMPARE(answer.seen.buttons, QStringList { QStringLiteral("OK") });
    }

    void unknownMessageKindShowsNothing()
    {
        makeWindow(Global::DEVICE_SERVO);
        BoxAnswerer answer(QMessageBox::Ok, 300);
        window->slot_showMessageBox(QStringLiteral("Nothing"), Global::MESSAGE_INFO(9));
        QTest::qWait(350);
        QVERIFY(!answer.answered());
    }

    void descriptionIsReplaced()
    {
        makeWindow(Global::DEVICE_SERVO);
        window->slot_printParma(QStringLiteral("first"));
        window->slot_printParma(QStringLiteral("second"));
        QCOMPARE(
            child<QPlainTextEdit>("plainTextEdit_ParamDescription")->toPlainText(), QStringLiteral("second"));
    }

    void driveActionsWarnWhileOffLine_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("enable") << "toolButton_Enable";
        QTest::newRow("soft reset") << "toolButton_SoftReset";
        QTest::newRow("restore") << "toolButton_Restore";
    }
    void driveActionsWarnWhileOffLine()
    {
        QFETCH(QString, button);
        makeWindow(Global::DEVICE_SERVO);
        BoxAnswerer answer(QMessageBox::Ok);
        QElapsedTimer clock;
        clock.start();
        window->findChild<QToolButton*>(button)->click();
        QVERIFY(answer.answered());
        // Off line the warning comes at once: the enable button's half-second pause is for the drive.
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(answer.seen.title, QStringLiteral("Tips"));
        QCOMPARE(answer.seen.text, QStringLiteral("No communication with the drive(Off Line)."));
        QCOMPARE(answer.seen.icon, QMessageBox::Warning);
        QVERIFY(window->findChildren<QProgressDialog*>().isEmpty());
    }

    // The connection page asks for its boxes from inside the service's state reports: the box must
    // open from the event loop, after the report has been handled, not inside it.
    void connectionPageBoxesAreQueued()
    {
        makeWindow(Global::DEVICE_SERVO);
        ConnectionPage* page = window->controller()->communicationPage();
        BoxAnswerer answer(QMessageBox::Ok);
        emit page->sig_showMessageBox(QStringLiteral("Later"), Global::MESSAGE_CRITICAL);
        QVERIFY(!answer.answered());
        QTRY_VERIFY(answer.answered());
        QCOMPARE(answer.seen.text, QStringLiteral("Later."));
        QCOMPARE(answer.seen.icon, QMessageBox::Critical);

        // Its console lines need no such care.
        emit page->sig_printToConsole(QStringLiteral("At once"));
        QVERIFY(lastConsoleLine().endsWith(QStringLiteral("]: At once.")));
    }

    void enableIndicator_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QVector<quint16>>("values");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("state");
        QTest::newRow("enabled") << "AEnableState" << QVector<quint16> { 1 } << " Enabled"
                                 << int(Communication::COMM_ENABLE);
        QTest::newRow("disabled") << "AEnableState" << QVector<quint16> { 0 } << " Disable"
                                  << int(Communication::COMM_DISABLE);
        QTest::newRow("other value") << "AEnableState" << QVector<quint16> { 3 } << " Disable"
                                     << int(Communication::COMM_DISABLE);
        QTest::newRow("failed read") << "AEnableState" << QVector<quint16> {} << " Disable"
                                     << int(Communication::COMM_DISABLE);
        QTest::newRow("other tag") << "P0-19" << QVector<quint16> { 1 } << "Disable" << -1;
    }
    void enableIndicator()
    {
        QFETCH(QString, tag);
        QFETCH(QVector<quint16>, values);
        QFETCH(QString, text);
        QFETCH(int, state);
        makeWindow(Global::DEVICE_SERVO);
        Communication* comm = Communication::instance();
        comm->setEnableState(Communication::COMM_DISABLE);
        if (state == Communication::COMM_DISABLE)
            comm->setEnableState(Communication::COMM_ENABLE); // must be overwritten
        emit comm->resultCallBackEvent(tag, values);
        QCOMPARE(window->enableButton()->text(), text);
        if (state >= 0)
            QCOMPARE(int(comm->enableState()), state);
        comm->setEnableState(Communication::COMM_DISABLE);
    }

    void disconnectShowsDisableWithoutResettingTheStoredState()
    {
        makeWindow(Global::DEVICE_SERVO);
        Communication* comm = Communication::instance();
        emit comm->resultCallBackEvent(QStringLiteral("AEnableState"), { 1 });
        QCOMPARE(window->enableButton()->text(), QStringLiteral(" Enabled"));
        emit comm->connectEvent(Communication::COMM_DISCONNECT);
        QCOMPARE(window->enableButton()->text(), QStringLiteral(" Disable"));
        QCOMPARE(comm->enableState(), Communication::COMM_ENABLE);
        comm->setEnableState(Communication::COMM_DISABLE);
    }

    void familySwitch_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("device");
        QTest::newRow("servo to vfd, yes") << 0 << int(QMessageBox::Yes) << 100 << 1;
        QTest::newRow("vfd to servo, yes") << 1 << int(QMessageBox::Yes) << 100 << 0;
        QTest::newRow("servo to vfd, no") << 0 << int(QMessageBox::No) << -1 << 0;
    }
    void familySwitch()
    {
        QFETCH(int, start);
        QFETCH(int, answer);
        QFETCH(int, exitCode);
        QFETCH(int, device);
        work->writeInit(start, 0);
        makeWindow(start);
        const auto actions = window->deviceButton()->menu()->actions();
        BoxAnswerer box { QMessageBox::StandardButton(answer) };
        const int code = exitCodeOf([&] { actions.at(1 - start)->trigger(); });
        QVERIFY(box.answered());
        QCOMPARE(box.seen.title, QStringLiteral("Warning"));
        QCOMPARE(box.seen.text,
            QStringLiteral("The application will change the drive family, and then restart.<br>"
                           "Do you wish to continue?"));
        QCOMPARE(code, exitCode);
        QCOMPARE(int(Global::instance()->device()), device);
        QCOMPARE(actions.at(device)->isChecked(), true);
        QCOMPARE(actions.at(1 - device)->isChecked(), false);

        window.reset();
        QVERIFY2(work->readInit().contains(QStringLiteral("<Device>%1</Device>").arg(device)),
            qPrintable(work->readInit()));
    }

    void choosingTheCurrentFamilyAsksNothing()
    {
        makeWindow(Global::DEVICE_VFD);
        BoxAnswerer box(QMessageBox::Yes, 300);
        const int code = exitCodeOf([&] { window->deviceButton()->menu()->actions().at(1)->trigger(); });
        QTest::qWait(350);
        QVERIFY(!box.answered());
        QCOMPARE(code, -1);
        QCOMPARE(int(Global::instance()->device()), int(Global::DEVICE_VFD));
    }

    void languageSwitch_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("to chinese, yes") << 0 << int(QMessageBox::Yes) << 100;
        QTest::newRow("to english, yes") << 1 << int(QMessageBox::Yes) << 100;
        QTest::newRow("to chinese, no") << 0 << int(QMessageBox::No) << -1;
    }
    void languageSwitch()
    {
        QFETCH(int, start);
        QFETCH(int, answer);
        QFETCH(int, exitCode);
        work->writeInit(0, start);
        makeWindow(Global::DEVICE_SERVO, start);
        QMenu* help = menuTitled(QStringLiteral("Help(&H)"));
        const auto languages = help->actions().at(0)->menu()->actions();
        BoxAnswerer box { QMessageBox::StandardButton(answer) };
        const int code = exitCodeOf([&] { languages.at(1 - start)->trigger(); });
        QVERIFY(box.answered());
        QCOMPARE(box.seen.title, QStringLiteral("Tips"));
        QCOMPARE(box.seen.text,
            QStringLiteral("The current language has changed and takes effect after the restart."
                           "<br>Do you wish to restart it now?"));
        QCOMPARE(code, exitCode);
        // Stored whatever the answer: a declined restart applies the choice at the next start.
        QCOMPARE(int(Global::instance()->language()), 1 - start);
        window.reset();
        QVERIFY(work->readInit().contains(QStringLiteral("<Language>%1</Language>").arg(1 - start)));
    }

    // Declining the restart and then choosing the language on screen again must leave that language
    // stored, as the menu shows: the next start may not come up in the language given up on.
    void languageChosenBackIsStoredWithoutAsking()
    {
        work->writeInit(0, 0);
        makeWindow(Global::DEVICE_SERVO, Global::LANGUAGE_EN);
        const auto languages = menuTitled(QStringLiteral("Help(&H)"))->actions().at(0)->menu()->actions();
        {
            BoxAnswerer box(QMessageBox::No);
            QCOMPARE(exitCodeOf([&] { languages.at(1)->trigger(); }), -1);
            QVERIFY(box.answered());
            QCOMPARE(int(Global::instance()->language()), int(Global::LANGUAGE_CN));
        }
        BoxAnswerer box(QMessageBox::Yes, 300);
        QCOMPARE(exitCodeOf([&] { languages.at(0)->trigger(); }), -1);
        QTest::qWait(350);
        QVERIFY(!box.answered());
        QVERIFY(languages.at(0)->isChecked());
        QCOMPARE(int(Global::instance()->language()), int(Global::LANGUAGE_EN));
        window.reset();
        QVERIFY(work->readInit().contains(QStringLiteral("<Language>0</Language>")));
    }

    void aboutDialog()
    {
        makeWindow(Global::DEVICE_SERVO);
        QMenu* help = menuTitled(QStringLiteral("Help(&H)"));
        QAction* about = help->actions().at(1);
        about->trigger();
        QPointer<GUI_About> first = window->controller()->aboutDialog();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(!first->isModal());
        QCOMPARE(first->windowTitle(), QStringLiteral("About"));
        QCOMPARE(first->size(), QSize(525, 230));
        QCOMPARE(first->minimumSize(), QSize(525, 230));
        QCOMPARE(first->maximumSize(), QSize(525, 230));
        QCOMPARE(first->findChild<QLabel*>(QStringLiteral("Lbl_Text"))->text(),
            QStringLiteral("Version: 1.0.12.0"));
        QVERIFY(!(first->windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(first->styleSheet(),
            QStringLiteral("QDialog{background-color: rgb(255, 255, 255);"
                           "border:1px solid #ffffff;border-radius:3px;}"));
        QCOMPARE(
            first->findChild<QPushButton*>(QStringLiteral("Btn_CLose"))->text(), QStringLiteral("Close"));
        for (const char* name : { "gridLayout", "verticalLayout", "horizontalLayout_2", "horizontalLayout" })
            QVERIFY2(first->findChild<QLayout*>(QString::fromLatin1(name)), name);
        auto* text = first->findChild<QLabel*>(QStringLiteral("Lbl_Text"));
        QCOMPARE(text->alignment(), Qt::AlignCenter);
        QCOMPARE(text->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        auto* logo = first->findChild<QLabel*>(QStringLiteral("Lbl_Pic"));
        QVERIFY(!logo->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(logo->size(), QSize(80, 80));
        // The licence, whole within the fixed size.
        auto* licence = first->findChild<QLabel*>(QStringLiteral("Lbl_Licence"));
        QVERIFY(licence->isVisible());
        QVERIFY2(licence->text().contains(QStringLiteral(
                     "<a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GNU General Public License, "
                     "version 3 or later</a>")),
            qPrintable(licence->text()));
        QVERIFY(
            licence->text().contains(QStringLiteral("QCustomPlot, licensed under the GNU GPL version 3")));
        QVERIFY(licence->openExternalLinks());
        QVERIFY(first->rect().contains(licence->geometry()));
        QVERIFY(licence->heightForWidth(licence->width()) <= licence->height());

        about->trigger();
        QCOMPARE(window->controller()->aboutDialog(), first.data());
        QCOMPARE(window->findChildren<GUI_About*>().size(), 1);

        QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("Btn_CLose")), Qt::LeftButton);
        QVERIFY(!window->controller()->aboutDialog());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);

        about->trigger();
        QVERIFY(window->controller()->aboutDialog());
        QVERIFY(window->controller()->aboutDialog()->isVisible());
        // Escape (or the frame's close) ends in the same place.
        QTest::keyClick(window->controller()->aboutDialog(), Qt::Key_Escape);
        QVERIFY(!window->controller()->aboutDialog());
    }

    // The console starts hidden: a warning or critical line stays in the status bar until the next
    // one, whoever printed it, and a click on it opens the console. Information lines leave it.
    void statusBarKeepsTheLastWarning()
    {
        makeWindow(Global::DEVICE_SERVO);
        StatusLine* status = window->statusLine();
        QVERIFY(window->statusBar()->isVisible());
        QVERIFY(!child<QDockWidget>("dockWidget_Console")->isVisible());
        QVERIFY(status->messageText().isEmpty()); // "GUI initialization successful" is no warning

        emit Communication::instance()->printEvent(QStringLiteral("The drive does not answer"));
        QCOMPARE(status->messageText(), lastConsoleLine());
        QVERIFY(status->messageText().endsWith(QStringLiteral("]: The drive does not answer.")));
        QCOMPARE(status->messageLevel(), Global::MESSAGE_WARNNING);

        WidgetBase* page = window->controller()->communicationPage();
        emit page->sig_printToConsole(QStringLiteral("Settings taken from the drive found"));
        QVERIFY(status->messageText().endsWith(QStringLiteral("]: The drive does not answer.")));

        DefinitionError damaged;
        damaged.kind = DefinitionError::Malformed;
        damaged.file = QStringLiteral("./Driver/Config/SERVO/KSD-V1.10/EN/Variables.xml");
        damaged.message = QStringLiteral("unexpected end of file");
        damaged.line = 12;
        page->reportDefinitionError(damaged);
        QTRY_VERIFY(
            status->messageText().endsWith(QStringLiteral("]: ") + damaged.text() + QLatin1Char('.')));
        QCOMPARE(status->messageLevel(), Global::MESSAGE_WARNNING);

        window->slot_printToConsole(QStringLiteral("Serial device access failed"), Global::MESSAGE_CRITICAL);
        QVERIFY(status->messageText().endsWith(QStringLiteral("]: Serial device access failed.")));
        QCOMPARE(status->messageLevel(), Global::MESSAGE_CRITICAL);
        // Long lines are cut to the bar, whole in the tool tip, and never widen the window.
        const QString longLine = QString(QStringLiteral("recovery ")).repeated(80);
        const int width = window->width();
        emit Communication::instance()->printEvent(longLine);
        QCOMPARE(window->width(), width);
        auto* shown = window->statusBar()->findChild<QLabel*>(QStringLiteral("Lbl_StatusMessage"));
        QVERIFY(shown->text().size() < status->messageText().size());
        QCOMPARE(shown->toolTip(), status->messageText());

        QTest::mouseClick(shown, Qt::LeftButton);
        QVERIFY(child<QDockWidget>("dockWidget_Console")->isVisible());
    }

    void enableRoundTripOnTheDrive()
    {
        SimDrive sim;
        SimDrive::Options options;
        options.baud = 9600;
        QVERIFY(sim.start(options));
        makeWindow(Global::DEVICE_SERVO);
        ConnectionPage* page = window->controller()->communicationPage();
        page->findChild<QComboBox*>(QStringLiteral("Cbx_Port"))->setEditText(sim.portName());
        StatusLine* status = window->statusLine();
        QCOMPARE(status->linkText(), QStringLiteral("Offline"));
        window->connectButton()->click();
        QCOMPARE(status->linkText(), QStringLiteral("Connecting to ") + sim.portName());
        QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED));
        QCOMPARE(
            status->linkText(), QStringLiteral("Online: %1, 9600 baud, slave address 1").arg(sim.portName()));
        Communication* comm = Communication::instance();
        QTRY_COMPARE(window->enableButton()->text(), QStringLiteral(" Disable"));

        sim.clearLog();
        QElapsedTimer pause;
        pause.start();
        window->enableButton()->click();
        // On line the drive gets half a second before the write.
        QVERIFY2(pause.elapsed() >= 500, qPrintable(QString::number(pause.elapsed())));
        QTRY_COMPARE(window->enableButton()->text(), QStringLiteral(" Enabled"));
        QCOMPARE(comm->enableState(), Communication::COMM_ENABLE);
        QCOMPARE(UiTest::iconImage(window->enableButton()->icon()),
            UiTest::iconImage(QIcon(QStringLiteral(":/Icon/Images/Icon_32x32/Enable.png"))));
        QCOMPARE(UiTest::writes(sim.log()), QStringList { QStringLiteral("06 00B5 1 1") });

        sim.clearLog();
        window->enableButton()->click();
        QTRY_COMPARE(window->enableButton()->text(), QStringLiteral(" Disable"));
        QCOMPARE(comm->enableState(), Communication::COMM_DISABLE);
        QCOMPARE(UiTest::writes(sim.log()),
            (QStringList { QStringLiteral("06 0191 1 0"), QStringLiteral("06 0192 1 4"),
                QStringLiteral("06 00B5 1 0") }));

        // The status bar follows the link through a cut cable, with the bus device's account of it.
        sim.cutLink();
        QVERIFY(UiTest::waitForState(Communication::COMM_WAITING));
        QCOMPARE(status->linkText(), QStringLiteral("Link lost, reconnecting to ") + sim.portName());
        QTRY_VERIFY(
            status->messageText().contains(QStringLiteral("Communication exception, number of retries")));
        window->connectButton()->click();
        QCOMPARE(status->linkText(), QStringLiteral("Closing the connection"));
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
        QCOMPARE(status->linkText(), QStringLiteral("Offline"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
