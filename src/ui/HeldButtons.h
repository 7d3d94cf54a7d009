// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

// Dead-man buttons: a motion runs only while one of them is held down. The page reports the
// presses and releases of its buttons; every other way a hold can end — the button loses the
// focus (also to a popup or a menu), the window is left, the page is hidden, another button of
// the set is pressed, or end() — ends it with holdLost, once, and brings the button up without a
// release of its own, so nothing more comes of it.
class HeldButtons : public QObject
{
    Q_OBJECT
public:
    // page: the widget whose hiding, or whose window losing the activation, ends a hold.
    explicit HeldButtons(QWidget* page);

    void add(QAbstractButton* button);
    QAbstractButton* heldButton() const;

    // True when this press starts a hold: no other button of the set is held. A press while
    // another is held ends that hold instead.
    bool press(QAbstractButton* button);
    // True when this release ends the hold of that button.
    bool release(QAbstractButton* button);
    // Ends a hold without a release, as when the way the buttons work changes under it.
    void end();

signals:
    void holdLost(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refuseClickedButton(Qt::FocusReason reason);

    QWidget* m_page;
    QList<QAbstractButton*> m_buttons;
    QPointer<QAbstractButton> m_held;
    // The other button of the set whose click took the focus from the held one: its press, which
    // follows at once, only ends the hold.
    QPointer<QAbstractButton> m_refused;
};
