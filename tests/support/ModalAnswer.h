#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// Answers the next modal dialog that opens, from a timer, so a test never sleeps through a box.
// The callback sees the dialog and the text it showed; the box is then answered with `button`.
namespace ModalAnswer {

struct Seen
{
    bool shown = false;
    QString title;
    QString text;
    QString className;
};

// Polls for an active modal widget for up to timeoutMs; when a QMessageBox appears, records its title
// and text into *seen and clicks the button with the given standard role (or the first button when
// the box has none such). Other dialogs are rejected. Returns at once; the answer happens in the loop.
void answerNext(QMessageBox::StandardButton button, Seen* seen = nullptr, int timeoutMs = 10000);

// Same, but clicks the button whose text is `buttonText`.
void answerNextByText(const QString& buttonText, Seen* seen = nullptr, int timeoutMs = 10000);

// General form: `handler` gets the modal widget; it must close it.
void handleNext(std::function<void(QWidget*)> handler, int timeoutMs = 10000);

} // namespace ModalAnswer
