// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WidgetBase.h"

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <QVector>

class QComboBox;
class QLabel;
class QTimer;

namespace Ui {
class GUI_IO;
}

// One entry of a function or level list: the translated name and the code sent to the drive.
struct ParamStruct
{
    QString name;
    quint8 value = 0;
};
Q_DECLARE_METATYPE(ParamStruct)

// The servo drive's digital IO page: function and active level of DI1–DI8 and DO1–DO6, read from
// and written to the drive, and a lamp per signal that follows its live state while on screen.
class GUI_IO : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_IO(QWidget* parent = nullptr);
    ~GUI_IO() override;

private slots:
    void initForm();
    void addParam(QMap<int, ParamStruct>& list, QString name, int value);
    void signalChanged(uchar value, QMap<int, QLabel*> obj, uchar index);
    void connectEvent(Communication::CommState state) override;
    void resultCallBackEvent(QString tag, QVector<quint16> values) override;
    void on_Btn_Apply_clicked();
    void on_Btn_Refresh_clicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLists();
    void fillRows();
    void poll();
    void applyConfiguration(const QString& tag, const QVector<quint16>& values);
    void selectFunctions(const QMap<int, QList<QComboBox*>>& rows, const QMap<int, ParamStruct>& list,
        const QVector<quint16>& values);
    void selectLevels(const QMap<int, QList<QComboBox*>>& rows, quint16 levelWord);
    QVector<quint16> functionCodes(
        const QMap<int, QList<QComboBox*>>& rows, const QVector<quint16>& read, int rowCount) const;
    quint16 levelWord(const QMap<int, QList<QComboBox*>>& rows, int rowCount) const;
    void forgetConfiguration();

    Ui::GUI_IO* ui;
    QMap<int, QList<QComboBox*>> m_diRows;
    QMap<int, QList<QComboBox*>> m_doRows;
    QMap<int, QLabel*> m_diLamps;
    QMap<int, QLabel*> m_doLamps;
    QMap<int, ParamStruct> m_diFunctions;
    QMap<int, ParamStruct> m_doFunctions;
    QMap<int, ParamStruct> m_levels;
    QTimer* m_pollTimer = nullptr;

    // The drive's configuration as the latest refresh of this connection read it. Apply writes
    // nothing until all four reads were answered and shown: the defaults on screen before that
    // are not the drive's settings.
    enum ConfigurationPart {
        DiFunctions = 1,
        DoFunctions = 2,
        DiLevels = 4,
        DoLevels = 8,
        WholeConfiguration = 15,
    };
    int m_shownFromDrive = 0;
    bool m_refreshing = false;
    QVector<quint16> m_diCodesFromDrive;
    QVector<quint16> m_doCodesFromDrive;
    // The level words as read: Apply writes DI1–DI8 and DO1–DO5 and hands every other bit (DO6's
    // among them) back unchanged.
    quint16 m_diLevelFromDrive = 0;
    quint16 m_doLevelFromDrive = 0;
    // Function combos the user changed since the read; the others write back the code read, also
    // one the lists do not know (the combo cannot show it).
    QSet<QComboBox*> m_editedFunctions;
    bool m_selecting = false;
};
