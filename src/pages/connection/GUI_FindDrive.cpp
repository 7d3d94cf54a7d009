// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_FindDrive.h"
#include "ui_GUI_FindDrive.h"

#include "comm/SerialAdapter.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSerialPort>
#include <QTreeWidgetItem>

namespace {

const int kDefaultBaudRates[] = { 9600, 19200, 38400, 57600, 115200 };

enum Column { ColumnBaud, ColumnFraming, ColumnAddress, ColumnAnswer, ColumnDevice };

BusLink serialLink(const QString& portName)
{
    SerialSettings settings;
    settings.portName = portName;
    return BusLink::serialPort(settings);
}

} // namespace

GUI_FindDrive::GUI_FindDrive(
    const QString& portName, quint16 probeStart, quint16 probeCount, bool vfdFamily, QWidget* parent)
    : GUI_FindDrive(serialLink(portName), probeStart, probeCount, vfdFamily, parent)
{
}

GUI_FindDrive::GUI_FindDrive(
    const BusLink& link, quint16 probeStart, quint16 probeCount, bool vfdFamily, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::GUI_FindDrive)
    , m_scanner(new BusScanner(this))
    , m_link(link)
    , m_probeStart(probeStart)
    , m_probeCount(probeCount)
    , m_vfd(vfdFamily)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->Lbl_PortName->setText(link.endpoint());

    QStringList bauds;
    for (int baud : kDefaultBaudRates)
        bauds << QString::number(baud);
    ui->Edt_Baudrates->setText(bauds.join(QStringLiteral(", ")));
    // An FTDI adapter tells its latency timer; the scan waits no longer than that.
    const int adapterLatency = link.isTcp() ? -1 : SerialAdapter::latencyTimerMs(link.serial.portName);
    ui->Lbx_Latency->setValue(adapterLatency >= 0 ? adapterLatency : BusScanner::DefaultLatencyMs);
    ui->Lbx_Latency->setToolTip(
        tr("Extra wait for the serial adapter: USB adapters hold received bytes up to "
           "their latency timer (16 ms for the common FTDI type)"));
    // The style sheet's wide arrow buttons reach into the layout's spacing; keep the words clear.
    ui->Lbl_To->setContentsMargins(8, 0, 8, 0);
    ui->Lbl_Wait->setContentsMargins(8, 0, 0, 0);
    ui->Tree_Results->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->Tree_Results->header()->setStretchLastSection(true);
    ui->Pbar_Scan->setFormat(QStringLiteral("%v / %m"));
    ui->Pbar_Scan->setRange(0, 1);
    ui->Pbar_Scan->setValue(0);

    for (QPushButton* button : findChildren<QPushButton*>())
        button->setCursor(Qt::PointingHandCursor);
    ui->Btn_Start->setDefault(true);

    connect(m_scanner, &BusScanner::found, this, &GUI_FindDrive::addHit);
    connect(m_scanner, &BusScanner::progress, this, &GUI_FindDrive::showProgress);
    connect(m_scanner, &BusScanner::finished, this, &GUI_FindDrive::scanFinished);
    connect(
        m_scanner, &BusScanner::skipped, this, [this](int baud, const ScanFraming& framing, const QString&) {
            m_skipped << QString::number(baud) + QLatin1Char(' ') + framing.name();
        });
    connect(ui->Tree_Results, &QTreeWidget::itemSelectionChanged, this,
        [this] { ui->Btn_Use->setEnabled(!ui->Tree_Results->selectedItems().isEmpty()); });
    connect(
        ui->Lbx_Latency, QOverload<int>::of(&QSpinBox::valueChanged), this, &GUI_FindDrive::updateWaitText);
    connect(ui->Edt_Baudrates, &QLineEdit::textChanged, this, &GUI_FindDrive::updateWaitText);

    ui->Btn_Use->setEnabled(false);
    setRunning(false);
    updateWaitText();
    ui->Lbl_Status->setText(tr("Press Start to search the port"));
    if (link.isTcp())
        showTcpInputs();
}

// The gateway or serial server has the line setting: only the unit ids are the tool's to try.
void GUI_FindDrive::showTcpInputs()
{
    ui->Lbl_Port->setText(BusLink::transportName(m_link.transport));
    ui->Lbl_Addresses->setText(tr("Unit ids"));
    QWidget* const serialOnly[] = { ui->Lbl_Baudrates, ui->Edt_Baudrates, ui->Lbl_Framings, ui->Chbx_8N2,
        ui->Chbx_8N1, ui->Chbx_8E1, ui->Chbx_8O1, ui->Lbl_Latency, ui->Lbx_Latency };
    for (QWidget* input : serialOnly)
        input->hide();
    ui->Tree_Results->setColumnHidden(ColumnBaud, true);
    ui->Tree_Results->setColumnHidden(ColumnFraming, true);
    ui->Lbl_Wait->setText(tr("wait per silent unit id: %1 ms").arg(ScanPlan::DefaultTcpSilentMs));
    ui->Lbl_Status->setText(
        tr("Press Start to ask every unit id of the range through %1").arg(m_link.endpoint()));
}

GUI_FindDrive::~GUI_FindDrive()
{
    delete ui;
}

bool GUI_FindDrive::isScanning() const
{
    return m_scanner->isRunning();
}

bool GUI_FindDrive::readPlan(ScanPlan* plan, QString* problem) const
{
    plan->transport = m_link.transport;
    plan->portName = m_link.serial.portName;
    plan->host = m_link.host;
    plan->tcpPort = m_link.tcpPort;
    plan->probeStart = m_probeStart;
    plan->probeCount = m_probeCount;
    plan->latencyMs = ui->Lbx_Latency->value();
    plan->firstAddress = ui->Lbx_FirstAddr->value();
    plan->lastAddress = ui->Lbx_LastAddr->value();
    plan->baudRates.clear();
    plan->framings.clear();
    if (plan->isTcp())
        return checkRange(*plan, problem);

    QString badWord;
    if (!ScanPlan::parseBaudRates(ui->Edt_Baudrates->text(), &plan->baudRates, &badWord)) {
        *problem = tr("Not a baud rate: %1").arg(badWord);
        return false;
    }
    if (plan->baudRates.isEmpty()) {
        *problem = tr("Enter at least one baud rate");
        return false;
    }

    const QList<ScanFraming> framings = ScanFraming::standard();
    const QCheckBox* boxes[] = { ui->Chbx_8N2, ui->Chbx_8N1, ui->Chbx_8E1, ui->Chbx_8O1 };
    for (int i = 0; i < framings.size(); ++i) {
        if (boxes[i]->isChecked())
            plan->framings << framings.at(i);
    }
    if (plan->framings.isEmpty()) {
        *problem = tr("Choose at least one framing");
        return false;
    }
    return checkRange(*plan, problem);
}

bool GUI_FindDrive::checkRange(const ScanPlan& plan, QString* problem)
{
    if (plan.firstAddress <= plan.lastAddress)
        return true;
    *problem = tr("The first address is above the last");
    return false;
}

QString GUI_FindDrive::durationText(qint64 ms)
{
    const qint64 seconds = (ms + 999) / 1000;
    if (seconds < 60)
        return tr("%1 s").arg(seconds);
    return tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void GUI_FindDrive::updateWaitText()
{
    if (m_link.isTcp())
        return;
    ScanPlan plan;
    QString problem;
    if (!readPlan(&plan, &problem) && plan.baudRates.isEmpty()) {
        ui->Lbl_Wait->clear();
        return;
    }
    const int baud = plan.baudRates.isEmpty() ? kDefaultBaudRates[0] : plan.baudRates.first();
    const ScanFraming framing = ScanFraming::standard().first();
    ui->Lbl_Wait->setText(tr("wait per silent address at %1 %2: %3 ms")
                              .arg(baud)
                              .arg(framing.name())
                              .arg(BusScanner::silentTimeoutMs(baud, framing, plan.latencyMs)));
}

void GUI_FindDrive::setRunning(bool running)
{
    QWidget* const inputs[] = { ui->Edt_Baudrates, ui->Chbx_8N2, ui->Chbx_8N1, ui->Chbx_8E1, ui->Chbx_8O1,
        ui->Lbx_FirstAddr, ui->Lbx_LastAddr, ui->Lbx_Latency, ui->Btn_Start };
    for (QWidget* input : inputs)
        input->setEnabled(!running);
    ui->Btn_Stop->setEnabled(running);
}

void GUI_FindDrive::on_Btn_Start_clicked()
{
    ScanPlan plan;
    QString problem;
    if (!readPlan(&plan, &problem)) {
        ui->Lbl_Status->setText(problem);
        return;
    }
    ui->Tree_Results->clear();
    m_hits.clear();
    m_skipped.clear();
    ui->Pbar_Scan->setRange(0, plan.combinations());
    ui->Pbar_Scan->setValue(0);
    if (!m_scanner->start(plan))
        return;
    setRunning(true);
    showProgress(0, plan.combinations(), BusScanner::remainingMs(plan, 0));
}

void GUI_FindDrive::on_Btn_Stop_clicked()
{
    ui->Btn_Stop->setEnabled(false);
    ui->Lbl_Status->setText(tr("Stopping"));
    m_scanner->stop();
}

void GUI_FindDrive::on_Btn_Use_clicked()
{
    const QList<QTreeWidgetItem*> selected = ui->Tree_Results->selectedItems();
    if (!selected.isEmpty())
        useItem(selected.first());
}

void GUI_FindDrive::on_Btn_Close_clicked()
{
    reject();
}

void GUI_FindDrive::on_Tree_Results_itemDoubleClicked(QTreeWidgetItem* item, int)
{
    useItem(item);
}

void GUI_FindDrive::reject()
{
    if (m_scanner->isRunning()) {
        // Closing waits for the port to be free again, so that the page can connect at once.
        m_afterStop = AfterStop::Close;
        on_Btn_Stop_clicked();
        return;
    }
    QDialog::reject();
}

void GUI_FindDrive::useItem(QTreeWidgetItem* item)
{
    const int index = ui->Tree_Results->indexOfTopLevelItem(item);
    if (index < 0 || index >= m_hits.size())
        return;
    m_chosen = m_hits.at(index);
    if (m_scanner->isRunning()) {
        m_afterStop = AfterStop::Use;
        on_Btn_Stop_clicked();
        return;
    }
    finishUse();
}

void GUI_FindDrive::finishUse()
{
    emit hitChosen(m_chosen);
    accept();
}

void GUI_FindDrive::addHit(const ScanHit& hit)
{
    m_hits.append(hit);
    auto* item = new QTreeWidgetItem(ui->Tree_Results);
    if (!m_link.isTcp()) {
        item->setText(ColumnBaud, QString::number(hit.baudRate));
        item->setText(ColumnFraming, hit.framing.name());
    }
    item->setText(ColumnAddress, QString::number(hit.address));
    if (hit.exception) {
        item->setText(ColumnAnswer,
            tr("Exception %1").arg(QStringLiteral("0x%1").arg(hit.exceptionCode, 2, 16, QLatin1Char('0'))));
    } else {
        item->setText(ColumnAnswer, tr("Valid reply"));
    }
    item->setText(ColumnDevice, probeVersionText(m_vfd, hit.values));
    QStringList words;
    for (quint16 value : hit.values)
        words << QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
    if (!words.isEmpty())
        item->setToolTip(ColumnDevice, words.join(QLatin1Char(' ')));
    if (m_hits.size() == 1)
        ui->Tree_Results->setCurrentItem(item);
}

void GUI_FindDrive::showProgress(int tried, int total, qint64 msLeft)
{
    ui->Pbar_Scan->setRange(0, qMax(1, total));
    ui->Pbar_Scan->setValue(tried);
    if (!ui->Btn_Stop->isEnabled())
        return; // stopping
    const QString text = m_link.isTcp() ? tr("%1 of %2 unit ids tried, %3 found, about %4 left")
                                        : tr("%1 of %2 combinations tried, %3 found, about %4 left");
    ui->Lbl_Status->setText(text.arg(tried).arg(total).arg(m_hits.size()).arg(durationText(msLeft)));
}

void GUI_FindDrive::scanFinished(BusScanner::Outcome outcome, const QString& errorText)
{
    setRunning(false);
    QString text;
    switch (outcome) {
    case BusScanner::Completed:
        text = m_hits.isEmpty() ? tr("No drive answered")
                                : tr("Search completed, %1 found").arg(m_hits.size());
        break;
    case BusScanner::Stopped:
        text = tr("Stopped, %1 found").arg(m_hits.size());
        break;
    case BusScanner::PortFailed:
        text = m_link.isTcp() ? tr("No connection: %1").arg(errorText)
                              : tr("The port cannot be used: %1").arg(errorText);
        break;
    }
    if (!m_skipped.isEmpty())
        text += QStringLiteral("; ")
            + tr("not supported by the port: %1").arg(m_skipped.join(QStringLiteral(", ")));
    ui->Lbl_Status->setText(text);

    const AfterStop after = m_afterStop;
    m_afterStop = AfterStop::Nothing;
    if (after == AfterStop::Use)
        finishUse();
    else if (after == AfterStop::Close)
        QDialog::reject();
}
