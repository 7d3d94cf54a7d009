// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace Cli {

// Progress on standard error, shown only where someone watches it: a terminal. A pipe or a file
// gets results and diagnostics only.
class Progress
{
public:
    Progress();
    ~Progress();
    bool isShown() const { return m_shown; }
    void show(const QString& text);
    void clear();

private:
    bool m_shown;
    int m_width = 0;
};

// Ctrl-C (SIGINT) and SIGTERM during a run: the first asks the run to stop sending and finish with
// what is on its way, so the record still says what was written; a second ends the process.
class Interrupt : public QObject
{
    Q_OBJECT
public:
    static Interrupt* instance();
    // Installs the handlers; the notice arrives through the event loop.
    void install();
    bool isRequested() const { return m_requested; }

signals:
    void requested();

private:
    Interrupt() = default;
    void readSignal();
    bool m_requested = false;
};

} // namespace Cli
