#include "ModalAnswer.h"

#include <QAbstractButton>
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

static void dismiss(QWidget* w)
{
    if (auto* dialog = qobject_cast<QDialog*>(w))
        dialog->reject();
    else
        w->close();
}

static void record(QWidget* w, Seen* seen)
{
    if (!seen)
        return;
    seen->shown = true;
    seen->title = w->windowTitle();
    seen->className = QString::fromLatin1(w->metaObject()->className());
    if (auto* box = qobject_cast<QMessageBox*>(w))
        seen->text = box->text();
}

void answerNext(QMessageBox::StandardButton button, Seen* seen, int timeoutMs)
{
    handleNext(
        [button, seen](QWidget* w) {
            record(w, seen);
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                QAbstractButton* b = box->button(button);
                if (!b && !box->buttons().isEmpty())
                    b = box->buttons().first();
                if (b) {
                    b->click();
                    return;
                }
            }
            dismiss(w);
        },
        timeoutMs);
}

void answerNextByText(const QString& buttonText, Seen* seen, int timeoutMs)
{
    handleNext(
        [buttonText, seen](QWidget* w) {
            record(w, seen);
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                if (b->text() == buttonText) {
                    b->click();
                    return;
                }
            }
            dismiss(w);
        },
        timeoutMs);
}

} // namespace ModalAnswer
