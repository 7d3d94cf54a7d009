// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchProgressDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int tickMs = 100;
} // namespace

BatchProgressDialog::BatchProgressDialog(const QString& text, int minimum, int maximum, QWidget* parent)
    : QProgressDialog(parent)
    , m_timer(new QTimer(this))
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setWindowModality(Qt::WindowModal);
    setCancelButton(nullptr);
    setRange(minimum, maximum);
    setMinimumDuration(5);
    setWindowTitle(tr("Please wait"));
    setLabelText(text);
    auto* layout = new QVBoxLayout(this);
    if (auto* label = findChild<QLabel*>())
        layout->addWidget(label);
    if (auto* bar = findChild<QProgressBar*>())
        layout->addWidget(bar);
    setFixedSize(300, 80);
    show();
    connect(m_timer, &QTimer::timeout, this, &BatchProgressDialog::tick);
    m_timer->start(tickMs);
}

void BatchProgressDialog::tick()
{
    setValue(m_count);
    // setValue on a modal dialog runs the event loop, which may have ended the batch already.
    if (!m_over && m_count >= maximum())
        complete();
}

void BatchProgressDialog::complete()
{
    if (end())
        emit completed();
}

void BatchProgressDialog::discard()
{
    if (end())
        hide();
}

bool BatchProgressDialog::end()
{
    if (m_over)
        return false;
    m_over = true;
    m_timer->stop();
    deleteLater();
    return true;
}
