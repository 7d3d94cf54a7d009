// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/BusScanner.h"
#include "comm/SerialPorts.h"
#include "ui/ConnectionPage.h"

#include <QPointer>
#include <QSet>

class QAbstractButton;

namespace Ui {
class GUI_Communication;
}

// Chooses port, framing, slave address and device version, connects to and disconnects from the
// drive, and mirrors the link state on its own button and on the tool bar's connect button.
class GUI_Communication : public ConnectionPage
{
    Q_OBJECT
public:
    explicit GUI_Communication(QWidget* parent = nullptr);
    ~GUI_Communication() override;

    void setConnectButton(QAbstractButton* button) override;

    // Environment variable announcing serial links the system does not enumerate (ptys of a
    // simulated drive, for instance): "path=description;path=description".
    static constexpr const char* ExtraPortsVariable = SerialPorts::ExtraPortsVariable;

public slots:
    void connectOrDisconnect() override;
    void refreshPorts();

private slots:
    void connectEvent(Communication::CommState state) override;
    void connectErrEvent();
    void findDrive();
    void useFoundDrive(const ScanHit& hit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void initForm();
    void updateConnectionState(Communication::CommState state);
    void setSettingsEnabled(bool enabled);
    QString selectedPortName() const;
    BusLink::Transport selectedTransport() const;
    BusLink selectedLink() const;
    bool linkInputMissing();
    void showTransportInputs();
    void restoreLinkChoice();
    void rememberLinkChoice();
    void openConnection();
    void reportOpenFailure(const SerialPortDiagnosis::Result& failure, const QString& portName);
    void showLatencyHint();

    Ui::GUI_Communication* ui;
    QPointer<QAbstractButton> m_connectButton;
    // Adapters whose latency the console has named already this run.
    QSet<QString> m_latencyReported;
};
