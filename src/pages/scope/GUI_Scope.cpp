#include "GUI_Scope.h"
#include "ui_GUI_Scope.h"

#include "Global.h"
#include "Xml.h"
#include "capture/Screen.h"
#include "definitions/ValueFormat.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_ScopeNonius.h"
#include "pages/scope/GUI_ScopeSetting.h"
#include "ui/RMessageBox.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTableWidgetItem>
#include <QTimer>

#include <random>

namespace {

const QString iconFolder = QStringLiteral(":/Icon/Images/Icon_32x32/");
const QString idleColor = QStringLiteral("#787878");
const QString sampleTagPrefix = QStringLiteral("AID");
constexpr int colorRole = Qt::UserRole;
constexpr int hueSpan = 280;

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
    };
    for (const auto& entry : icons)
        entry.button->setIcon(QIcon(iconFolder + QLatin1String(entry.icon)));
    for (QToolButton* b : { ui->Btn_SrmSelect, ui->Btn_SrmDrag, ui->Btn_SrmZoom, ui->Btn_ShowLegend,
             ui->Btn_CursorTracer, ui->Btn_Nonius })
        b->setCheckable(true);

    DefinitionError variablesError;
    Xml::readVariables(
        Global::instance()->configPath() + QStringLiteral("Variables.xml"), variables, &variablesError);
    reportDefinitionError(variablesError);
    fillTable();

    for (int i = 1; i <= 4; ++i)
        ui->Cbx_Channle->addItem(QString::number(i), i);
    connect(ui->Cbx_Channle, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &GUI_Scope::slot_cbxChannle_CurrentIndexChangedt);
    connect(ui->TableWidget, &QTableWidget::cellClicked, this, &GUI_Scope::slot_tableWidget_CellClicked);
    connect(ui->TableWidget, &QTableWidget::doubleClicked, this, &GUI_Scope::slot_tableWidget_DoubleClicked);
    connect(ui->TableWidget, &QTableWidget::cellChanged, this, &GUI_Scope::slot_tableWidget_CellChanged);
    pollTimer = new QTimer(this);
    connect(pollTimer, &QTimer::timeout, this, &GUI_Scope::slot_timeOut);
    connect(Communication::instance(), &Communication::requestCompleted, this,
        [this](quint64 request, QString tag, QVector<quint16>) { readCompleted(request, tag); });

    m_plot = new CustomPlot(ui->QPlot, this);
    QFont tickFont = font();
    tickFont.setPixelSize(10);
    m_plot->setTickLabelFont(tickFont);
    QFont labelFont = font();
    labelFont.setPixelSize(11);
    m_plot->setLabelFont(labelFont);
    m_plot->init(1);
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

void GUI_Scope::showStartButton()
{
    ui->Btn_StartContinue->setIcon(QIcon(iconFolder + QStringLiteral("StartContinue.png")));
    ui->Btn_StartContinue->setToolTip(tr("Continuous collection"));
}

void GUI_Scope::on_Btn_StartContinue_clicked()
{
    if (!checkConnected())
        return;
    if (m_plot->isRunning()) {
        pollTimer->stop();
        m_plot->pause();
        ui->Cbx_Channle->setEnabled(true);
        showStartButton();
        return;
    }
    if (m_plot->channelCount() == 0) {
        emit sig_showMessageBox(tr("Please select the object to observe first"), Global::MESSAGE_INFORMATION);
        return;
    }
    pendingReads.clear();
    pollTimer->start(m_plot->channelCount() * pollMsPerChannel);
    m_plot->start();
    ui->Cbx_Channle->setEnabled(false);
    ui->Btn_StartContinue->setIcon(QIcon(iconFolder + QStringLiteral("Pause.png")));
    ui->Btn_StartContinue->setToolTip(tr("Pause"));
}

void GUI_Scope::on_Btn_Stop_clicked()
{
    pollTimer->stop();
    pendingReads.clear();
    m_plot->stop();
    ui->Cbx_Channle->setEnabled(true);
    showStartButton();
}

void GUI_Scope::on_Btn_ShowLegend_clicked(bool checked)
{
    m_plot->setLegendVisible(checked);
}

void GUI_Scope::on_Btn_ClearGraph_clicked()
{
    m_plot->clearCurves();
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

void GUI_Scope::slot_timeOut()
{
    Communication* comm = Communication::instance();
    for (int i : m_plot->channels()) {
        if (pendingReads.value(i) != 0)
            continue;
        const quint64 request = comm->sendRead(
            QStringLiteral("AID=") + QString::number(i), variables.at(i).code, variables.at(i).length);
        if (request != 0)
            pendingReads.insert(i, request);
    }
}

int GUI_Scope::channelOfTag(const QString& tag) const
{
    if (!tag.startsWith(sampleTagPrefix))
        return -1;
    bool ok = false;
    const uint i = tag.midRef(4).toUInt(&ok);
    return ok && i < uint(variables.size()) ? int(i) : -1;
}

void GUI_Scope::readCompleted(quint64 request, const QString& tag)
{
    const int i = channelOfTag(tag);
    if (i >= 0 && pendingReads.value(i) == request)
        pendingReads.remove(i);
}

void GUI_Scope::connectEvent(Communication::CommState state)
{
    // A link that closes or recovers drops its queue without answering what was in it.
    pendingReads.clear();
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
    if (!m_plot->isRunning() || !str.startsWith(sampleTagPrefix))
        return;
    bool ok = false;
    const uint i = str.midRef(4).toUInt(&ok);
    // Another sender's tag that merely starts the same way is not a sample.
    if (!ok)
        return;
    VariableRecord rec;
    if (int(i) < variables.size())
        rec = variables.at(int(i));
    m_plot->addSample(int(i), registersToFloat(data, rec.format1, rec.format2));
}
