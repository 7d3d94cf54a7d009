// SPDX-License-Identifier: GPL-3.0-or-later
#include "definitions/ValueFormat.h"

#include <QtTest>

#include <limits>

class TestValueFormat : public QObject
{
    Q_OBJECT
private slots:
    void registersToText_data();
    void registersToText();
    void registerToText_data();
    void registerToText();
    void registersToFloat_data();
    void registersToFloat();
    void floatToRaw_data();
    void floatToRaw();
    void rawToFloat_data();
    void rawToFloat();
    void rawToText_data();
    void rawToText();
};

using Registers = QVector<quint16>;

void TestValueFormat::registersToText_data()
{
    QTest::addColumn<Registers>("values");
    QTest::addColumn<int>("format1");
    QTest::addColumn<int>("format2");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << Registers {} << 0 << 0 << "0";
    QTest::newRow("empty signed decimals") << Registers {} << 2 << 1 << "0.00";
    QTest::newRow("one unsigned") << Registers { 0xFFFF } << 0 << 0 << "65535";
    QTest::newRow("one signed") << Registers { 0xFFFF } << 0 << 1 << "-1";
    QTest::newRow("one signed minimum") << Registers { 0x8000 } << 0 << 1 << "-32768";
    QTest::newRow("one signed maximum") << Registers { 0x7FFF } << 0 << 1 << "32767";
    QTest::newRow("format2 2 is unsigned") << Registers { 0xFFFF } << 0 << 2 << "65535";
    QTest::newRow("low word first") << Registers { 0x0001, 0x0002 } << 0 << 0 << "131073";
    QTest::newRow("two unsigned high bit") << Registers { 0x0000, 0x8000 } << 0 << 0 << "2147483648";
    QTest::newRow("two signed high bit") << Registers { 0x0000, 0x8000 } << 0 << 1 << "-2147483648";
    QTest::newRow("two signed -1") << Registers { 0xFFFF, 0xFFFF } << 0 << 1 << "-1";
    QTest::newRow("two unsigned all ones") << Registers { 0xFFFF, 0xFFFF } << 0 << 0 << "4294967295";
    QTest::newRow("two registers, small high word negative low")
        << Registers { 0xFFFF, 0x0000 } << 0 << 1 << "65535";
    // Large 32-bit counts must keep every digit.
    QTest::newRow("123456789 unsigned") << Registers { 0xCD15, 0x075B } << 0 << 0 << "123456789";
    QTest::newRow("123456789 signed") << Registers { 0xCD15, 0x075B } << 0 << 1 << "123456789";
    QTest::newRow("16777217 unsigned") << Registers { 0x0001, 0x0100 } << 0 << 0 << "16777217";
    QTest::newRow("16777217 signed") << Registers { 0x0001, 0x0100 } << 0 << 1 << "16777217";
    QTest::newRow("-123456789 signed") << Registers { 0x32EB, 0xF8A4 } << 0 << 1 << "-123456789";
    QTest::newRow("-123456789 as unsigned") << Registers { 0x32EB, 0xF8A4 } << 0 << 0 << "4171510507";
    QTest::newRow("-16777217 signed") << Registers { 0xFFFF, 0xFEFF } << 0 << 1 << "-16777217";
    QTest::newRow("three registers stay combined")
        << Registers { 0x0001, 0x0002, 0x0003 } << 0 << 1 << "131075";
    // Decimals keep the single-precision step: 1234567.89 becomes the float 1234567.875.
    QTest::newRow("decimals through float") << Registers { 0xCD15, 0x075B } << 2 << 0 << "1234567.88";
    QTest::newRow("two decimals") << Registers { 1234 } << 2 << 0 << "12.34";
    QTest::newRow("one decimal negative") << Registers { 0xFFFB } << 1 << 1 << "-0.5";
    QTest::newRow("three decimals negative") << Registers { 0xFFFF } << 3 << 1 << "-0.001";
    QTest::newRow("seven decimals") << Registers { 12345 } << 7 << 0 << "0.0012345";
    QTest::newRow("zero with decimals") << Registers { 0 } << 4 << 0 << "0.0000";
    QTest::newRow("two registers decimals signed") << Registers { 0xFFFF, 0xFFFF } << 1 << 1 << "-0.1";
    QTest::newRow("binary") << Registers { 5 } << 8 << 0 << "101";
    QTest::newRow("binary negative") << Registers { 0xFFFB } << 8 << 1 << "-101";
    QTest::newRow("binary two registers") << Registers { 0x0000, 0x0001 } << 8 << 0 << "10000000000000000";
    QTest::newRow("hex") << Registers { 255 } << 9 << 0 << "0xFF";
    QTest::newRow("hex upper case") << Registers { 0xABCD } << 9 << 0 << "0xABCD";
    QTest::newRow("hex negative keeps minus after 0x") << Registers { 0xFF01 } << 9 << 1 << "0x-FF";
    QTest::newRow("hex two registers") << Registers { 0x5678, 0x1234 } << 9 << 0 << "0x12345678";
    QTest::newRow("text format 10") << Registers { 0xFFFF } << 10 << 1 << "-1";
    QTest::newRow("text format 10 unsigned") << Registers { 0xFFFF } << 10 << 0 << "65535";
    QTest::newRow("text format 255") << Registers { 0x0001, 0x0002 } << 255 << 0 << "131073";
}

void TestValueFormat::registersToText()
{
    QFETCH(Registers, values);
    QFETCH(int, format1);
    QFETCH(int, format2);
    QFETCH(QString, expected);
    QCOMPARE(::registersToText(values, quint8(format1), quint8(format2)), expected);
}

void TestValueFormat::registerToText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("format1");
    QTest::addColumn<int>("format2");
    QTest::addColumn<QString>("expected");

    QTest::newRow("signed -1") << 0xFFFF << 0 << 1 << "-1";
    QTest::newRow("unsigned 65535") << 0xFFFF << 0 << 0 << "65535";
    QTest::newRow("two decimals") << 1234 << 2 << 0 << "12.34";
    QTest::newRow("binary") << 5 << 8 << 0 << "101";
    QTest::newRow("hex") << 255 << 9 << 0 << "0xFF";
    QTest::newRow("hex zero") << 0 << 9 << 0 << "0x0";
    QTest::newRow("zero decimals") << 0 << 2 << 0 << "0.00";
    QTest::newRow("signed decimals") << 0xFF85 << 2 << 1 << "-1.23";
}

void TestValueFormat::registerToText()
{
    QFETCH(int, value);
    QFETCH(int, format1);
    QFETCH(int, format2);
    QFETCH(QString, expected);
    QCOMPARE(::registerToText(quint16(value), quint8(format1), quint8(format2)), expected);
}

void TestValueFormat::registersToFloat_data()
{
    QTest::addColumn<Registers>("values");
    QTest::addColumn<int>("format1");
    QTest::addColumn<int>("format2");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << Registers {} << 2 << 0 << 0.0;
    QTest::newRow("two decimals in single precision") << Registers { 1234 } << 2 << 0 << double(12.34f);
    QTest::newRow("signed one decimal") << Registers { 0xFFFB } << 1 << 1 << -0.5;
    QTest::newRow("signed integer") << Registers { 0xFFFF } << 0 << 1 << -1.0;
    QTest::newRow("unsigned integer") << Registers { 0xFFFF } << 0 << 0 << 65535.0;
    QTest::newRow("two registers signed") << Registers { 0x0000, 0x8000 } << 0 << 1 << -2147483648.0;
    QTest::newRow("two registers unsigned") << Registers { 0x0000, 0x8000 } << 0 << 0 << 2147483648.0;
    QTest::newRow("large integer exact") << Registers { 0xCD15, 0x075B } << 0 << 0 << 123456789.0;
    QTest::newRow("large decimals through float") << Registers { 0xCD15, 0x075B } << 2 << 0 << 1234567.875;
    QTest::newRow("binary unscaled") << Registers { 0xFFFF } << 8 << 1 << -1.0;
    QTest::newRow("hex unscaled") << Registers { 0x5678, 0x1234 } << 9 << 0 << double(0x12345678);
    QTest::newRow("text unscaled") << Registers { 0x0001, 0x0100 } << 10 << 0 << 16777217.0;
}

void TestValueFormat::registersToFloat()
{
    QFETCH(Registers, values);
    QFETCH(int, format1);
    QFETCH(int, format2);
    QFETCH(double, expected);
    QCOMPARE(::registersToFloat(values, quint8(format1), quint8(format2)), expected);
}

void TestValueFormat::floatToRaw_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<int>("format1");
    QTest::addColumn<int>("expected");

    QTest::newRow("1.15 two decimals") << 1.15f << 2 << 115;
    QTest::newRow("-1.2 one decimal") << -1.2f << 1 << -12;
    QTest::newRow("half up") << 12.5f << 0 << 13;
    QTest::newRow("half away from zero") << -12.5f << 0 << -13;
    QTest::newRow("negative whole") << -10.0f << 0 << -10;
    QTest::newRow("small half") << 0.125f << 2 << 13;
    // 1.005f * 100 is 100.4999995 in double; the single-precision step makes it 100.5, hence 101.
    QTest::newRow("single precision before rounding") << 1.005f << 2 << 101;
    QTest::newRow("binary not scaled") << 12.5f << 8 << 13;
    QTest::newRow("hex not scaled") << -2.5f << 9 << -3;
    QTest::newRow("text not scaled") << 65535.0f << 10 << 65535;
    QTest::newRow("seven decimals") << 0.0012345f << 7 << 12345;
    QTest::newRow("too large clamps") << 1e12f << 0 << std::numeric_limits<int>::max();
    QTest::newRow("too small clamps") << -1e12f << 3 << std::numeric_limits<int>::min();
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 1 << 0;
}

void TestValueFormat::floatToRaw()
{
    QFETCH(float, x);
    QFETCH(int, format1);
    QFETCH(int, expected);
    QCOMPARE(::floatToRaw(x, quint8(format1)), expected);
}

void TestValueFormat::rawToFloat_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("format1");
    QTest::addColumn<float>("expected");

    QTest::newRow("two decimals") << 1234 << 2 << 12.34f;
    QTest::newRow("negative one decimal") << -5 << 1 << -0.5f;
    QTest::newRow("integer") << -7 << 0 << -7.0f;
    QTest::newRow("binary unscaled") << 70000 << 8 << 70000.0f;
    QTest::newRow("text unscaled") << -3 << 12 << -3.0f;
    QTest::newRow("seven decimals") << 1 << 7 << 1e-7f;
}

void TestValueFormat::rawToFloat()
{
    QFETCH(int, raw);
    QFETCH(int, format1);
    QFETCH(float, expected);
    QCOMPARE(::rawToFloat(raw, quint8(format1)), expected);
}

void TestValueFormat::rawToText_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("format1");
    QTest::addColumn<QString>("expected");

    QTest::newRow("negative half") << -5 << 1 << "-0.5";
    QTest::newRow("two decimals") << 1234 << 2 << "12.34";
    QTest::newRow("back from floatToRaw") << 115 << 2 << "1.15";
    QTest::newRow("zero three decimals") << 0 << 3 << "0.000";
    QTest::newRow("integer negative") << -1 << 0 << "-1";
    QTest::newRow("large integer exact") << 123456789 << 0 << "123456789";
    QTest::newRow("16777217 exact") << 16777217 << 0 << "16777217";
    QTest::newRow("large negative integer exact") << -123456789 << 0 << "-123456789";
    QTest::newRow("binary is decimal text") << 5 << 8 << "5";
    QTest::newRow("hex is decimal text") << 255 << 9 << "255";
    QTest::newRow("text format") << -10 << 10 << "-10";
}

void TestValueFormat::rawToText()
{
    QFETCH(int, raw);
    QFETCH(int, format1);
    QFETCH(QString, expected);
    QCOMPARE(::rawToText(raw, quint8(format1)), expected);
}

QTEST_APPLESS_MAIN(TestValueFormat)
#include "tst_valueformat.moc"
