// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

// Hands the next modal dialog that opens to a handler, from a timer, so a test never sleeps
// through a dialog. Message boxes are answered by UiTest::BoxAnswerer; this is for the others
// (input dialogs, file dialogs).
namespace ModalAnswer {

// Polls for an active modal widget for up to timeoutMs; `handler` gets it and must close it.
// Returns at once; the handling happens in the event loop.
void handleNext(std::function<void(QWidget*)> handler, int timeoutMs = 10000);

} // namespace ModalAnswer
