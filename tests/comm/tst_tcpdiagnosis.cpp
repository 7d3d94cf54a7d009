// SPDX-License-Identifier: GPL-3.0-or-later
// The words for a TCP connection that failed: one kind of trouble per socket error, each naming
// the server and what to check.

#include "comm/TcpDiagnosis.h"

#include <QTest>

class TestTcpDiagnosis : public QObject
{
    Q_OBJECT

private slots:
    void explain_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("words");
        QTest::newRow("refused") << int(QAbstractSocket::ConnectionRefusedError) << int(TcpDiagnosis::Refused)
                                 << "gw.plant:502 refused the connection";
        QTest::newRow("name not found")
            << int(QAbstractSocket::HostNotFoundError) << int(TcpDiagnosis::NameNotFound)
            << "host name gw.plant was not found";
        QTest::newRow("unreachable") << int(QAbstractSocket::NetworkError) << int(TcpDiagnosis::Unreachable)
                                     << "gw.plant cannot be reached from this computer (No route to host)";
        QTest::newRow("timed out") << int(QAbstractSocket::SocketTimeoutError) << int(TcpDiagnosis::TimedOut)
                                   << "gw.plant:502 did not take the connection";
        QTest::newRow("closed by the server")
            << int(QAbstractSocket::RemoteHostClosedError) << int(TcpDiagnosis::Closed)
            << "gw.plant:502 closed the connection";
        QTest::newRow("anything else") << int(QAbstractSocket::SocketResourceError)
                                       << int(TcpDiagnosis::OtherProblem) << "No route to host";
    }

    void explain()
    {
        QFETCH(int, error);
        QFETCH(int, problem);
        QFETCH(QString, words);
        const TcpDiagnosis::Result result = TcpDiagnosis::explain(QAbstractSocket::SocketError(error),
            QStringLiteral("gw.plant"), 502, QStringLiteral("No route to host"));
        QCOMPARE(int(result.problem), problem);
        QVERIFY2(result.text.contains(words), qPrintable(result.text));
    }

    void timeoutNamesTheWait()
    {
        const TcpDiagnosis::Result result = TcpDiagnosis::timedOut(QStringLiteral("fe80::1"), 4001, 3000);
        QCOMPARE(result.problem, TcpDiagnosis::TimedOut);
        QVERIFY2(
            result.text.startsWith(QLatin1String("[fe80::1]:4001 did not take the connection within 3 s")),
            qPrintable(result.text));
    }
};

QTEST_APPLESS_MAIN(TestTcpDiagnosis)
#include "tst_tcpdiagnosis.moc"
