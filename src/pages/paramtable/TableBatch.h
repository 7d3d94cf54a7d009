// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ParameterBatch.h"
#include "engine/ParameterSet.h"
#include "pages/paramtable/BatchProgressDialog.h"

#include <QObject>
#include <QPointer>
#include <QSet>

class QWidget;

// The parameter table's batches, one at a time: the console line that starts one, its modal
// progress dialog, and the codes whose answers the table shows. Those codes stay after the batch,
// so late or repeated answers for them (the VFD status poll reads some) still update the table.
class TableBatch : public QObject
{
    Q_OBJECT
public:
    explicit TableBatch(QWidget* page);

    // The answers the table shows from now on, and how it shows a failed one.
    void setCodes(const ParamRequests& requests, ParameterSet::State failure);
    bool shows(const QString& code) const { return m_codes.contains(code); }
    ParameterSet::State failure() const { return m_failure; }

    // Nothing happens for no requests.
    void run(ParameterBatch::Kind kind, const ParamRequests& requests, const QString& consoleText,
        const QString& progressText);
    // The link is gone with the batch's requests: the progress dialog goes without completing.
    void discard();
    // From the start of a batch until its progress dialog has completed or been discarded.
    bool isBusy() const { return m_progress; }

signals:
    void consoleLine(QString text);

private:
    QWidget* m_page;
    QPointer<ParameterBatch> m_batch;
    QPointer<BatchProgressDialog> m_progress;
    QSet<QString> m_codes;
    ParameterSet::State m_failure = ParameterSet::State::ReadFailed;
};
