// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Global.h"
#include "comm/Communication.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QVector>

class BusMonitorWidget;
class StatusLine;
class QAction;
class QDockWidget;
class QToolBar;
class QToolButton;
class WidgetController;

namespace Ui {
class MainWindow;
}

// The one top-level window: page tabs in the centre, workspace, description and console docks, the
// drive-level tool bar and the menus. Family and language changes restart the tool (exit code 100).
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    static const int RestartCode = 100;

    WidgetController* controller() const { return m_controller; }
    QToolBar* toolBar() const { return m_toolBar; }
    QToolButton* deviceButton() const { return m_deviceButton; }
    QToolButton* softResetButton() const { return m_softResetButton; }
    QToolButton* restoreButton() const { return m_restoreButton; }
    QToolButton* connectButton() const { return m_connectButton; }
    QToolButton* enableButton() const { return m_enableButton; }
    QDockWidget* busMonitorDock() const { return m_busMonitorDock; }
    BusMonitorWidget* busMonitor() const { return m_busMonitor; }
    StatusLine* statusLine() const { return m_statusLine; }

public slots:
    void initForm();
    void initToolbar();
    void initMenubar();
    void deviceChangeEvent(int family);
    void languageChangeEvent(int language);
    void actionToolButton_Enable_Clicked();
    void actionToolButton_SoftReset_Clicked();
    void actionToolButton_Restore_Clicked();
    void showAbout();
    void connectEvent(Communication::CommState state);
    void resultCallBackEvent(QString tag, QVector<quint16> values);
    void slot_showMessageBox(QString text, Global::MESSAGE_INFO info = Global::MESSAGE_INFORMATION);
    // Warning and critical lines also stay in the status bar until the next one.
    void slot_printToConsole(QString text, Global::MESSAGE_INFO level = Global::MESSAGE_INFORMATION);
    void slot_printParma(QString text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool pagesAgreeToClose();
    void initWorkspace();
    void initBusMonitor();
    void initStatusBar();
    void fitToScreen();
    void showOfflineWarning();
    void setEnableIndicator(bool enabled);

    Ui::MainWindow* ui;
    QToolBar* m_toolBar = nullptr;
    QToolButton* m_deviceButton = nullptr;
    QToolButton* m_softResetButton = nullptr;
    QToolButton* m_restoreButton = nullptr;
    QToolButton* m_connectButton = nullptr;
    QToolButton* m_enableButton = nullptr;
    QAction* m_startFamilyAction = nullptr;
    QAction* m_startLanguageAction = nullptr;
    WidgetController* m_controller = nullptr;
    QDockWidget* m_busMonitorDock = nullptr;
    BusMonitorWidget* m_busMonitor = nullptr;
    StatusLine* m_statusLine = nullptr;
    bool m_consoleSized = false;
};
