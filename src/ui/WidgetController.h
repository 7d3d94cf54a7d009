// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageDeclaration.h"
#include "app/Global.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QTabWidget;
class ConnectionPage;
class GUI_About;
class MainWindow;
class WidgetBase;

// Sits between the workspace buttons and the tab widget: builds a page when its button is first
// clicked, shows it in a tab, destroys it when the tab is closed, and keeps the buttons in step
// with the tab on screen.
class WidgetController : public QWidget
{
    Q_OBJECT
public:
    using PageConstructor = PageDeclaration::Constructor;

    struct PageEntry
    {
        QString className;
        WidgetBase* page = nullptr;
        QAbstractButton* button = nullptr;
    };

    explicit WidgetController(QWidget* parent = nullptr);
    ~WidgetController() override;

    // Registers (or replaces) the constructor of a page class under its class name.
    template <typename T> static void registerPageClass()
    {
        const PageDeclaration page = PageDeclaration::of<T>();
        pageConstructors().insert(page.className, page.construct);
    }
    static bool isPageClassRegistered(const QByteArray& className);

    // Makes a page known to the shell: its constructor is registered and the window builds its
    // workspace button. A second declaration of the same class replaces the first.
    static void declarePage(const PageDeclaration& page);
    // In the order of their ids.
    static QVector<PageDeclaration> declaredPages();
    // The declaration of a class; its id is -1 when the class was never declared.
    static PageDeclaration declaredPage(const QByteArray& className);

    void addCommonPage(QAbstractButton* button, QString className);
    void addDevicePage(Global::DEVICE_INFO family, QAbstractButton* button, QString className);
    void initPages(MainWindow* mainWindow, QTabWidget* tabWidget, Global::DEVICE_INFO family);

    ConnectionPage* communicationPage() const;
    QButtonGroup* buttonGroup() const { return m_buttonGroup; }
    PageEntry pageEntry(int id) const { return m_pages.value(id); }
    int pageCount() const { return m_pages.size(); }

    GUI_About* aboutDialog() const { return m_about; }
    void setAboutDialog(GUI_About* dialog) { m_about = dialog; }

private:
    static QHash<QByteArray, PageConstructor>& pageConstructors();
    static QVector<PageDeclaration>& declarations();
    bool isResident(const QString& className) const;

    void openPage(int id);
    void closePage(int index);
    void currentPageChanged(int index);
    void addPage(QAbstractButton* button, const QString& className, bool servo, bool vfd);

    // Leaves the controller's ownership once its tab is added; a tab widget going away deletes it.
    QPointer<ConnectionPage> m_communication;
    QString m_residentClass;
    GUI_About* m_about = nullptr;
    QButtonGroup* m_buttonGroup = nullptr;
    QMap<int, PageEntry> m_pages;
    QMap<int, QAbstractButton*> m_servoButtons;
    QMap<int, QAbstractButton*> m_vfdButtons;
    bool m_communicationShown = false;
    QTabWidget* m_tabWidget = nullptr;
    MainWindow* m_mainWindow = nullptr;
};
