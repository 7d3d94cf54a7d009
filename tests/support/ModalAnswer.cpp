// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalAnswer.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace ModalAnswer {

void handleNext(std::function<void(QWidget*)> handler, int timeoutMs)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, handler, timeoutMs]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            // Message boxes shown without a parent may not be "active" offscreen; look at top levels.
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && w->isModal() && qobject_cast<QDialog*>(w)) {
                    modal = w;
                    break;
                }
            }
        }
        if (modal) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            handler(modal);
            return;
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
        }
    });
    timer->start(20);
}

} // namespace ModalAnswer
