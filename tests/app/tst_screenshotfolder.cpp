// SPDX-License-Identifier: GPL-3.0-or-later
// Where scope screenshots go: beside the application while it may write there, else in the
// user's pictures folder, as an installed tool under /usr must.

#include "Global.h"
#include "NonRootUser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <pwd.h>
#include <sys/stat.h>

namespace {
const char* const FolderArgument = "--screenshot-folder";
} // namespace

class TestScreenshotFolder : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void chosenFolder_data()
    {
        QTest::addColumn<QString>("application");
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<QString>("expected");

        QTest::newRow("writable application folder") << "app"
                                                     << "Pictures"
                                                     << "app/Screenshot";
        QTest::newRow("application folder that cannot hold one") << "plain-file/app"
                                                                 << "Pictures"
                                                                 << "Pictures/Kestrova";
        QTest::newRow("pictures folder made when missing") << "plain-file"
                                                           << "new/Pictures"
                                                           << "new/Pictures/Kestrova";
        QTest::newRow("neither can hold one") << "plain-file"
                                              << "plain-file/Pictures"
                                              << "";
        QTest::newRow("no application folder known") << ""
                                                     << "Pictures"
                                                     << "Pictures/Kestrova";
    }
    void chosenFolder()
    {
        QFETCH(QString, application);
        QFETCH(QString, pictures);
        QFETCH(QString, expected);
        QVERIFY(dir.isValid());
        QDir(dir.path()).mkpath(QStringLiteral("app"));
        QFile plain(path(QStringLiteral("plain-file")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();

        const QString folder
            = Global::screenshotFolder(application.isEmpty() ? QString() : path(application), path(pictures));
        QCOMPARE(folder, expected.isEmpty() ? QString() : path(expected));
        if (!folder.isEmpty()) {
            QVERIFY(QFileInfo(folder).isDir());
            // The write test leaves nothing behind in the user's folder.
            QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                QStringList());
        }
    }

    void existingScreenshotFolderIsKept()
    {
        QDir(dir.path()).mkpath(QStringLiteral("kept/Screenshot"));
        QFile old(path(QStringLiteral("kept/Screenshot/2026-01-01 10-00-00-000.png")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        QCOMPARE(Global::screenshotFolder(path(QStringLiteral("kept")), path(QStringLiteral("Pictures"))),
            path(QStringLiteral("kept/Screenshot")));
        QVERIFY(old.exists());
    }

    // What an installed tool sees: an application folder of root's (this test's own) and an
    // ordinary account.
    void systemWideInstallUsesThePicturesFolder()
    {
        const QString why = NonRootUser::ensure();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no ordinary account to test with: ") + why));
        if (!NonRootUser::isSwitching())
            QSKIP("an application folder of another owner needs root; the suite runs as an ordinary user");

        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(::chmod(QFile::encodeName(root.path()).constData(), 0755) == 0);
        const QString application = QCoreApplication::applicationDirPath();
        const QString home = root.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));
        const QByteArray homePath = QFile::encodeName(home);
        const passwd* account = ::getpwnam(NonRootUser::Name);
        QVERIFY(account);
        QVERIFY(::chown(homePath.constData(), account->pw_uid, account->pw_gid) == 0);

        const QStringList command = NonRootUser::command(
            QCoreApplication::applicationFilePath(), { QString::fromLatin1(FolderArgument) }, true);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.remove(QStringLiteral("XDG_PICTURES_DIR"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        child.setProcessEnvironment(environment);
        child.start(command.first(), command.mid(1));
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed(),
            home + QStringLiteral("/Pictures/Kestrova"));
        QVERIFY(!QFileInfo::exists(application + QStringLiteral("/Screenshot")));
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], FolderArgument) == 0) {
        QTextStream(stdout) << Global::screenshotFolder() << Qt::endl;
        return 0;
    }
    TestScreenshotFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenshotfolder.moc"
