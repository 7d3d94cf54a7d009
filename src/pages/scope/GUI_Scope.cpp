// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Scope.h"
#include "ui_GUI_Scope.h"

#include "Global.h"
#include "Xml.h"
#include "capture/Screen.h"
#include "comm/ScopeTag.h"
#include "comm/WireTime.h"
#include "definitions/ValueFormat.h"
#include "pages/scope/CurveRecorder.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_ScopeNonius.h"
#include "pages/scope/GUI_ScopeSetting.h"
#include "ui/RMessageBox.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTableWidgetItem>
#include <QTimer>

#include <cmath>
#include <random>

namespace {

const QString iconFolder = QStringLiteral(":/Icon/Images/Icon_32x32/");
const QString idleColor = QStringLiteral("#787878");
constexpr int colorRole = Qt::UserRole;
constexpr int hueSpan = 280;
constexpr int rateUpdateMs = 500;

} // namespace

GUI_Scope::GUI_Scope(QWidget* parent)
    : WidgetBase(parent)
    , ui(new Ui::GUI_Scope)
{
    ui->setupUi(this);
    initForm();
}

GUI_Scope::~GUI_Scope()
{
    // The plot engine holds items of the form's widget; it goes before the widget does.
    delete m_plot;
    m_plot = nullptr;
    delete ui;
}

void GUI_Scope::initForm()
{
    setButtonCursors();
    const struct
    {
        QToolButton* button;
        const char* icon;
    } icons[] = {
        { ui->Btn_StartContinue, "StartContinue.png" },
        { ui->Btn_Stop, "Stop.png" },
        { ui->Btn_Adaptation, "AdaptationXY.png" },
        { ui->Btn_SrmSelect, "SrmSelect.png" },
        { ui->Btn_SrmDrag, "SrmDrag.png" },
        { ui->Btn_SrmZoom, "SrmZoom.png" },
        { ui->Btn_ShowLegend, "ShowLegend.png" },
        { ui->Btn_CursorTracer, "Tracking.png" },
        { ui->Btn_Nonius, "Nonius.png" },
        { ui->Btn_ClearGraph, "Clear.png" },
        { ui->Btn_Screenshot, "Screenshot.png" },
        { ui->Btn_Import, "Import.png" },
        { ui->Btn_Export, "Export.png" },
        { ui->Btn_Setting, "Setting.png" },
        { ui->Btn_AutoY, "AutoY.png" },
        { ui->Btn_Record, "Record.png" },
    };
    for (const auto& entry : icons)
        entry.button->setIcon(QIcon(iconFolder + QLatin1String(entry.icon)));
    for (QToolButton* b : { ui->Btn_SrmSelect, ui->Btn_SrmDrag, ui->Btn_SrmZoom, ui->Btn_ShowLegend,
             ui->Btn_CursorTracer, ui->Btn_Nonius, ui->Btn_AutoY, ui->Btn_Record })
        b->setCheckable(true);

    DefinitionError variablesError;
    Xml::readVariables(
        Global::instance()->configPath() + QStringLiteral("Variables.xml"), variables, &variablesError);
    reportDefinitionError(variablesError);
    definedVariables = variables;
    fillTable();

    for (int i = 1; i <= 4; ++i)
        ui->Cbx_Channle->addItem(QString::number(i), i);
    connect(ui->Cbx_Channle, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &GUI_Scope::slot_cbxChannle_CurrentIndexChangedt);
    connect(ui->TableWidget, &QTableWidget::cellClicked, this, &GUI_Scope::slot_tableWidget_CellClicked);
    connect(ui->TableWidget, &QTableWidget::doubleClicked, this, &GUI_Scope::slot_tableWidget_DoubleClicked);
    connect(ui->TableWidget, &QTableWidget::cellChanged, this, &GUI_Scope::slot_tableWidget_CellChanged);

    m_sampler = new ScopeSampler(this);
    connect(m_sampler, &ScopeSampler::sampled, this, &GUI_Scope::fastSample);
    connect(m_sampler, &ScopeSampler::dropped, this, &GUI_Scope::sampleDropped);
    m_recorder = new CurveRecorder(this);
    connect(m_recorder, &CurveRecorder::failed, this, [this](const QString& error) {
        const QSignalBlocker blocker(ui->Btn_Record);
        ui->Btn_Record->setChecked(false);
        emit sig_showMessageBox(tr("Recording to file stopped: %1").arg(error), Global::MESSAGE_WARNNING);
        updateStatus();
    });
    m_rateTimer = new QTimer(this);
    m_rateTimer->setInterval(rateUpdateMs);
    connect(m_rateTimer, &QTimer::timeout, this, &GUI_Scope::updateRates);

    m_plot = new CustomPlot(ui->QPlot, this);
    QFont tickFont = font();
    tickFont.setPixelSize(10);
    m_plot->setTickLabelFont(tickFont);
    QFont labelFont = font();
    labelFont.setPixelSize(11);
    m_plot->setLabelFont(labelFont);
    m_plot->init(1);
    connect(m_plot, &CustomPlot::pointRecorded, this, [this](int index, double key, double value) {
        if (m_recorder->isRecording())
            m_recorder->addPoint(m_plot->channels().indexOf(index), key, value);
    });
    connect(m_plot, &CustomPlot::recordingTrimmed, this, &GUI_Scope::updateStatus);
    connect(m_plot, &CustomPlot::triggerChanged, this, [this]() {
        // A single capture is complete: sampling pauses on it, ready to measure and export.
        if (m_plot->trigger().state() == ScopeTrigger::Done && m_plot->isRunning())
            pauseSampling();
        updateStatus();
    });
    fillModeControls();
}

void GUI_Scope::fillModeControls()
{
    Global* global = Global::instance();
    ui->Cbx_Sampling->addItem(tr("Standard"), int(ScopeSampler::Standard));
    ui->Cbx_Sampling->addItem(tr("Fast"), int(ScopeSampler::Fast));
    ui->Cbx_Sampling->setCurrentIndex(qMax(0, ui->Cbx_Sampling->findData(global->scopeSampling())));

    ui->Cbx_TriggerMode->addItem(tr("Off"), int(ScopeTrigger::Off));
    ui->Cbx_TriggerMode->addItem(tr("Normal"), int(ScopeTrigger::Normal));
    ui->Cbx_TriggerMode->addItem(tr("Single"), int(ScopeTrigger::Single));
    ui->Cbx_TriggerMode->addItem(tr("Auto"), int(ScopeTrigger::Auto));
    ui->Cbx_TriggerEdge->addItem(tr("Rising"), int(ScopeTrigger::Rising));
    ui->Cbx_TriggerEdge->addItem(tr("Falling"), int(ScopeTrigger::Falling));

    const struct
    {
        QString text;
        int seconds;
    } lengths[]
        = { { tr("1 min"), 60 }, { tr("10 min"), 600 }, { tr("1 h"), 3600 }, { tr("8 h"), 8 * 3600 } };
    for (const auto& length : lengths)
        ui->Cbx_RecordLength->addItem(length.text, length.seconds);
    int remembered = ui->Cbx_RecordLength->findData(global->scopeRecordingSeconds());
    if (remembered < 0)
        remembered = ui->Cbx_RecordLength->findData(int(CustomPlot::defaultRecordingLength));
    ui->Cbx_RecordLength->setCurrentIndex(remembered);

    connect(ui->Cbx_Sampling, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &GUI_Scope::applySamplingMode);
    connect(ui->Cbx_RecordLength, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &GUI_Scope::applyRecordingLength);
    for (QComboBox* box : { ui->Cbx_TriggerMode, ui->Cbx_TriggerChannel, ui->Cbx_TriggerEdge })
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &GUI_Scope::applyTrigger);
    connect(ui->Spb_TriggerLevel, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
        &GUI_Scope::applyTrigger);
    connect(ui->Spb_TriggerWindow, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
        &GUI_Scope::applyTrigger);
    connect(ui->Spb_PreTrigger, QOverload<int>::of(&QSpinBox::valueChanged), this, &GUI_Scope::applyTrigger);
    applySamplingMode();
    applyRecordingLength();
    channelsChanged();
}

void GUI_Scope::assignColors()
{
    const int n = variables.size();
    if (n == 0)
        return;
    // A private generator with its fixed default seed: the same list gets the same colours on every
    // start, whatever else in the process draws random numbers.
    std::mt19937 random;
    const int step = qMax(1, hueSpan / n);
    int hue = int(random() % unsigned(step)) + 10;
    for (int i = 0; i < n; ++i) {
        const int saturation = int(random() % 155u) + 100;
        const int value = int(random() % 205u) + 50;
        const QColor color = QColor::fromHsv(hue % 360, saturation, value, 255);
        ui->TableWidget->item(i, 1)->setData(colorRole, color);
        hue += step;
    }
}

void GUI_Scope::fillTable()
{
    QTableWidget* table = ui->TableWidget;
    const QSignalBlocker blocker(table);
    table->setColumnCount(2);
    table->setHorizontalHeaderLabels({ QString(), tr("Name") });
    table->setRowCount(variables.size());
    for (int row = 0; row < variables.size(); ++row) {
        auto* check = new QTableWidgetItem;
        check->setCheckState(Qt::Unchecked);
        table->setItem(row, 0, check);
        auto* name = new QTableWidgetItem(variables.at(row).description);
        name->setForeground(QColor(idleColor));
        table->setItem(row, 1, name);
    }
    assignColors();
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->resizeRowsToContents();
}

QColor GUI_Scope::askColor(const QColor& initial)
{
    return QColorDialog::getColor(initial, this, tr("Select Color"));
}

QString GUI_Scope::askRecordingFile()
{
    return QFileDialog::getSaveFileName(this, tr("Record to file"),
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), QStringLiteral("csv File(*.csv)"));
}

void GUI_Scope::showStartButton()
{
    ui->Btn_StartContinue->setIcon(QIcon(iconFolder + QStringLiteral("StartContinue.png")));
    ui->Btn_StartContinue->setToolTip(tr("Continuous collection"));
}

void GUI_Scope::setRunningControls(bool running)
{
    ui->Cbx_Channle->setEnabled(!running);
    ui->Cbx_Sampling->setEnabled(!running);
    if (running) {
        ui->Btn_StartContinue->setIcon(QIcon(iconFolder + QStringLiteral("Pause.png")));
        ui->Btn_StartContinue->setToolTip(tr("Pause"));
        m_rateTimer->start();
    } else {
        showStartButton();
        m_rateTimer->stop();
    }
    updateStatus();
}

void GUI_Scope::pauseSampling()
{
    m_sampler->stop();
    m_plot->pause();
    setRunningControls(false);
}

void GUI_Scope::on_Btn_StartContinue_clicked()
{
    if (!checkConnected())
        return;
    if (m_plot->isRunning()) {
        pauseSampling();
        return;
    }
    if (m_plot->channelCount() == 0) {
        emit sig_showMessageBox(tr("Please select the object to observe first"), Global::MESSAGE_INFORMATION);
        return;
    }
    QVector<ScopeVariableSpan> spans;
    for (int i : m_plot->channels())
        spans.append({ i, variables.at(i).code, variables.at(i).length });
    m_sampler->setVariables(spans);
    const SerialSettings line = Communication::instance()->settings();
    m_sampler->setLine(line.baudRate, bitsPerCharacter(line.dataBits, line.parity, line.stopBits));
    m_plot->start();
    m_sampler->start();
    m_rateClock.start();
    for (QHash<int, qint64>& counts : m_countsThen)
        counts = m_sampleCounts;
    m_countTimesMs[0] = m_countTimesMs[1] = 0;
    m_rates.clear();
    setRunningControls(true);
}

void GUI_Scope::on_Btn_Stop_clicked()
{
    m_sampler->stop();
    m_plot->stop();
    // A new run starts its times at 0 again, which no file of the old run can take.
    endRecording();
    setRunningControls(false);
}

void GUI_Scope::on_Btn_ShowLegend_clicked(bool checked)
{
    m_plot->setLegendVisible(checked);
}

void GUI_Scope::on_Btn_ClearGraph_clicked()
{
    m_plot->clearCurves();
    updateStatus();
}

void GUI_Scope::on_Btn_Adaptation_clicked()
{
    m_plot->adaptiveXY();
}

void GUI_Scope::on_Btn_CursorTracer_clicked(bool checked)
{
    m_plot->setTracerEnabled(checked);
}

void GUI_Scope::on_Btn_SrmZoom_clicked(bool checked)
{
    m_plot->setRangeZoomEnabled(checked);
}

void GUI_Scope::on_Btn_SrmDrag_clicked(bool checked)
{
    m_plot->setRangeDragEnabled(checked);
}

void GUI_Scope::on_Btn_SrmSelect_clicked(bool checked)
{
    m_plot->setSelectZoomEnabled(checked);
}

void GUI_Scope::on_Btn_Nonius_clicked(bool checked)
{
    m_plot->setNoniusVisible(checked);
    if (!checked) {
        if (noniusDialog)
            noniusDialog->close();
        return;
    }
    if (!noniusDialog) {
        noniusDialog = new GUI_ScopeNonius(m_plot, this);
        connect(noniusDialog, &QDialog::rejected, this, [this]() {
            m_plot->setNoniusVisible(false);
            const QSignalBlocker blocker(ui->Btn_Nonius);
            ui->Btn_Nonius->setChecked(false);
        });
    }
    noniusDialog->show();
    noniusDialog->activateWindow();
}

void GUI_Scope::on_Btn_Setting_clicked()
{
    GUI_ScopeSetting dialog(m_plot, this);
    dialog.exec();
}

void GUI_Scope::on_Btn_Import_clicked()
{
    if (m_plot->isRunning())
        return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Import curves"),
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), QStringLiteral("csv File(*.csv)"));
    if (path.isEmpty())
        return;
    if (!m_plot->importCsv(path))
        emit sig_showMessageBox(tr("Import failed"), Global::MESSAGE_INFORMATION);
}

void GUI_Scope::on_Btn_Export_clicked()
{
    if (m_plot->isRunning())
        return;
    const QString path = QFileDialog::getSaveFileName(this, tr("Export curves"),
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), QStringLiteral("csv File(*.csv)"));
    if (path.isEmpty())
        return;
    const int result = m_plot->exportCsv(path);
    if (result == 1)
        emit sig_showMessageBox(tr("Export successful"), Global::MESSAGE_INFORMATION);
    else if (result == -1)
        emit sig_showMessageBox(tr("Export failed"), Global::MESSAGE_INFORMATION);
}

void GUI_Scope::on_Btn_Screenshot_clicked()
{
    const QString folder = Screen::screenshotFolder(QCoreApplication::applicationDirPath());
    const QString name = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss-zzz"))
        + QStringLiteral(".png");
    Screen screen;
    // No folder can be written: an empty path would put the picture into the working folder.
    if (folder.isEmpty() || !screen.screenshot(this, folder, name, "png", -1)) {
        emit sig_showMessageBox(tr("Screenshot saving failed"), Global::MESSAGE_INFORMATION);
        return;
    }
    QString path = QStringLiteral("%1/%2").arg(folder, name);
    // The folder may be the pictures fallback rather than the tool's own: say where the file went.
    const QString text
        = tr("The screenshot is saved successfully") + QStringLiteral(".\n") + QDir::toNativeSeparators(path);
    RMessageBox::showOutputMessageBox(this, path, tr("Open file"), text);
}

void GUI_Scope::on_Btn_AutoY_clicked(bool checked)
{
    m_plot->setAutoY(checked);
}

void GUI_Scope::on_Btn_Record_clicked(bool checked)
{
    if (!checked) {
        endRecording();
        return;
    }
    const QSignalBlocker blocker(ui->Btn_Record);
    ui->Btn_Record->setChecked(false);
    if (m_plot->channelCount() == 0) {
        emit sig_showMessageBox(tr("Please select the object to observe first"), Global::MESSAGE_INFORMATION);
        return;
    }
    const QString path = askRecordingFile();
    if (path.isEmpty())
        return;
    QStringList names;
    for (int i : m_plot->channels())
        names << m_plot->channel(i).name;
    if (!m_recorder->start(path, names)) {
        emit sig_showMessageBox(
            tr("Recording to file failed: %1").arg(m_recorder->errorString()), Global::MESSAGE_WARNNING);
        return;
    }
    ui->Btn_Record->setChecked(true);
    updateStatus();
}

void GUI_Scope::endRecording()
{
    if (m_recorder->isRecording())
        m_recorder->finish();
    const QSignalBlocker blocker(ui->Btn_Record);
    ui->Btn_Record->setChecked(m_recorder->isRecording());
    updateStatus();
}

void GUI_Scope::slot_cbxChannle_CurrentIndexChangedt(int index)
{
    m_plot->setAxisRectCount(ui->Cbx_Channle->itemData(index).toInt());
}

void GUI_Scope::slot_tableWidget_CellClicked(int row, int colum)
{
    if (colum != 0 || m_plot->isRunning() || row < 0 || row >= variables.size())
        return;
    QTableWidget* table = ui->TableWidget;
    const QSignalBlocker blocker(table);
    QTableWidgetItem* check = table->item(row, 0);
    QTableWidgetItem* name = table->item(row, 1);
    if (check->checkState() == Qt::Checked) {
        check->setCheckState(Qt::Unchecked);
        name->setForeground(QColor(idleColor));
        m_plot->removeChannel(row);
        channelsChanged();
        return;
    }
    if (m_plot->channelCount() >= maxChannels) {
        emit sig_showMessageBox(
            tr("The collection quantity exceeds the upper limit"), Global::MESSAGE_INFORMATION);
        return;
    }
    const QColor color = name->data(colorRole).value<QColor>();
    check->setCheckState(Qt::Checked);
    name->setForeground(color);
    m_plot->addChannel(row, variables.at(row).description, QPen(color));
    channelsChanged();
}

void GUI_Scope::slot_tableWidget_DoubleClicked(QModelIndex index)
{
    if (index.column() != 1)
        return;
    QTableWidgetItem* name = ui->TableWidget->item(index.row(), 1);
    if (!name)
        return;
    const QColor color = askColor(name->data(colorRole).value<QColor>());
    if (!color.isValid())
        return;
    const QSignalBlocker blocker(ui->TableWidget);
    name->setData(colorRole, color);
    if (ui->TableWidget->item(index.row(), 0)->checkState() == Qt::Checked) {
        name->setForeground(color);
        m_plot->setChannelPen(index.row(), QPen(color));
    }
}

void GUI_Scope::slot_tableWidget_CellChanged(int row, int colum)
{
    if (colum != 0)
        return;
    // The view flipped the box itself before the click arrives; the click decides.
    QTableWidgetItem* check = ui->TableWidget->item(row, 0);
    if (!check)
        return;
    const QSignalBlocker blocker(ui->TableWidget);
    check->setCheckState(check->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void GUI_Scope::channelsChanged()
{
    // A file's columns are the channels it began with.
    endRecording();
    QComboBox* box = ui->Cbx_TriggerChannel;
    const QVariant chosen = box->currentData();
    {
        const QSignalBlocker blocker(box);
        box->clear();
        for (int i : m_plot->channels())
            box->addItem(m_plot->channel(i).name, i);
        box->setCurrentIndex(qMax(0, box->findData(chosen)));
    }
    applyTrigger();
}

void GUI_Scope::applyTrigger()
{
    ScopeTrigger::Settings settings;
    settings.mode = ScopeTrigger::Mode(ui->Cbx_TriggerMode->currentData().toInt());
    settings.channel
        = ui->Cbx_TriggerChannel->count() > 0 ? ui->Cbx_TriggerChannel->currentData().toInt() : -1;
    settings.edge = ScopeTrigger::Edge(ui->Cbx_TriggerEdge->currentData().toInt());
    settings.level = ui->Spb_TriggerLevel->value();
    settings.preTrigger = ui->Spb_PreTrigger->value() / 100.0;
    settings.window = ui->Spb_TriggerWindow->value();
    const bool on = settings.mode != ScopeTrigger::Off;
    for (QWidget* w : std::initializer_list<QWidget*> { ui->Cbx_TriggerChannel, ui->Cbx_TriggerEdge,
             ui->Spb_TriggerLevel, ui->Spb_PreTrigger, ui->Spb_TriggerWindow })
        w->setEnabled(on);
    m_plot->setTrigger(settings);
}

void GUI_Scope::applySamplingMode()
{
    const auto mode = ScopeSampler::Mode(ui->Cbx_Sampling->currentData().toInt());
    Global::instance()->setScopeSampling(int(mode));
    m_sampler->setMode(mode);
    // The other kind of time starts a new run at 0, which a file of this run cannot take.
    if (m_plot->isRealTime() != (mode == ScopeSampler::Fast) && m_plot->timeBase() > 0)
        endRecording();
    m_plot->setRealTime(mode == ScopeSampler::Fast);
}

void GUI_Scope::applyRecordingLength()
{
    const int seconds = ui->Cbx_RecordLength->currentData().toInt();
    Global::instance()->setScopeRecordingSeconds(seconds);
    m_plot->setRecordingLength(seconds);
}

int GUI_Scope::channelOfTag(const QString& tag) const
{
    const int i = ScopeTag::channel(tag);
    return i < variables.size() ? i : -1;
}

double GUI_Scope::decode(int channel, const QVector<quint16>& words) const
{
    // A read that failed measured nothing: a gap, not a 0.
    if (words.isEmpty() || channel < 0 || channel >= variables.size())
        return qQNaN();
    const VariableRecord& rec = variables.at(channel);
    return registersToValue(words, rec.format1, rec.format2);
}

void GUI_Scope::takeSample(int channel, double value)
{
    m_plot->addSample(channel, value);
    if (!std::isnan(value))
        ++m_sampleCounts[channel];
}

void GUI_Scope::fastSample(int channel, const QVector<quint16>& words, qint64 arrivedNs)
{
    if (!m_plot->isRunning())
        return;
    const double value = decode(channel, words);
    m_plot->addSampleAt(channel, m_plot->runTimeOf(arrivedNs), value);
    if (!std::isnan(value))
        ++m_sampleCounts[channel];
}

void GUI_Scope::sampleDropped(int channel)
{
    if (!m_plot->isRunning())
        return;
    // Nothing was measured while the drive was held quiet; the last value is not live any more.
    if (m_sampler->mode() == ScopeSampler::Fast)
        m_plot->addSampleAt(channel, m_plot->timeBase(), qQNaN());
    else
        m_plot->addSample(channel, qQNaN());
}

void GUI_Scope::connectEvent(Communication::CommState state)
{
    // Another drive may count its decimals differently; what the last one said does not hold.
    if (state == Communication::COMM_CONNECTING)
        variables = definedVariables;
    if (state == Communication::COMM_CLOSING || state == Communication::COMM_WAITING)
        on_Btn_Stop_clicked();
}

void GUI_Scope::applyDecimalOverrides(const QString& tag, const QVector<quint16>& data)
{
    const quint16 v = data.at(0);
    if (tag == QLatin1String("P0-22")) {
        static const QStringList followers = { QStringLiteral("D0-00"), QStringLiteral("D0-01"),
            QStringLiteral("D0-30"), QStringLiteral("D0-31"), QStringLiteral("D0-69") };
        for (VariableRecord& rec : variables) {
            if (followers.contains(rec.name))
                rec.format1 = quint8(v & 0xFF);
        }
    } else if (tag == QLatin1String("P7-12")) {
        for (VariableRecord& rec : variables) {
            if (rec.name == QLatin1String("D0-14"))
                rec.format1 = quint8(v % 10);
            else if (rec.name == QLatin1String("D0-19") || rec.name == QLatin1String("D0-29"))
                rec.format1 = quint8((v / 10) % 10);
        }
    }
}

void GUI_Scope::resultCallBackEvent(QString str, QVector<quint16> data)
{
    if (!data.isEmpty())
        applyDecimalOverrides(str, data);
    // Fast samples come with their read's number and time (fastSample); only Standard's reads
    // are picked up by their tag.
    if (!m_plot->isRunning() || m_sampler->mode() != ScopeSampler::Standard)
        return;
    const int i = channelOfTag(str);
    if (i >= 0)
        takeSample(i, decode(i, data));
}

void GUI_Scope::updateRates()
{
    const qint64 now = m_rateClock.elapsed();
    const qint64 spanMs = now - m_countTimesMs[0];
    QString text;
    for (int i : m_plot->channels()) {
        const qint64 counted = m_sampleCounts.value(i) - m_countsThen[0].value(i);
        const double rate = spanMs > 0 ? counted * 1000.0 / spanMs : 0;
        m_rates.insert(i, rate);
        text += QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2&nbsp;&nbsp;&nbsp;")
                    .arg(m_plot->channel(i).pen.color().name(), tr("%1/s").arg(rate, 0, 'f', 0));
    }
    ui->Lbl_Rates->setText(text);
    m_countsThen[0] = m_countsThen[1];
    m_countTimesMs[0] = m_countTimesMs[1];
    m_countsThen[1] = m_sampleCounts;
    m_countTimesMs[1] = now;
    updateStatus();
}

void GUI_Scope::updateStatus()
{
    QStringList parts;
    const ScopeTrigger& trigger = m_plot->trigger();
    if (trigger.settings().mode != ScopeTrigger::Off && trigger.settings().channel >= 0) {
        if (trigger.state() == ScopeTrigger::Done)
            parts << tr("Single capture at %1 s").arg(trigger.window().at, 0, 'f', 3);
        else if (m_plot->isHoldingCapture())
            parts << tr("Captured at %1 s").arg(trigger.window().at, 0, 'f', 3);
        else if (trigger.state() == ScopeTrigger::Filling)
            parts << tr("Triggered");
        else if (m_plot->isRolling())
            parts << tr("No trigger: rolling");
        else if (m_plot->isRunning())
            parts << tr("Waiting for trigger");
    }
    if (m_plot->hasDroppedPoints())
        parts << tr("Older points dropped: keeping the last %1").arg(ui->Cbx_RecordLength->currentText());
    if (m_recorder->isRecording())
        parts << tr("Recording to %1").arg(QFileInfo(m_recorder->path()).fileName());
    ui->Lbl_Status->setText(parts.join(QStringLiteral("   ")));
}
