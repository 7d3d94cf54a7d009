// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "definitions/DefinitionError.h"
#include "definitions/Parameter.h"
#include "engine/ParamRequest.h"
#include "engine/PrecisionRules.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The parameters of one drive: their definitions with the setting, current and factory values and
// a typed state per parameter. Every rule of what a value shows and when it counts as different
// lives here, so the parameter table and a command-line tool show the same thing for the same
// answers. Rows follow the definition file; administrator groups only in administrator mode.
class ParameterSet : public QObject
{
    Q_OBJECT
public:
    // What the current value is.
    enum class State {
        Unread,
        Read, // equal to the factory value, or there is none
        DiffersFromFactory,
        ReadFailed,
        WriteFailed,
        NotKept, // written, but the drive reads back another value
        Realtime, // from the realtime refresh of the monitoring group
    };
    Q_ENUM(State)

    // From "writable"; Unknown for a value without a meaning (the table shows no cell for it).
    enum class Access { Unknown, ReadOnly, WhileStopped, Any };
    // From "effect"; Unknown as above.
    enum class Effect { Unknown, None, Immediately, AfterRestart };

    enum class Comparison { SettingNotCurrent, SettingNotFactory, CurrentNotFactory };

    struct Row
    {
        // Its format1, min and max follow the precision rules; defaultValue stays as defined.
        ParamAttributeStruct attribute;
        QString groupName;
        QString groupCode;
        quint16 address = 0;
        bool hasAddress = false; // false when the code has no index part
        bool readOnly = false; // the setting cannot be edited
        Access access = Access::Unknown;
        Effect effect = Effect::Unknown;
        QString factory; // factory value in the present precision
        QString units;
        QString setting; // as the engineer chose it
        QVariant settingRaw; // the register value to write; invalid until the setting is edited
        QVariant settingPosition; // the chosen entry of an enumeration
        QString current;
        State state = State::Unread;
    };

    explicit ParameterSet(QObject* parent = nullptr);

    // Reads ParamTable.xml and ControlFunction.xml from a definition folder (ending in '/') and
    // builds the rows in normal mode. Each file that cannot be read adds its error; the set is then
    // empty, or without unit and precision switching.
    void load(const QString& folder, QList<DefinitionError>* errors = nullptr);
    void setDefinitions(const QStringList& headers, const QMap<int, ParamGroupStruct>& groups);
    void setPrecisionRules(const PrecisionRules& rules);
    const PrecisionRules& precisionRules() const { return m_rules; }
    // Rebuilds the rows of the groups the mode shows; every value shown before is gone.
    void build(bool administrator);

    bool isAdministrator() const { return m_administrator; }
    QStringList headers() const { return m_headers; }
    // The groups a mode shows, in definition order.
    QVector<ParamGroupStruct> groups(bool administrator) const;

    int rowCount() const { return m_rows.size(); }
    const Row& row(int index) const { return m_rows.at(index); }
    int rowOf(const QString& code) const; // the first row of the code, -1 when none
    QVector<int> allRows() const;

    void setSetting(int row, const QString& text);
    void setSettingRaw(int row, const QVariant& raw);
    void setSettingPosition(int row, const QVariant& position);
    void setCurrent(int row, const QString& text);
    void setState(int row, State state);

    // The answer to a read or write of the row: the value read or written, or `failure` when the
    // request failed (the text stays). An enumeration value without an entry empties the text and
    // keeps the state.
    void applyAnswer(int row, const QVector<quint16>& values, State failure = State::ReadFailed);
    // A value of a parameter file, shown as the drive's until it is written or read.
    void showFileValue(int row, const QString& text);
    // Units and decimals that follow this answer (drive size, control functions).
    void applyRescales(const QString& tag, const QVector<quint16>& values);
    // Re-expresses the row's values under another number of decimals; the register values stay.
    void setPrecision(int row, int precision, const QString& unit = QString());
    // A realtime block's answer ("ARefresh[ss][cc]"); false when the tag is not one.
    bool applyRealtimeBlock(const QString& tag, const QVector<quint16>& values);

    bool differs(int row, Comparison comparison) const;
    static bool isFailure(State state);

    // Reads of the rows that have a register; writes of those that also have an edited setting.
    ParamRequests readRequests(const QVector<int>& rows) const;
    ParamRequests writeRequests(const QVector<int>& rows) const;

    // Every row's code and current value, as a parameter file stores them.
    QList<QPair<QString, QString>> exportValues() const;
    QByteArray exportDocument(quint8 device) const;
    // Shows the file's values of every row the file names and returns the writes of those that
    // can be written: numbers, of parameters that are not read-only, with a register.
    ParamRequests importValues(const QJsonObject& file);
    // The register value a file text stands for; false when it is no value of the parameter or
    // the parameter is read-only.
    bool fileRaw(int row, const QString& text, quint16* raw) const;
    // The decimals that these values of the parameters ruling others (drive size, control
    // functions) give the parameters they rule, applied in table order; what is not named keeps
    // its present decimals.
    QHash<QString, int> precisionsAfter(const QHash<QString, quint16>& triggerValues) const;

signals:
    void aboutToRebuild();
    void rebuilt();
    // Only the current value or its state changed.
    void currentChanged(int row);
    // Setting, values, limits or unit changed.
    void rowChanged(int row);

private:
    Row makeRow(const ParamGroupStruct& group, const ParamAttributeStruct& attribute) const;
    void paintAgainstFactory(Row& row, const QString& value);
    enum class Change { Current, Row };
    void changed(int row, Change change = Change::Row);
    template <typename T> void set(int row, T Row::*member, const T& value, Change change = Change::Row);

    QStringList m_headers;
    QMap<int, ParamGroupStruct> m_groups;
    PrecisionRules m_rules;
    bool m_administrator = false;
    QVector<Row> m_rows;
    QHash<QString, int> m_firstRowOfCode;
    QVector<int> m_realtimeRows; // the monitoring group's rows in table order
};
