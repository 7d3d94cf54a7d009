// SPDX-License-Identifier: GPL-3.0-or-later
// A parameter's value in its own format, both ways: what a register value shows as, and what a
// typed text writes, with the parameter's limits.

#include "engine/ParamValue.h"

#include <QtTest>

using ParamValue::Problem;

namespace {

ParamAttributeStruct parameter(const QString& format1, const QString& format2, const QString& min,
    const QString& max, const QList<QStringList>& entries = {})
{
    ParamAttributeStruct p;
    p.name = QStringLiteral("P0-01");
    p.format1 = format1;
    p.format2 = format2;
    p.min = min;
    p.max = max;
    p.indexList = entries;
    return p;
}

const QList<QStringList> modes { { QStringLiteral("10:Ten"), QStringLiteral("10") },
    { QStringLiteral("1:Enabled"), QStringLiteral("1") },
    { QString::fromUtf8("0：速度"), QStringLiteral("0") } };

} // namespace

Q_DECLARE_METATYPE(Problem)

class TestParamValue : public QObject
{
    Q_OBJECT

private slots:
    void displayText_data()
    {
        QTest::addColumn<ParamAttributeStruct>("attribute");
        QTest::addColumn<QVector<quint16>>("values");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("shown");

        QTest::newRow("integer") << parameter("0", "0", "0", "1000") << QVector<quint16> { 250 } << "250"
                                 << "250";
        QTest::newRow("two decimals")
            << parameter("2", "0", "0", "100") << QVector<quint16> { 1234 } << "12.34"
            << "12.34";
        QTest::newRow("signed one decimal")
            << parameter("1", "1", "-10", "10") << QVector<quint16> { 0xFFF1 } << "-1.5"
            << "-1.5";
        QTest::newRow("hexadecimal") << parameter("9", "0", "0x0", "0xFFFF") << QVector<quint16> { 31 }
                                     << "0x1F"
                                     << "0x1F";
        QTest::newRow("binary") << parameter("8", "0", "0", "1111") << QVector<quint16> { 5 } << "101"
                                << "101";
        QTest::newRow("entry equal wins over one containing it")
            << parameter("0", "0", "0", "10", modes) << QVector<quint16> { 1 } << "1:Enabled"
            << "1:Enabled";
        QTest::newRow("entry with a full-width colon")
            << parameter("0", "0", "0", "10", modes) << QVector<quint16> { 0 } << QString::fromUtf8("0：速度")
            << QString::fromUtf8("0：速度");
        QTest::newRow("no entry: the table shows nothing, a result the number")
            << parameter("0", "0", "0", "10", modes) << QVector<quint16> { 7 } << ""
            << "7";
    }

    void displayText()
    {
        QFETCH(ParamAttributeStruct, attribute);
        QFETCH(QVector<quint16>, values);
        QFETCH(QString, display);
        QFETCH(QString, shown);
        QCOMPARE(ParamValue::displayText(attribute, values), display);
        QCOMPARE(ParamValue::shownText(attribute, values.at(0)), shown);
    }

    void parse_data()
    {
        QTest::addColumn<ParamAttributeStruct>("attribute");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Problem>("problem");
        QTest::addColumn<int>("raw");

        const ParamAttributeStruct integer = parameter("0", "0", "0", "1000");
        const ParamAttributeStruct decimals = parameter("2", "0", "0.00", "100.00");
        const ParamAttributeStruct signedTenths = parameter("1", "1", "-10.0", "10.0");
        const ParamAttributeStruct hexadecimal = parameter("9", "0", "0x0", "0xFF");
        const ParamAttributeStruct binary = parameter("8", "0", "0", "1111");
        const ParamAttributeStruct enumeration = parameter("0", "0", "0", "10", modes);
        const ParamAttributeStruct noLimits = parameter("0", "0", "", "");
        const ParamAttributeStruct freeText = parameter("12", "0", "", "");

        QTest::newRow("integer") << integer << "250" << Problem::None << 250;
        QTest::newRow("integer with blanks") << integer << " 250 " << Problem::None << 250;
        QTest::newRow("integer given in hexadecimal") << integer << "0x1F" << Problem::None << 31;
        QTest::newRow("integer above max") << integer << "1001" << Problem::AboveMaximum << 0;
        QTest::newRow("integer below min") << integer << "-1" << Problem::BelowMinimum << 0;
        QTest::newRow("words") << integer << "fast" << Problem::NotANumber << 0;
        QTest::newRow("nothing") << integer << "  " << Problem::Empty << 0;
        // The single-precision step of the value editor and the import: 12.34 * 100 is 1234.
        QTest::newRow("two decimals") << decimals << "12.34" << Problem::None << 1234;
        QTest::newRow("two decimals, fewer typed") << decimals << "1.5" << Problem::None << 150;
        QTest::newRow("rounded half away from zero") << decimals << "0.125" << Problem::None << 13;
        QTest::newRow("two decimals above max") << decimals << "100.01" << Problem::AboveMaximum << 0;
        QTest::newRow("signed negative") << signedTenths << "-1.5" << Problem::None << 0xFFF1;
        QTest::newRow("signed at min") << signedTenths << "-10" << Problem::None << 0xFF9C;
        QTest::newRow("hexadecimal with prefix") << hexadecimal << "0x1F" << Problem::None << 31;
        QTest::newRow("hexadecimal without prefix") << hexadecimal << "ff" << Problem::None << 255;
        QTest::newRow("hexadecimal above max") << hexadecimal << "0x100" << Problem::AboveMaximum << 0;
        QTest::newRow("hexadecimal not hexadecimal") << hexadecimal << "0xZZ" << Problem::NotANumber << 0;
        QTest::newRow("binary") << binary << "101" << Problem::None << 5;
        QTest::newRow("binary with prefix") << binary << "0b1111" << Problem::None << 15;
        QTest::newRow("binary digit 2") << binary << "102" << Problem::NotANumber << 0;
        QTest::newRow("entry by full name") << enumeration << "1:Enabled" << Problem::None << 1;
        QTest::newRow("entry by its words, any case") << enumeration << "enabled" << Problem::None << 1;
        QTest::newRow("entry after a full-width colon")
            << enumeration << QString::fromUtf8("速度") << Problem::None << 0;
        QTest::newRow("entry by number") << enumeration << "10" << Problem::None << 10;
        QTest::newRow("number without entry") << enumeration << "7" << Problem::NoSuchEntry << 0;
        QTest::newRow("unknown entry") << enumeration << "Disabled" << Problem::NoSuchEntry << 0;
        QTest::newRow("no limits, top of a register") << noLimits << "65535" << Problem::None << 65535;
        QTest::newRow("no limits, beyond a register") << noLimits << "65536" << Problem::TooWide << 0;
        QTest::newRow("unsigned, negative") << noLimits << "-1" << Problem::TooWide << 0;
        QTest::newRow("free text format takes integers") << freeText << "42" << Problem::None << 42;
    }

    void parse()
    {
        QFETCH(ParamAttributeStruct, attribute);
        QFETCH(QString, text);
        QFETCH(Problem, problem);
        QFETCH(int, raw);
        quint16 value = 0xBEEF;
        QCOMPARE(ParamValue::parse(attribute, text, &value), problem);
        QCOMPARE(int(value), problem == Problem::None ? raw : 0xBEEF);
    }

    // What a parameter file's value stands for: as the table exports values, so a backup
    // restores what it saved; the limits are checked apart.
    void fileNumber_data()
    {
        QTest::addColumn<ParamAttributeStruct>("attribute");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<Problem>("range");

        const QList<QStringList> named { { QStringLiteral("Position mode"), QStringLiteral("0") },
            { QStringLiteral("Speed mode"), QStringLiteral("1") } };
        QTest::newRow("decimals") << parameter("2", "0", "0.00", "100.00") << "12.34" << true << qint64(1234)
                                  << Problem::None;
        QTest::newRow("above the limit") << parameter("2", "0", "0.00", "100.00") << "100.01" << true
                                         << qint64(10001) << Problem::AboveMaximum;
        QTest::newRow("signed") << parameter("1", "1", "-10.0", "10.0") << "-1.5" << true << qint64(-15)
                                << Problem::None;
        QTest::newRow("hexadecimal") << parameter("9", "0", "0x0", "0xFFFF") << "0x1F" << true << qint64(31)
                                     << Problem::None;
        // The table shows binary digits, so a file holds them: "101" is 5, not a hundred and one.
        QTest::newRow("binary digits")
            << parameter("8", "0", "0", "11111111") << "101" << true << qint64(5) << Problem::None;
        QTest::newRow("binary, a digit 2")
            << parameter("8", "0", "0", "11111111") << "102" << false << qint64(0) << Problem::None;
        QTest::newRow("entry saved by its number")
            << parameter("0", "0", "0", "10", modes) << "10" << true << qint64(10) << Problem::None;
        QTest::newRow("entry without a number, saved by its name")
            << parameter("0", "0", "0", "1", named) << "Speed mode" << true << qint64(1) << Problem::None;
        QTest::newRow("a value without entry compares as it is")
            << parameter("0", "0", "0", "1", named) << "7" << true << qint64(7) << Problem::None;
        QTest::newRow("wider than a register")
            << parameter("0", "0", "", "") << "70000" << true << qint64(70000) << Problem::TooWide;
        QTest::newRow("words") << parameter("0", "0", "0", "10") << "fast" << false << qint64(0)
                               << Problem::None;
        QTest::newRow("empty") << parameter("0", "0", "0", "10") << "" << false << qint64(0) << Problem::None;
    }

    void fileNumber()
    {
        QFETCH(ParamAttributeStruct, attribute);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, value);
        QFETCH(Problem, range);
        qint64 number = -99;
        QCOMPARE(ParamValue::fileNumber(attribute, text, &number), ok);
        if (!ok)
            return;
        QCOMPARE(number, value);
        QCOMPARE(ParamValue::checkRange(attribute, number), range);
    }

    // Other decimals re-express the limits; the register values they stand for stay.
    void withPrecision()
    {
        const ParamAttributeStruct hundredths = parameter("2", "0", "0.50", "600.00");
        const ParamAttributeStruct tenths = ParamValue::withPrecision(hundredths, 1);
        QCOMPARE(tenths.format1, QStringLiteral("1"));
        QCOMPARE(tenths.min, QStringLiteral("5.0"));
        QCOMPARE(tenths.max, QStringLiteral("6000.0"));
        qint64 value = 0;
        QVERIFY(ParamValue::fileNumber(tenths, QStringLiteral("50.0"), &value));
        QCOMPARE(value, qint64(500));
        QCOMPARE(ParamValue::checkRange(tenths, 60000), Problem::None);
        QCOMPARE(ParamValue::checkRange(tenths, 60001), Problem::AboveMaximum);
        QCOMPARE(ParamValue::checkRange(tenths, 49), Problem::BelowMinimum);
        QCOMPARE(ParamValue::withPrecision(hundredths, 2).min, hundredths.min);
        QCOMPARE(ParamValue::rescaledText(QString(), 2, 1), QString());
    }

    // What a value is written as shows again as the same text.
    void parsedValueShowsAsTyped_data()
    {
        QTest::addColumn<ParamAttributeStruct>("attribute");
        QTest::addColumn<QString>("text");
        QTest::newRow("decimals") << parameter("3", "0", "0", "60") << "1.234";
        QTest::newRow("signed") << parameter("1", "1", "-10", "10") << "-9.9";
        QTest::newRow("hexadecimal") << parameter("9", "0", "0", "0xFFFF") << "0xABCD";
        QTest::newRow("binary") << parameter("8", "0", "0", "11111111") << "10110";
        QTest::newRow("entry") << parameter("0", "0", "0", "10", modes) << "10:Ten";
    }

    void parsedValueShowsAsTyped()
    {
        QFETCH(ParamAttributeStruct, attribute);
        QFETCH(QString, text);
        quint16 raw = 0;
        QCOMPARE(ParamValue::parse(attribute, text, &raw), Problem::None);
        QCOMPARE(ParamValue::displayText(attribute, { raw }), text);
    }
};

QTEST_GUILESS_MAIN(TestParamValue)
#include "tst_paramvalue.moc"
