// SPDX-License-Identifier: GPL-3.0-or-later
#include "definitions/Parameter.h"
#include "pages/paramtable/ParamTableModel.h"
#include "pages/paramtable/WidgetDelegate.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QtTest>

#include <limits>
#include <memory>

namespace {

constexpr int rawRole = ParamTableModel::RawValueRole;
constexpr int positionRole = ParamTableModel::PositionRole;

ParamAttributeStruct attribute(
    const QString& format1, const QString& min, const QString& max, const QList<QStringList>& indexList = {})
{
    ParamAttributeStruct a;
    a.name = QStringLiteral("P0-01");
    a.format1 = format1;
    a.min = min;
    a.max = max;
    a.indexList = indexList;
    return a;
}

// Puts the value the user types into whatever editor the delegate built.
void enter(QWidget* editor, const QString& value)
{
    if (auto* box = qobject_cast<QComboBox*>(editor))
        box->setCurrentIndex(value.toInt());
    else if (auto* box = qobject_cast<QDoubleSpinBox*>(editor))
        box->setValue(value.toDouble());
    else if (auto* box = qobject_cast<QSpinBox*>(editor))
        box->setValue(value.toInt());
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(value);
}

QString shown(QWidget* editor)
{
    if (auto* box = qobject_cast<QComboBox*>(editor))
        return box->currentText();
    if (auto* box = qobject_cast<QAbstractSpinBox*>(editor))
        return box->text();
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    return QString();
}

} // namespace

class TestWidgetDelegate : public QObject
{
    Q_OBJECT

private:
    QStandardItemModel model;
    WidgetDelegate delegate;
    QWidget host;

    QModelIndex cell(const ParamAttributeStruct& a, const QVariant& display = QVariant())
    {
        model.clear();
        auto* item = new QStandardItem;
        item->setData(QVariant::fromValue(a), ParamTableModel::AttributeRole);
        if (display.isValid())
            item->setData(display, Qt::DisplayRole);
        model.appendRow(item);
        return model.index(0, 0);
    }

    std::unique_ptr<QWidget> editorFor(const QModelIndex& index)
    {
        return std::unique_ptr<QWidget>(delegate.createEditor(&host, QStyleOptionViewItem(), index));
    }

private slots:
    void editorKind_data()
    {
        QTest::addColumn<QString>("format1");
        QTest::addColumn<bool>("enumerated");
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("base");

        QTest::newRow("enumeration wins over format") << "2" << true << "QComboBox" << 0;
        QTest::newRow("integer") << "0" << false << "QSpinBox" << 10;
        QTest::newRow("empty format is integer") << "" << false << "QSpinBox" << 10;
        QTest::newRow("one decimal") << "1" << false << "QDoubleSpinBox" << 0;
        QTest::newRow("seven decimals") << "7" << false << "QDoubleSpinBox" << 0;
        QTest::newRow("binary") << "8" << false << "QSpinBox" << 2;
        QTest::newRow("hexadecimal") << "9" << false << "QSpinBox" << 16;
        QTest::newRow("text") << "10" << false << "QLineEdit" << 0;
        QTest::newRow("8-bit format 265 is 9") << "265" << false << "QSpinBox" << 16;
    }

    void editorKind()
    {
        QFETCH(QString, format1);
        QFETCH(bool, enumerated);
        QFETCH(QString, className);
        QFETCH(int, base);
        const QList<QStringList> entries
            = enumerated ? QList<QStringList> { { "Off", "0" }, { "On", "1" } } : QList<QStringList> {};
        auto editor = editorFor(cell(attribute(format1, "0", "100", entries)));
        QVERIFY(editor);
        QCOMPARE(QString::fromLatin1(editor->metaObject()->className()), className);
        QCOMPARE(editor->parentWidget(), &host);
        if (auto* box = qobject_cast<QSpinBox*>(editor.get())) {
            QCOMPARE(box->displayIntegerBase(), base);
            QVERIFY(box->wrapping());
            QVERIFY(!box->hasFrame());
        }
        if (auto* box = qobject_cast<QDoubleSpinBox*>(editor.get())) {
            QCOMPARE(box->decimals(), format1.toInt());
            QVERIFY(box->wrapping());
            QVERIFY(!box->hasFrame());
        }
        if (auto* box = qobject_cast<QComboBox*>(editor.get())) {
            QCOMPARE(box->count(), 2);
            QCOMPARE(box->itemText(1), QStringLiteral("On"));
            QCOMPARE(box->itemData(1, Qt::UserRole), QVariant(1));
            QVERIFY(!box->hasFrame());
        }
        if (auto* edit = qobject_cast<QLineEdit*>(editor.get()))
            QVERIFY(!edit->hasFrame());
        // Hexadecimal digits are shown in upper case.
        QCOMPARE(editor->font().capitalization() == QFont::AllUppercase, base == 16);
    }

    void invalidIndexGivesNoEditor() { QVERIFY(!editorFor(QModelIndex())); }

    void missingAttributeIsIntegerWithZeroLimits()
    {
        model.clear();
        model.appendRow(new QStandardItem);
        auto editor = editorFor(model.index(0, 0));
        auto* box = qobject_cast<QSpinBox*>(editor.get());
        QVERIFY(box);
        QCOMPARE(box->minimum(), 0);
        QCOMPARE(box->maximum(), 0);
    }

    void limits_data()
    {
        QTest::addColumn<QString>("format1");
        QTest::addColumn<QString>("min");
        QTest::addColumn<QString>("max");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");

        QTest::newRow("integer truncated toward zero") << "0"
                                                       << "-5.9"
                                                       << "100.7" << -5.0 << 100.0;
        QTest::newRow("integer beyond the spin box")
            << "0"
            << "-1e12"
            << "4294967295" << double(std::numeric_limits<int>::min())
            << double(std::numeric_limits<int>::max());
        QTest::newRow("decimals") << "2"
                                  << "-1.50"
                                  << "100.00" << -1.5 << 100.0;
        QTest::newRow("binary limits in base 2") << "8"
                                                 << "0"
                                                 << "1111" << 0.0 << 15.0;
        QTest::newRow("hexadecimal with 0x") << "9"
                                             << "0x10"
                                             << "0xFFFF" << 16.0 << 65535.0;
        QTest::newRow("hexadecimal without 0x") << "9"
                                                << "0"
                                                << "ff" << 0.0 << 255.0;
    }

    void limits()
    {
        QFETCH(QString, format1);
        QFETCH(QString, min);
        QFETCH(QString, max);
        QFETCH(double, lo);
        QFETCH(double, hi);
        auto editor = editorFor(cell(attribute(format1, min, max)));
        if (auto* box = qobject_cast<QSpinBox*>(editor.get())) {
            QCOMPARE(double(box->minimum()), lo);
            QCOMPARE(double(box->maximum()), hi);
        } else {
            auto* dbox = qobject_cast<QDoubleSpinBox*>(editor.get());
            QVERIFY(dbox);
            QCOMPARE(dbox->minimum(), lo);
            QCOMPARE(dbox->maximum(), hi);
        }
    }

    // Edit, store, then reopen: what the cell shows, the raw value a write would send, and what the
    // reopened editor shows.
    void commit_data()
    {
        QTest::addColumn<QString>("format1");
        QTest::addColumn<QString>("min");
        QTest::addColumn<QString>("max");
        QTest::addColumn<bool>("enumerated");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("cellText");
        QTest::addColumn<QVariant>("raw");
        QTest::addColumn<QString>("reopened");

        QTest::newRow("enumeration On") << "0"
                                        << "0"
                                        << "1" << true << "1"
                                        << "On" << QVariant(1) << "On";
        QTest::newRow("integer") << "0"
                                 << "-100"
                                 << "100" << false << "-7"
                                 << "-7" << QVariant(-7) << "-7";
        QTest::newRow("two decimals 12.34") << "2"
                                            << "0.00"
                                            << "100.00" << false << "12.34"
                                            << "12.34" << QVariant(1234) << "12.34";
        QTest::newRow("one decimal -1.5") << "1"
                                          << "-10.0"
                                          << "10.0" << false << "-1.5"
                                          << "-1.5" << QVariant(-15) << "-1.5";
        QTest::newRow("three decimals 1.005") << "3"
                                              << "0"
                                              << "10" << false << "1.005"
                                              << "1.005" << QVariant(1005) << "1.005";
        // 3e9 does not fit an int: the low 16 bits, 0x5E00, are what the drive gets.
        QTest::newRow("two decimals beyond int") << "2"
                                                 << "0"
                                                 << "40000000.00" << false << "30000000"
                                                 << "30000000.00" << QVariant(0x5E00) << "30000000.00";
        QTest::newRow("binary 5") << "8"
                                  << "0"
                                  << "1111" << false << "5"
                                  << "5" << QVariant(5) << "101";
        QTest::newRow("hexadecimal 255") << "9"
                                         << "0"
                                         << "0xFFFF" << false << "255"
                                         << "0xFF" << QVariant(255) << "FF";
        QTest::newRow("text has no raw value") << "10"
                                               << "0"
                                               << "0" << false << "abc"
                                               << "abc" << QVariant() << "abc";
    }

    void commit()
    {
        QFETCH(QString, format1);
        QFETCH(QString, min);
        QFETCH(QString, max);
        QFETCH(bool, enumerated);
        QFETCH(QString, input);
        QFETCH(QString, cellText);
        QFETCH(QVariant, raw);
        QFETCH(QString, reopened);
        const QList<QStringList> entries
            = enumerated ? QList<QStringList> { { "Off", "0" }, { "On", "1" } } : QList<QStringList> {};
        const QModelIndex index = cell(attribute(format1, min, max, entries));
        auto editor = editorFor(index);
        delegate.setEditorData(editor.get(), index);
        enter(editor.get(), input);
        delegate.setModelData(editor.get(), &model, index);

        QCOMPARE(index.data(Qt::DisplayRole).toString(), cellText);
        QCOMPARE(index.data(rawRole).isValid(), raw.isValid());
        if (raw.isValid()) {
            QCOMPARE(index.data(rawRole).toInt(), raw.toInt());
            // What the write path sends.
            QCOMPARE(quint16(index.data(rawRole).toInt()), quint16(raw.toInt()));
        }
        if (enumerated)
            QCOMPARE(index.data(positionRole).toInt(), input.toInt());

        auto again = editorFor(index);
        delegate.setEditorData(again.get(), index);
        QCOMPARE(shown(again.get()).toUpper(), reopened.toUpper());
    }

    void negativeRawIsSentAsTwosComplement()
    {
        const QModelIndex index = cell(attribute("1", "-10.0", "10.0"));
        auto editor = editorFor(index);
        enter(editor.get(), "-1.5");
        delegate.setModelData(editor.get(), &model, index);
        QCOMPARE(quint16(index.data(rawRole).toInt()), quint16(0xFFF1));
    }

    void outOfRangeOpensAtMinimum_data()
    {
        QTest::addColumn<QString>("format1");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("expected");

        QTest::newRow("integer above") << "0"
                                       << "500"
                                       << "10";
        QTest::newRow("integer below") << "0"
                                       << "2"
                                       << "10";
        QTest::newRow("decimals above after rescale") << "2"
                                                      << "123.45"
                                                      << "10.00";
        QTest::newRow("binary above") << "8"
                                      << "200"
                                      << "1010";
        QTest::newRow("hexadecimal above") << "9"
                                           << "0x1FF"
                                           << "A";
        QTest::newRow("integer inside") << "0"
                                        << "42"
                                        << "42";
        QTest::newRow("decimals inside") << "2"
                                         << "12.5"
                                         << "12.50";
        QTest::newRow("hexadecimal inside") << "9"
                                            << "0x1F"
                                            << "1F";
    }

    void outOfRangeOpensAtMinimum()
    {
        QFETCH(QString, format1);
        QFETCH(QString, display);
        QFETCH(QString, expected);
        const QString min = format1 == "8" ? "1010" : format1 == "9" ? "0xA" : "10";
        const QString max = format1 == "8" ? "1111111" : format1 == "9" ? "0xFF" : "100";
        const QModelIndex index = cell(attribute(format1, min, max), display);
        auto editor = editorFor(index);
        delegate.setEditorData(editor.get(), index);
        QCOMPARE(shown(editor.get()).toUpper(), expected.toUpper());
    }

    void enumerationPosition_data()
    {
        QTest::addColumn<QVariant>("position");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none stored") << QVariant() << "Off";
        QTest::newRow("second") << QVariant(1) << "On";
        QTest::newRow("out of range") << QVariant(5) << "Off";
        QTest::newRow("negative") << QVariant(-1) << "Off";
    }

    void enumerationPosition()
    {
        QFETCH(QVariant, position);
        QFETCH(QString, expected);
        const QModelIndex index = cell(attribute("0", "0", "1", { { "Off", "0" }, { "On", "1" } }));
        if (position.isValid())
            model.setData(index, position, positionRole);
        auto editor = editorFor(index);
        delegate.setEditorData(editor.get(), index);
        QCOMPARE(shown(editor.get()), expected);
    }

    void enumerationEntryValueNotNumberIsZero()
    {
        const QModelIndex index = cell(attribute("0", "0", "1", { { "Odd", "x" }, { "On", "1" } }));
        auto editor = editorFor(index);
        auto* box = qobject_cast<QComboBox*>(editor.get());
        QVERIFY(box);
        QCOMPARE(box->itemData(0).toInt(), 0);
        QCOMPARE(box->itemData(1).toInt(), 1);
    }

    void geometryFollowsCell()
    {
        const QModelIndex index = cell(attribute("0", "0", "10"));
        auto editor = editorFor(index);
        QStyleOptionViewItem option;
        option.rect = QRect(10, 20, 180, 24);
        delegate.updateEditorGeometry(editor.get(), option, index);
        QCOMPARE(editor->geometry(), option.rect);
    }
};

QTEST_MAIN(TestWidgetDelegate)
#include "tst_widgetdelegate.moc"
