// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QApplication;
class Launcher;

namespace Startup {

// Must run before the QApplication exists.
void setAttributes();

// Compiled-in resources and the page classes live in static libraries, so every executable
// registers them once.
void initResources();

// The style sheet as installed: the file's bytes as Latin-1, up to the first NUL byte.
QString styleSheetText(QByteArray bytes);

// The application's font and style sheet.
void applyLook(QApplication& app);

// Font, style sheet, memory file, translator, main window and event loop; restarts on the window's
// MainWindow::RestartCode.
int run(QApplication& app, Launcher& launcher);

} // namespace Startup
