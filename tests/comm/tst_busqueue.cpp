// SPDX-License-Identifier: GPL-3.0-or-later
// The bus device's queue order, which every transport shares: first in, first out, except that a
// stop outranks everything but earlier stops and takes back the waiting starts of its motion.

#include "comm/BusDevices_p.h"

#include <QStringList>
#include <QTest>

namespace {

// One waiting request per token: "r" a read, "w" a plain write, "s1" a start and "x1" a stop of
// motion 1; the letters after that name it ("s1a").
BusRequest request(const QString& token)
{
    BusRequest r;
    r.message = token;
    r.write = !token.startsWith(QLatin1Char('r'));
    if (token.startsWith(QLatin1Char('s')) || token.startsWith(QLatin1Char('x'))) {
        r.motion.role = token.startsWith(QLatin1Char('s')) ? BusMotion::Start : BusMotion::Stop;
        r.motion.motion = quint8(token.mid(1, 1).toUInt());
    }
    return r;
}

void fill(BusDevicesPrivate& d, const QStringList& tokens)
{
    for (const QString& token : tokens)
        d.queue.append(request(token));
}

QStringList tokens(const BusDevicesPrivate& d)
{
    QStringList out;
    for (const BusRequest& r : d.queue)
        out << r.message;
    return out;
}

} // namespace

class TestBusQueue : public QObject
{
    Q_OBJECT

private slots:
    void enqueue_data()
    {
        QTest::addColumn<QStringList>("waiting");
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("plain requests keep their order")
            << QStringList { "ra", "wb" } << "wc" << QStringList { "ra", "wb", "wc" };
        QTest::newRow("a start waits like any write")
            << QStringList { "ra", "x2b" } << "s1c" << QStringList { "ra", "x2b", "s1c" };
        QTest::newRow("a stop goes ahead of everything waiting")
            << QStringList { "ra", "wb", "rc" } << "x1d" << QStringList { "x1d", "ra", "wb", "rc" };
        QTest::newRow("behind earlier stops")
            << QStringList { "x1a", "rb" } << "x2c" << QStringList { "x1a", "x2c", "rb" };
        QTest::newRow("a stop takes back the starts of its motion")
            << QStringList { "s1a", "s1b", "rc", "s1d" } << "x1e" << QStringList { "x1e", "rc" };
        QTest::newRow("and only those")
            << QStringList { "s1a", "s2b", "wc" } << "x1d" << QStringList { "x1d", "s2b", "wc" };
        QTest::newRow("a second stop of a motion goes too")
            << QStringList { "x1a", "ra" } << "x1b" << QStringList { "x1a", "x1b", "ra" };
        QTest::newRow("an empty queue") << QStringList {} << "x3a" << QStringList { "x3a" };
    }

    void enqueue()
    {
        QFETCH(QStringList, waiting);
        QFETCH(QString, incoming);
        QFETCH(QStringList, after);
        BusDevicesPrivate d;
        fill(d, waiting);
        d.enqueue(request(incoming));
        QCOMPARE(tokens(d), after);
    }

    void withdrawMotion_data()
    {
        QTest::addColumn<QStringList>("waiting");
        QTest::addColumn<int>("motion");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("starts and stops of the motion go")
            << QStringList { "x1a", "s2b", "rc", "s1d", "w1e" } << 1 << QStringList { "s2b", "rc", "w1e" };
        QTest::newRow("nothing of the motion waits")
            << QStringList { "ra", "s2b" } << 1 << QStringList { "ra", "s2b" };
    }

    void withdrawMotion()
    {
        QFETCH(QStringList, waiting);
        QFETCH(int, motion);
        QFETCH(QStringList, after);
        BusDevicesPrivate d;
        fill(d, waiting);
        d.withdrawMotion(quint8(motion));
        QCOMPARE(tokens(d), after);
    }
};

QTEST_APPLESS_MAIN(TestBusQueue)
#include "tst_busqueue.moc"
