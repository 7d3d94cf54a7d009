// SPDX-License-Identifier: GPL-3.0-or-later
#include "Terminal.h"

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace Cli {

namespace {

int signalPipe[2] = { -1, -1 };

void onSignal(int signal)
{
    static volatile sig_atomic_t seen = 0;
    if (seen) {
        // Asked twice: the user wants out now.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    seen = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

} // namespace

Progress::Progress()
    : m_shown(::isatty(STDERR_FILENO) == 1)
{
}

Progress::~Progress()
{
    clear();
}

void Progress::show(const QString& text)
{
    if (!m_shown)
        return;
    const QByteArray line = text.toLocal8Bit();
    std::fprintf(stderr, "\r%s%*s", line.constData(), qMax(0, m_width - line.size()), "");
    std::fflush(stderr);
    m_width = line.size();
}

void Progress::clear()
{
    if (!m_shown || m_width == 0)
        return;
    std::fprintf(stderr, "\r%*s\r", m_width, "");
    std::fflush(stderr);
    m_width = 0;
}

Interrupt* Interrupt::instance()
{
    static Interrupt interrupt;
    return &interrupt;
}

void Interrupt::install()
{
    if (signalPipe[0] >= 0 || ::pipe(signalPipe) != 0)
        return;
    ::fcntl(signalPipe[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(signalPipe[1], F_SETFD, FD_CLOEXEC);
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &Interrupt::readSignal);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

void Interrupt::readSignal()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
    m_requested = true;
    emit requested();
}

} // namespace Cli
