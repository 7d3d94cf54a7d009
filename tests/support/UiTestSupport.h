// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fixtures shared by the window tests: the message-box answerer (other modal dialogs are left alone;
// ModalAnswer::handleNext takes those), the main window, and waits on the communication service.

#include "WorkDir.h"
#include "app/startup/Startup.h"
#include "comm/Communication.h"
#include "ui/MainWindow.h"
#include "ui/WidgetController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace UiTest {

struct Box
{
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Waits for the next visible message box (progress dialogs and other windows are left alone),
// records it and clicks the given standard button, or the first one when it has no such button.
class BoxAnswerer : public QObject
{
public:
    BoxAnswerer(QMessageBox::StandardButton button, int timeoutMs = 15000)
        : m_button(button)
    {
        start(timeoutMs);
    }
    BoxAnswerer(const QString& buttonText, int timeoutMs = 15000)
        : m_buttonText(buttonText)
    {
        start(timeoutMs);
    }
    Box seen;
    bool answered() const { return seen.shown; }
    // Runs while the box is on screen, just before it is answered.
    std::function<void(QMessageBox*)> onSeen;

private:
    void start(int timeoutMs)
    {
        m_deadline = QDeadlineTimer(timeoutMs);
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::poll);
        m_timer.start(20);
    }

    void poll()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible() || m_handled.contains(box))
                continue;
            m_handled.append(box);
            seen.shown = true;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                seen.buttons.append(b->text());
            m_timer.stop();
            if (onSeen)
                onSeen(box);
            QAbstractButton* b = m_buttonText.isEmpty() ? box->button(m_button) : nullptr;
            for (QAbstractButton* candidate : box->buttons()) {
                if (!m_buttonText.isEmpty() && candidate->text() == m_buttonText)
                    b = candidate;
            }
            if (!b && !box->buttons().isEmpty())
                b = box->buttons().first();
            if (b)
                b->click();
            return;
        }
        if (m_deadline.hasExpired())
            m_timer.stop();
    }

    QMessageBox::StandardButton m_button = QMessageBox::NoButton;
    QString m_buttonText;
    QTimer m_timer;
    QDeadlineTimer m_deadline;
    QList<QPointer<QMessageBox>> m_handled;
};

// Replaces `window` with a new main window of the given family and language, shown; the old one
// and everything it scheduled for deletion go first, as at a restart.
inline void makeWindow(std::unique_ptr<MainWindow>& window, int family, int language = Global::LANGUAGE_EN)
{
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Global::instance()->setDevice(family);
    Global::instance()->setLanguage(language);
    window = std::make_unique<MainWindow>();
    window->show();
}

// Opens a page as the user does, with the workspace button its declaration names; the page on
// screen, or null when its button is missing or hidden for the window's family.
// An icon as it is drawn, to compare with the picture it should show.
inline QImage iconImage(const QIcon& icon, int size = 32)
{
    return icon.pixmap(size).toImage();
}

template <typename Page> Page* openPage(MainWindow* window)
{
    const PageDeclaration declared = WidgetController::declaredPage(Page::staticMetaObject.className());
    auto* button = window->findChild<QAbstractButton*>(declared.buttonName());
    if (!button || button->isHidden())
        return nullptr;
    QTest::mouseClick(button, Qt::LeftButton);
    const auto pages = window->findChildren<Page*>();
    for (Page* page : pages) {
        if (page->isVisible())
            return page;
    }
    return nullptr;
}

inline Communication::CommState commState()
{
    return Communication::instance()->commState();
}

inline bool waitForState(Communication::CommState state, int timeoutMs = 10000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (commState() != state) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

// The sim's request log, one line per request: function code, hex address, count and, for writes,
// the values ("06 00B5 1 1"). Lines of requests the given function codes do not name are dropped.
inline QStringList requestsWith(const QStringList& log, const QStringList& functionCodes)
{
    QStringList out;
    for (const QString& line : log) {
        if (functionCodes.contains(line.section(QLatin1Char(' '), 0, 0)))
            out.append(line);
    }
    return out;
}

// A read as the sim logs it: "03 00B5 1".
inline QString readLine(quint16 address, int count = 1)
{
    return QStringLiteral("03 %1 %2").arg(address, 4, 16, QLatin1Char('0')).arg(count).toUpper();
}

inline QStringList writes(const QStringList& log)
{
    return requestsWith(log, { QStringLiteral("06"), QStringLiteral("10") });
}

} // namespace UiTest
