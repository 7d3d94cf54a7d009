// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "BusMonitorWidget.h"
#include "ClippedTextTips.h"
#include "Command.h"
#include "ConnectionPage.h"
#include "GUI_About.h"
#include "StatusLine.h"
#include "WidgetController.h"
#include "app/Xml.h"
#include "comm/DriveCommands.h"
#include "comm/DriveRegisters.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTime>
#include <QToolBar>
#include <QToolButton>

namespace {
const QString IconDir = QStringLiteral(":/Icon/Images/Icon_32x32/");
const QString ButtonPicDir = QStringLiteral(":/Picture/Images/ButtonPic/");
const QSize DesignSize(1500, 900);
} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    // Before the menus, whose View menu lists it.
    initBusMonitor();
    initStatusBar();
    initToolbar();
    initMenubar();
    initForm();
    const auto buttons = findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons)
        button->setCursor(Qt::PointingHandCursor);
    // Pages and dialogs alike: on a small screen some combo boxes are narrower than their items.
    qApp->installEventFilter(new ClippedTextTips(this));
}

MainWindow::~MainWindow()
{
    // Pages and the connection page go down with the window; nothing of this half-destroyed window
    // may be called back meanwhile.
    Communication::instance()->disconnect(this);
    // Pages still in their tabs go down with the window; the parameter table clears the
    // description dock from its destructor.
    for (WidgetBase* page : findChildren<WidgetBase*>())
        page->disconnect(this);
    if (m_controller) {
        ui->tabWidget->disconnect(m_controller);
        m_controller->deleteLater();
    }
    // The pages end what they started on the drive (stops, the control panel's command source)
    // while the link is still up: the connection page, which closes it, goes after them.
    QList<QPointer<WidgetBase>> pages;
    for (int index = 0; index < ui->tabWidget->count(); ++index) {
        auto* page = qobject_cast<WidgetBase*>(ui->tabWidget->widget(index));
        if (page && !qobject_cast<ConnectionPage*>(page))
            pages.append(page);
    }
    for (const QPointer<WidgetBase>& page : qAsConst(pages))
        delete page.data();
    Global::instance()->setBusMonitorVisible(!m_busMonitorDock->isHidden());
    Xml memory;
    memory.writeMemory();
    delete ui;
}

void MainWindow::initToolbar()
{
    m_toolBar = new QToolBar(tr("ToolBar"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));

    auto* familyMenu = new QMenu(this);
    auto* familyGroup = new QActionGroup(familyMenu);
    familyGroup->setExclusive(true);
    QAction* servoAction = familyMenu->addAction(tr("Servo family"));
    QAction* vfdAction = familyMenu->addAction(tr("VFD family"));
    servoAction->setObjectName(QStringLiteral("actionServoFamily"));
    vfdAction->setObjectName(QStringLiteral("actionVfdFamily"));
    for (QAction* action : { servoAction, vfdAction }) {
        action->setCheckable(true);
        familyGroup->addAction(action);
    }

    m_deviceButton = new QToolButton(m_toolBar);
    m_deviceButton->setObjectName(QStringLiteral("toolButton_Device"));
    m_deviceButton->setIcon(QIcon(IconDir + QStringLiteral("/Device.png")));
    m_deviceButton->setPopupMode(QToolButton::InstantPopup);
    m_deviceButton->setMenu(familyMenu);
    m_toolBar->addWidget(m_deviceButton);
    m_toolBar->addSeparator();

    m_softResetButton = new QToolButton(m_toolBar);
    m_softResetButton->setObjectName(QStringLiteral("toolButton_SoftReset"));
    m_softResetButton->setIcon(QIcon(IconDir + QStringLiteral("SoftReset.png")));
    m_softResetButton->setText(tr("Sofe reset"));
    m_softResetButton->setToolTip(tr("Sofe reset"));
    connect(m_softResetButton, &QToolButton::clicked, this, &MainWindow::actionToolButton_SoftReset_Clicked);
    m_toolBar->addWidget(m_softResetButton);

    m_restoreButton = new QToolButton(m_toolBar);
    m_restoreButton->setObjectName(QStringLiteral("toolButton_Restore"));
    m_restoreButton->setIcon(QIcon(IconDir + QStringLiteral("Restore.png")));
    m_restoreButton->setText(tr("Restore"));
    m_restoreButton->setToolTip(tr("Restore factory parameters"));
    connect(m_restoreButton, &QToolButton::clicked, this, &MainWindow::actionToolButton_Restore_Clicked);
    m_toolBar->addWidget(m_restoreButton);
    m_toolBar->addSeparator();

    // The connection page takes this button over and drives it with the link state.
    m_connectButton = new QToolButton(m_toolBar);
    m_connectButton->setObjectName(QStringLiteral("toolButton_Connect"));
    m_connectButton->setIcon(QIcon(IconDir + QStringLiteral("OffLine.png")));
    m_connectButton->setText(tr("Offline"));
    m_connectButton->setToolTip(tr("Connect or disconnect to the device"));
    m_toolBar->addWidget(m_connectButton);

    const quint8 family = Global::instance()->device();
    if (family == Global::DEVICE_SERVO) {
        m_enableButton = new QToolButton(m_toolBar);
        m_enableButton->setObjectName(QStringLiteral("toolButton_Enable"));
        m_enableButton->setIcon(QIcon(IconDir + QStringLiteral("Disable.png")));
        m_enableButton->setText(tr("Disable"));
        m_enableButton->setToolTip(tr("Enabling or disabled the current device"));
        connect(m_enableButton, &QToolButton::clicked, this, &MainWindow::actionToolButton_Enable_Clicked);
        m_toolBar->addWidget(m_enableButton);
    }

    addToolBar(m_toolBar);
    // Only our own buttons: the tool bar keeps an extension button of its own among its children.
    for (QToolButton* button :
        { m_deviceButton, m_softResetButton, m_restoreButton, m_connectButton, m_enableButton }) {
        if (!button)
            continue;
        button->setMinimumWidth(65);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    if (family == Global::DEVICE_SERVO)
        m_startFamilyAction = servoAction;
    else if (family == Global::DEVICE_VFD)
        m_startFamilyAction = vfdAction;
    if (m_startFamilyAction) {
        m_startFamilyAction->setChecked(true);
        m_deviceButton->setText(m_startFamilyAction->text());
    }

    connect(familyGroup, &QActionGroup::triggered, this, [this, servoAction, vfdAction](QAction* action) {
        if (action == m_startFamilyAction)
            return;
        if (action == servoAction)
            deviceChangeEvent(Global::DEVICE_SERVO);
        else if (action == vfdAction)
            deviceChangeEvent(Global::DEVICE_VFD);
    });
}

void MainWindow::initMenubar()
{
    QMenuBar* bar = menuBar();
    bar->addMenu(tr("File") + QStringLiteral("(&F)"));
    QMenu* viewMenu = bar->addMenu(tr("View") + QStringLiteral("(&V)"));
    bar->addMenu(tr("Tools") + QStringLiteral("(&T)"));
    QMenu* helpMenu = bar->addMenu(tr("Help") + QStringLiteral("(&H)"));

    viewMenu->addAction(m_toolBar->toggleViewAction());
    viewMenu->addAction(ui->dockWidget_WorkSpace->toggleViewAction());
    viewMenu->addAction(ui->dockWidget_ParamDescription->toggleViewAction());
    viewMenu->addAction(ui->dockWidget_Console->toggleViewAction());
    viewMenu->addAction(m_busMonitorDock->toggleViewAction());

    QMenu* languageMenu = helpMenu->addMenu(tr("Language"));
    auto* languageGroup = new QActionGroup(languageMenu);
    languageGroup->setExclusive(true);
    QAction* englishAction = languageMenu->addAction(tr("English"));
    QAction* chineseAction = languageMenu->addAction(tr("Chinese"));
    englishAction->setObjectName(QStringLiteral("actionEnglish"));
    chineseAction->setObjectName(QStringLiteral("actionChinese"));
    for (QAction* action : { englishAction, chineseAction }) {
        action->setCheckable(true);
        languageGroup->addAction(action);
    }

    QAction* aboutAction = helpMenu->addAction(tr("About"));
    aboutAction->setObjectName(QStringLiteral("actionAbout"));
    aboutAction->setShortcut(QKeySequence());
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);

    const quint8 language = Global::instance()->language();
    if (language == Global::LANGUAGE_EN)
        m_startLanguageAction = englishAction;
    else if (language == Global::LANGUAGE_CN)
        m_startLanguageAction = chineseAction;
    if (m_startLanguageAction)
        m_startLanguageAction->setChecked(true);

    connect(languageGroup, &QActionGroup::triggered, this,
        [this, englishAction, chineseAction, language](QAction* action) {
            if (action == m_startLanguageAction) {
                // Back to the language on screen after a declined restart: nothing to restart
                // for, but the next start must not bring up the language given up on.
                Global::instance()->setLanguage(language);
                return;
            }
            if (action == englishAction)
                languageChangeEvent(Global::LANGUAGE_EN);
            else if (action == chineseAction)
                languageChangeEvent(Global::LANGUAGE_CN);
        });
}

void MainWindow::initForm()
{
    resize(DesignSize);
    fitToScreen();
    setDockNestingEnabled(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setWindowTitle(QStringLiteral("Kestrova"));

    ui->centerWidget->setProperty("nav", QStringLiteral("withLine"));
    ui->tabWidget->setObjectName(QStringLiteral("tabWidgetContent"));

    ui->dockWidget_WorkSpace->setWindowTitle(tr("Workspace"));
    ui->dockWidget_ParamDescription->setWindowTitle(tr("Description"));
    ui->dockWidget_Console->setWindowTitle(tr("Console"));
    ui->dockWidgetContents_WorkSpace->setMinimumWidth(200);
    ui->dockWidget_ParamDescription->hide();
    ui->dockWidget_Console->hide();
    // Shown the first time, Qt gives the console most of the window's height, which leaves a page
    // a strip on a laptop screen; a fifth of it holds some eight lines.
    connect(ui->dockWidget_Console, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible || m_consoleSized || ui->dockWidget_Console->isFloating())
            return;
        m_consoleSized = true;
        resizeDocks({ ui->dockWidget_Console }, { height() / 5 }, Qt::Vertical);
    });

    ui->tabWidget->setTabsClosable(true);
    ui->tabWidget->setMovable(true);

    m_controller = new WidgetController;
    initWorkspace();
    m_controller->initPages(this, ui->tabWidget, Global::DEVICE_INFO(Global::instance()->device()));
    QAbstractButton* startPage = nullptr;
    for (const PageDeclaration& page : WidgetController::declaredPages()) {
        auto* button = ui->scrollAreaWidgetContents_WorkSpace->findChild<QAbstractButton*>(page.buttonName());
        if (page.presence == PageDeclaration::Hidden)
            button->hide();
        else if (page.presence == PageDeclaration::Resident)
            startPage = button;
    }

    if (ConnectionPage* connection = m_controller->communicationPage()) {
        connection->setConnectButton(m_connectButton);
        // Queued: the connection page asks for its boxes from inside the service's state reports.
        connect(connection, &WidgetBase::sig_showMessageBox, this, &MainWindow::slot_showMessageBox,
            Qt::QueuedConnection);
        connect(connection, &WidgetBase::sig_printToConsole, this, &MainWindow::slot_printToConsole);
    }

    if (startPage)
        startPage->click();

    Communication* comm = Communication::instance();
    connect(comm, &Communication::connectEvent, this, &MainWindow::connectEvent);
    connect(comm, &Communication::resultCallBackEvent, this, &MainWindow::resultCallBackEvent);
    // The bus device speaks up only about trouble: a silent drive, recovery attempts, recovery failed.
    connect(comm, &Communication::printEvent, this,
        [this](const QString& text) { slot_printToConsole(text, Global::MESSAGE_WARNNING); });
    connect(comm, &Communication::criticalEvent, this,
        [this](const QString& text) { slot_printToConsole(text, Global::MESSAGE_CRITICAL); });

    slot_printToConsole(tr("GUI initialization successful"));
}

// One button per declared page, in the workspace's rows, each registered with its page.
void MainWindow::initWorkspace()
{
    QWidget* workspace = ui->scrollAreaWidgetContents_WorkSpace;
    auto* grid = qobject_cast<QGridLayout*>(workspace->layout());
    int lastRow = -1;
    for (const PageDeclaration& page : WidgetController::declaredPages()) {
        auto* button = new QPushButton(QLatin1Char(' ') + page.translatedTitle(), workspace);
        button->setObjectName(page.buttonName());
        button->setMinimumHeight(40);
        button->setIconSize(QSize(28, 28));
        button->setIcon(QIcon(ButtonPicDir + QLatin1String(page.icon)));
        // The registry shows the buttons of the family on the link.
        button->hide();
        grid->addWidget(button, page.workspaceRow, 0);
        lastRow = qMax(lastRow, page.workspaceRow);

        const QString className = QString::fromLatin1(page.className);
        switch (page.family) {
        case PageDeclaration::AllFamilies:
            m_controller->addCommonPage(button, className);
            break;
        case PageDeclaration::ServoFamily:
            m_controller->addDevicePage(Global::DEVICE_SERVO, button, className);
            break;
        case PageDeclaration::VfdFamily:
            m_controller->addDevicePage(Global::DEVICE_VFD, button, className);
            break;
        }
    }
    grid->addItem(new QSpacerItem(20, 444, QSizePolicy::Minimum, QSizePolicy::Expanding), lastRow + 1, 0);
}

void MainWindow::initBusMonitor()
{
    m_busMonitorDock = new QDockWidget(tr("Bus monitor"), this);
    m_busMonitorDock->setObjectName(QStringLiteral("dockWidget_BusMonitor"));
    m_busMonitor = new BusMonitorWidget(m_busMonitorDock);
    m_busMonitor->setObjectName(QStringLiteral("busMonitor"));
    m_busMonitorDock->setWidget(m_busMonitor);
    addDockWidget(Qt::BottomDockWidgetArea, m_busMonitorDock);
    // Under the console rather than beside it: the list needs the window's width.
    splitDockWidget(ui->dockWidget_Console, m_busMonitorDock, Qt::Vertical);
    // Room for a dozen rows rather than the few a bottom dock gets by default, but on a laptop
    // screen (768 px) no more than a third of it: the pages need the rest.
    int dockHeight = 360;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dockHeight = qMin(dockHeight, screen->availableGeometry().height() / 3);
    resizeDocks({ m_busMonitorDock }, { dockHeight }, Qt::Vertical);
    m_busMonitorDock->setVisible(Global::instance()->busMonitorVisible());
    connect(m_busMonitor, &BusMonitorWidget::sig_printToConsole, this,
        [this](const QString& text) { slot_printToConsole(text); });
}

void MainWindow::initStatusBar()
{
    m_statusLine = new StatusLine(statusBar());
    m_statusLine->showLinkState(Communication::instance()->commState());
    connect(m_statusLine, &StatusLine::messageClicked, this, [this] {
        ui->dockWidget_Console->show();
        ui->dockWidget_Console->raise();
    });
}

void MainWindow::fitToScreen()
{
    // Small laptop screens (1366 x 768) cannot hold the design size: shrink to what is free of
    // panels, keeping room for the window frame, and centre the window there.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frameAllowance(16, 40);
    QSize size = DesignSize;
    if (size.width() > available.width() || size.height() > available.height())
        size = size.boundedTo(available.size() - frameAllowance);
    resize(size);
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(available.center());
    move(frame.topLeft());
}

bool MainWindow::pagesAgreeToClose()
{
    for (int index = 0; index < ui->tabWidget->count(); ++index) {
        auto* page = qobject_cast<WidgetBase*>(ui->tabWidget->widget(index));
        if (page && !page->confirmClose())
            return false;
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (pagesAgreeToClose())
        event->accept();
    else
        event->ignore();
}

void MainWindow::deviceChangeEvent(int family)
{
    const QString text = tr("The application will change the drive family, and then restart.")
        + QStringLiteral("<br>") + tr("Do you wish to continue?");
    const auto answer = QMessageBox::warning(
        this, tr("Warning"), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes || !pagesAgreeToClose()) {
        if (m_startFamilyAction)
            m_startFamilyAction->setChecked(true);
        return;
    }
    Global::instance()->setDevice(family);
    QCoreApplication::exit(RestartCode);
}

void MainWindow::languageChangeEvent(int language)
{
    Global::instance()->setLanguage(language);
    const QString text = tr("The current language has changed and takes effect after the restart.")
        + QStringLiteral("<br>") + tr("Do you wish to restart it now?");
    const auto answer
        = QMessageBox::warning(this, tr("Tips"), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes && pagesAgreeToClose())
        QCoreApplication::exit(RestartCode);
}

void MainWindow::showOfflineWarning()
{
    slot_showMessageBox(tr("No communication with the drive(Off Line)"), Global::MESSAGE_WARNNING);
}

void MainWindow::actionToolButton_Enable_Clicked()
{
    if (Global::instance()->device() != Global::DEVICE_SERVO)
        return;
    Communication* comm = Communication::instance();
    if (comm->commState() != Communication::COMM_CONNECTED) {
        showOfflineWarning();
        return;
    }
    QThread::msleep(500);
    if (comm->enableState() != Communication::COMM_ENABLE) {
        DriveCommands::send(DriveCommands::servoEnable(true));
        return;
    }
    // Any serial trial motion must end before the drive lets go of the motor.
    comm->stopMotion(Communication::ServoJog);
    comm->stopMotion(Communication::ServoPosition);
    DriveCommands::send(DriveCommands::servoEnable(false));
}

void MainWindow::actionToolButton_SoftReset_Clicked()
{
    if (Communication::instance()->commState() != Communication::COMM_CONNECTED) {
        showOfflineWarning();
        return;
    }
    (new Command(this))->softReset();
}

void MainWindow::actionToolButton_Restore_Clicked()
{
    if (Communication::instance()->commState() != Communication::COMM_CONNECTED) {
        showOfflineWarning();
        return;
    }
    (new Command(this))->restoreFactoryParameters();
}

void MainWindow::showAbout()
{
    if (GUI_About* about = m_controller->aboutDialog()) {
        about->raise();
        about->activateWindow();
        return;
    }
    auto* about = new GUI_About(tr("About"), this);
    m_controller->setAboutDialog(about);
    connect(about, &QDialog::rejected, this, [this, about]() {
        about->deleteLater();
        if (m_controller && m_controller->aboutDialog() == about)
            m_controller->setAboutDialog(nullptr);
    });
    about->show();
}

void MainWindow::connectEvent(Communication::CommState state)
{
    m_statusLine->showLinkState(state);
    if (state == Communication::COMM_CONNECTED && Global::instance()->device() == Global::DEVICE_SERVO)
        Communication::instance()->sendRead(
            DriveCommands::EnableStateTag, DriveRegister::Servo::EnableState, 1);
    else if (state == Communication::COMM_DISCONNECT && m_enableButton)
        setEnableIndicator(false);
}

void MainWindow::resultCallBackEvent(QString tag, QVector<quint16> values)
{
    if (!m_enableButton || tag != DriveCommands::EnableStateTag)
        return;
    const bool enabled = !values.isEmpty() && values.first() == 1;
    setEnableIndicator(enabled);
    Communication::instance()->setEnableState(
        enabled ? Communication::COMM_ENABLE : Communication::COMM_DISABLE);
}

void MainWindow::setEnableIndicator(bool enabled)
{
    if (enabled) {
        m_enableButton->setIcon(QIcon(IconDir + QStringLiteral("Enable.png")));
        m_enableButton->setText(QLatin1Char(' ') + tr("Enabled"));
    } else {
        m_enableButton->setIcon(QIcon(IconDir + QStringLiteral("Disable.png")));
        m_enableButton->setText(QLatin1Char(' ') + tr("Disable"));
    }
}

void MainWindow::slot_showMessageBox(QString text, Global::MESSAGE_INFO info)
{
    const QString shown = text + QLatin1Char('.');
    switch (info) {
    case Global::MESSAGE_INFORMATION:
        QMessageBox::information(this, tr("Tips"), shown, QMessageBox::Ok, QMessageBox::NoButton);
        break;
    case Global::MESSAGE_WARNNING:
        QMessageBox::warning(this, tr("Tips"), shown, QMessageBox::Ok, QMessageBox::NoButton);
        break;
    case Global::MESSAGE_CRITICAL:
        QMessageBox::critical(this, tr("Tips"), shown, QMessageBox::Ok, QMessageBox::NoButton);
        break;
    case Global::MESSAGE_ABOUT:
        QMessageBox::about(this, tr("Tips"), shown);
        break;
    }
}

void MainWindow::slot_printToConsole(QString text, Global::MESSAGE_INFO level)
{
    const QString line = QLatin1Char('[') + QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))
        + QStringLiteral("]: ") + text + QLatin1Char('.');
    ui->plainTextEdit_Console->appendPlainText(line);
    if (m_statusLine)
        m_statusLine->showConsoleLine(line, level);
}

void MainWindow::slot_printParma(QString text)
{
    ui->plainTextEdit_ParamDescription->setPlainText(text);
}
