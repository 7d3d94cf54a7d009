// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableBatch.h"

#include "pages/paramtable/BatchProgressDialog.h"

#include <QWidget>

TableBatch::TableBatch(QWidget* page)
    : QObject(page)
    , m_page(page)
{
}

void TableBatch::setCodes(const ParamRequests& requests, ParameterSet::State failure)
{
    m_codes.clear();
    for (const ParamRequest& request : requests)
        m_codes.insert(request.code);
    m_failure = failure;
}

void TableBatch::run(ParameterBatch::Kind kind, const ParamRequests& requests, const QString& consoleText,
    const QString& progressText)
{
    if (requests.isEmpty())
        return;
    emit consoleLine(consoleText + QStringLiteral(": ") + QString::number(requests.size()));
    discard();
    m_progress = new BatchProgressDialog(progressText + QStringLiteral("..."), 0, requests.size(), m_page);
    connect(m_progress, &BatchProgressDialog::completed, this, [this] {
        m_progress = nullptr;
        emit consoleLine(tr("The operation is complete"));
    });
    if (m_batch) {
        m_batch->disconnect(this);
        m_batch->cancel();
    }
    m_batch = new ParameterBatch(this);
    connect(m_batch, &ParameterBatch::progressed, this, [this](int done) {
        if (m_progress)
            m_progress->setCount(done);
    });
    connect(m_batch, &ParameterBatch::finished, m_batch, &QObject::deleteLater);
    m_batch->start(kind, requests);
}

void TableBatch::discard()
{
    if (m_progress)
        m_progress->discard();
    m_progress = nullptr;
}
