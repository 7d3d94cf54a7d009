// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetController.h"

#include "ConnectionPage.h"
#include "MainWindow.h"
#include "WidgetBase.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFont>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

QHash<QByteArray, WidgetController::PageConstructor>& WidgetController::pageConstructors()
{
    static QHash<QByteArray, PageConstructor> table;
    return table;
}

bool WidgetController::isPageClassRegistered(const QByteArray& className)
{
    return pageConstructors().contains(className);
}

QVector<PageDeclaration>& WidgetController::declarations()
{
    static QVector<PageDeclaration> table;
    return table;
}

void WidgetController::declarePage(const PageDeclaration& page)
{
    QVector<PageDeclaration>& table = declarations();
    table.erase(std::remove_if(table.begin(), table.end(),
                    [&page](const PageDeclaration& known) { return known.className == page.className; }),
        table.end());
    const auto before = std::upper_bound(table.begin(), table.end(), page,
        [](const PageDeclaration& a, const PageDeclaration& b) { return a.id < b.id; });
    table.insert(before, page);
    pageConstructors().insert(page.className, page.construct);
}

QVector<PageDeclaration> WidgetController::declaredPages()
{
    return declarations();
}

PageDeclaration WidgetController::declaredPage(const QByteArray& className)
{
    for (const PageDeclaration& page : qAsConst(declarations())) {
        if (page.className == className)
            return page;
    }
    return {};
}

WidgetController::WidgetController(QWidget* parent)
    : QWidget(parent)
{
    m_buttonGroup = new QButtonGroup(this);
    // The pages are declared by the page layer before the first window is built; a button whose
    // class is not registered does nothing when clicked.
    for (const PageDeclaration& page : qAsConst(declarations())) {
        if (page.presence != PageDeclaration::Resident)
            continue;
        m_residentClass = QString::fromLatin1(page.className);
        if (const PageConstructor construct = pageConstructors().value(page.className))
            m_communication = qobject_cast<ConnectionPage*>(construct(this));
        if (m_communication)
            m_communication->setObjectName(m_residentClass);
        break;
    }
}

bool WidgetController::isResident(const QString& className) const
{
    return !m_residentClass.isEmpty() && className == m_residentClass;
}

WidgetController::~WidgetController()
{
    // Still ours only while its tab is closed; otherwise the tab widget has already taken care of it.
    if (m_communication && m_communication->parent() == this)
        delete m_communication;
}

ConnectionPage* WidgetController::communicationPage() const
{
    return m_communication;
}

void WidgetController::addPage(QAbstractButton* button, const QString& className, bool servo, bool vfd)
{
    const int id = m_pages.size();
    m_buttonGroup->addButton(button, id);
    PageEntry entry;
    entry.className = className;
    entry.button = button;
    m_pages.insert(id, entry);
    if (servo)
        m_servoButtons.insert(m_servoButtons.size(), button);
    if (vfd)
        m_vfdButtons.insert(m_vfdButtons.size(), button);
}

void WidgetController::addCommonPage(QAbstractButton* button, QString className)
{
    addPage(button, className, true, true);
}

void WidgetController::addDevicePage(Global::DEVICE_INFO family, QAbstractButton* button, QString className)
{
    addPage(button, className, family == Global::DEVICE_SERVO, family == Global::DEVICE_VFD);
}

void WidgetController::initPages(MainWindow* mainWindow, QTabWidget* tabWidget, Global::DEVICE_INFO family)
{
    m_mainWindow = mainWindow;
    m_tabWidget = tabWidget;

    const QMap<int, QAbstractButton*>* shown = nullptr;
    if (family == Global::DEVICE_SERVO)
        shown = &m_servoButtons;
    else if (family == Global::DEVICE_VFD)
        shown = &m_vfdButtons;
    if (shown) {
        for (int key = 0; key < shown->size(); ++key)
            shown->value(key)->setVisible(true);
    }

    const auto buttons = m_buttonGroup->buttons();
    for (QAbstractButton* button : buttons) {
        if (!qobject_cast<QPushButton*>(button))
            continue;
        button->setCheckable(true);
        QFont font(QStringLiteral("Microsoft Yahei"));
        font.setPointSize(11);
        button->setFont(font);
    }

    connect(m_buttonGroup, &QButtonGroup::idClicked, this, [this](int id) { openPage(id); });
    connect(tabWidget, &QTabWidget::tabCloseRequested, this, [this](int index) { closePage(index); });
    connect(tabWidget, &QTabWidget::currentChanged, this, [this](int index) { currentPageChanged(index); });
}

void WidgetController::openPage(int id)
{
    if (!m_tabWidget)
        return;
    PageEntry entry = m_pages.value(id);

    if (isResident(entry.className)) {
        if (!m_communication)
            return;
        if (!m_communicationShown) {
            m_communicationShown = true;
            m_tabWidget->addTab(m_communication, entry.button ? entry.button->text() : QString());
        }
        m_tabWidget->setCurrentWidget(m_communication);
        return;
    }

    if (entry.page) {
        m_tabWidget->setCurrentWidget(entry.page);
        return;
    }

    const PageConstructor construct = pageConstructors().value(entry.className.toLatin1());
    if (!construct)
        return;
    WidgetBase* page = construct(nullptr);
    if (!page)
        return;
    page->setObjectName(entry.className + QString::number(id));
    m_pages[id].page = page;
    m_tabWidget->addTab(page, entry.button ? entry.button->text() : QString());
    if (m_mainWindow) {
        connect(page, &WidgetBase::sig_printToConsole, m_mainWindow, &MainWindow::slot_printToConsole);
        connect(page, &WidgetBase::sig_showMessageBox, m_mainWindow, &MainWindow::slot_showMessageBox);
        connect(page, &WidgetBase::sig_printParma, m_mainWindow, &MainWindow::slot_printParma);
    }
    m_tabWidget->setCurrentWidget(page);
}

void WidgetController::closePage(int index)
{
    QWidget* widget = m_tabWidget->widget(index);
    if (!widget)
        return;
    const QString name = widget->objectName();

    if (isResident(name)) {
        m_communicationShown = false;
        m_tabWidget->removeTab(index);
        return;
    }

    for (auto it = m_pages.begin(); it != m_pages.end(); ++it) {
        if (it->className + QString::number(it.key()) != name)
            continue;
        if (!it->page || !it->page->confirmClose())
            return;
        it->page->deleteLater();
        it->page = nullptr;
        m_tabWidget->removeTab(index);
        return;
    }
}

void WidgetController::currentPageChanged(int index)
{
    if (index < 0) {
        m_buttonGroup->setExclusive(false);
        const auto buttons = m_buttonGroup->buttons();
        for (QAbstractButton* button : buttons)
            button->setChecked(false);
        m_buttonGroup->setExclusive(true);
        return;
    }

    QWidget* widget = m_tabWidget->widget(index);
    const QString name = widget ? widget->objectName() : QString();
    for (auto it = m_pages.begin(); it != m_pages.end(); ++it) {
        const bool current = name == it->className || name == it->className + QString::number(it.key());
        if (current && it->button)
            it->button->setChecked(true);
        if (it->page)
            it->page->setCurrentPage(current);
    }
}
