// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeldButtons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QTimer>
#include <QWidget>

HeldButtons::HeldButtons(QWidget* page)
    : QObject(page)
    , m_page(page)
{
    page->installEventFilter(this);
}

void HeldButtons::add(QAbstractButton* button)
{
    m_buttons.append(button);
    button->installEventFilter(this);
}

QAbstractButton* HeldButtons::heldButton() const
{
    return m_held;
}

bool HeldButtons::press(QAbstractButton* button)
{
    if (m_held == button)
        return false; // a repeated press of the button already held
    if (m_held || m_refused == button) {
        m_refused.clear();
        end();
        // Up at once: it must not start anything when it is let go either.
        button->setDown(false);
        return false;
    }
    m_held = button;
    return true;
}

bool HeldButtons::release(QAbstractButton* button)
{
    if (!m_held || m_held != button)
        return false;
    m_held.clear();
    return true;
}

void HeldButtons::end()
{
    QAbstractButton* button = m_held;
    if (!button)
        return;
    m_held.clear();
    // A button kept down by a popup would otherwise stay down, and its later release goes to the
    // popup or is dropped.
    if (button->isDown())
        button->setDown(false);
    emit holdLost(button);
}

// The focus leaves before the press of the clicked widget is delivered; the new focus widget is
// already known then.
void HeldButtons::refuseClickedButton(Qt::FocusReason reason)
{
    auto* clicked = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (reason != Qt::MouseFocusReason || !clicked || !m_buttons.contains(clicked))
        return;
    m_refused = clicked;
    // Only the press of this very click; a press that never came must not refuse a later one.
    QTimer::singleShot(0, this, [this] { m_refused.clear(); });
}

bool HeldButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (m_held) {
        switch (event->type()) {
        case QEvent::FocusOut:
            if (watched == m_held) {
                refuseClickedButton(static_cast<QFocusEvent*>(event)->reason());
                end();
            }
            break;
        case QEvent::Hide:
            if (watched == m_page)
                end();
            break;
        case QEvent::ActivationChange:
            if (watched == m_page && !m_page->isActiveWindow())
                end();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
