// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTestSupport.h"

#include "CommunicationProbe.h"

#include "app/Global.h"
#include "pages/connection/GUI_Communication.h"
#include "ui/MainWindow.h"
#include "ui/RMessageBox.h"
#include "ui/WidgetBase.h"
#include "ui/WidgetController.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QtTest>

// A page with a little state of its own, to tell a fresh instance from a reused one.
class TestPage : public WidgetBase
{
    Q_OBJECT
public:
    explicit TestPage(QWidget* parent = nullptr)
        : WidgetBase(parent)
    {
        ++instances;
        auto* layout = new QVBoxLayout(this);
        button = new QPushButton(QStringLiteral("Press"), this);
        layout->addWidget(button);
    }
    int edits = 0;
    bool agreesToClose = true;
    int closeQuestions = 0;
    QPushButton* button = nullptr;
    QList<Communication::CommState> states;
    QStringList tags;
    static int instances;

    void connectEvent(Communication::CommState state) override { states.append(state); }
    void resultCallBackEvent(QString tag, QVector<quint16>) override { tags.append(tag); }
    bool confirmClose() override
    {
        ++closeQuestions;
        return agreesToClose;
    }
};
int TestPage::instances = 0;

// Stands in for the desktop's file browser, so that "open" starts no program.
class FolderOpener : public QObject
{
    Q_OBJECT
public:
    FolderOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~FolderOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestPageFramework : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;
    // The receiver of the pages' requests; its own registry is not used by these tests.
    std::unique_ptr<MainWindow> window;
    QWidget* host = nullptr;
    QTabWidget* tabs = nullptr;
    WidgetController* controller = nullptr;
    QPushButton* btnComm = nullptr;
    QPushButton* btnA = nullptr;
    QPushButton* btnServo = nullptr;
    QPushButton* btnVfd = nullptr;
    QPushButton* btnMissing = nullptr;

    QPushButton* addButton(const QString& text)
    {
        auto* b = new QPushButton(text, host);
        host->layout()->addWidget(b);
        b->hide();
        return b;
    }

    void build(Global::DEVICE_INFO family)
    {
        host = new QWidget;
        auto* layout = new QVBoxLayout(host);
        tabs = new QTabWidget(host);
        tabs->setTabsClosable(true);
        tabs->setMovable(true);
        layout->addWidget(tabs);
        btnComm = addButton(QStringLiteral(" Communication"));
        btnA = addButton(QStringLiteral(" Alpha"));
        btnServo = addButton(QStringLiteral(" Servo only"));
        btnVfd = addButton(QStringLiteral(" VFD only"));
        btnMissing = addButton(QStringLiteral(" Missing"));

        controller = new WidgetController(host);
        controller->addCommonPage(btnComm, QStringLiteral("GUI_Communication"));
        controller->addCommonPage(btnA, QStringLiteral("TestPage"));
        controller->addDevicePage(Global::DEVICE_SERVO, btnServo, QStringLiteral("TestPage"));
        controller->addDevicePage(Global::DEVICE_VFD, btnVfd, QStringLiteral("TestPage"));
        controller->addCommonPage(btnMissing, QStringLiteral("GUI_NotBuilt"));
        controller->initPages(window.get(), tabs, family);
        host->resize(800, 600);
        host->show();
    }

    void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void closeTab(int index)
    {
        auto* close = tabs->tabBar()->tabButton(index, QTabBar::RightSide);
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
        flushDeletes();
    }

    QList<QAbstractButton*> checkedButtons() const
    {
        QList<QAbstractButton*> out;
        for (QAbstractButton* b : controller->buttonGroup()->buttons()) {
            if (b->isChecked())
                out.append(b);
        }
        return out;
    }

private slots:
    void initTestCase()
    {
        Startup::initResources();
        work = std::make_unique<WorkDir>();
        WidgetController::registerPageClass<TestPage>();
        window = std::make_unique<MainWindow>();
    }

    void init() { build(Global::DEVICE_SERVO); }

    void cleanup()
    {
        delete host;
        host = nullptr;
        flushDeletes();
    }

    void cleanupTestCase()
    {
        window.reset();
        flushDeletes();
        work.reset();
    }

    void familyDecidesWhichButtonsShow_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<bool>("servoShown");
        QTest::addColumn<bool>("vfdShown");
        QTest::newRow("servo") << int(Global::DEVICE_SERVO) << true << false;
        QTest::newRow("vfd") << int(Global::DEVICE_VFD) << false << true;
        QTest::newRow("other family") << 2 << false << false;
    }
    void familyDecidesWhichButtonsShow()
    {
        QFETCH(int, family);
        QFETCH(bool, servoShown);
        QFETCH(bool, vfdShown);
        delete host;
        build(Global::DEVICE_INFO(family));
        const bool common = family == Global::DEVICE_SERVO || family == Global::DEVICE_VFD;
        QCOMPARE(!btnComm->isHidden(), common);
        QCOMPARE(!btnA->isHidden(), common);
        QCOMPARE(!btnServo->isHidden(), servoShown);
        QCOMPARE(!btnVfd->isHidden(), vfdShown);
    }

    void buttonsBecomeCheckableWithWorkspaceFont()
    {
        for (QAbstractButton* b : controller->buttonGroup()->buttons()) {
            QVERIFY(b->isCheckable());
            QCOMPARE(b->font().family(), QStringLiteral("Microsoft Yahei"));
            QCOMPARE(b->font().pointSize(), 11);
        }
        QCOMPARE(controller->buttonGroup()->id(btnComm), 0);
        QCOMPARE(controller->buttonGroup()->id(btnMissing), 4);
    }

    void secondClickOnlySelectsTheTab()
    {
        const int before = TestPage::instances;
        btnA->click();
        btnComm->click();
        btnA->click();
        QCOMPARE(TestPage::instances, before + 1);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TestPage1"));
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral(" Alpha"));
        QVERIFY(btnA->isChecked());
    }

    void pagesAreNamedByClassAndId()
    {
        btnA->click();
        btnServo->click();
        QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("TestPage1"));
        QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("TestPage2"));
        QCOMPARE(controller->pageEntry(2).page, qobject_cast<WidgetBase*>(tabs->widget(1)));
    }

    void closingATabDestroysThePageAndReopeningBuildsAFreshOne()
    {
        btnA->click();
        QPointer<TestPage> first = qobject_cast<TestPage*>(tabs->currentWidget());
        QVERIFY(first);
        first->edits = 5;
        closeTab(tabs->indexOf(first));
        QVERIFY(!first);
        QCOMPARE(tabs->count(), 0);
        QVERIFY(!controller->pageEntry(1).page);

        btnA->click();
        auto* second = qobject_cast<TestPage*>(tabs->currentWidget());
        QVERIFY(second);
        QCOMPARE(second->edits, 0);
        QCOMPARE(second->objectName(), QStringLiteral("TestPage1"));
    }

    // A page that still has something running on the drive may keep its tab open.
    void aPageMayRefuseToClose()
    {
        btnA->click();
        QPointer<TestPage> page = qobject_cast<TestPage*>(tabs->currentWidget());
        QVERIFY(page);
        page->agreesToClose = false;
        closeTab(tabs->indexOf(page));
        QVERIFY(page);
        QCOMPARE(page->closeQuestions, 1);
        QCOMPARE(tabs->indexOf(page), 0);
        page->agreesToClose = true;
        closeTab(tabs->indexOf(page));
        QVERIFY(!page);
    }

    void connectionPageSurvivesItsTab()
    {
        btnComm->click();
        ConnectionPage* page = controller->communicationPage();
        QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(page));
        QCOMPARE(page->objectName(), QStringLiteral("GUI_Communication"));
        auto* port = page->findChild<QComboBox*>(QStringLiteral("Cbx_Port"));
        port->setEditText(QStringLiteral("/dev/ttyKEPT"));

        closeTab(tabs->indexOf(page));
        QCOMPARE(tabs->count(), 0);
        QCOMPARE(controller->communicationPage(), page);

        btnComm->click();
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(page));
        QCOMPARE(port->currentText(), QStringLiteral("/dev/ttyKEPT"));
        QCOMPARE(tabs->tabText(0), QStringLiteral(" Communication"));
    }

    void closingTheLastTabUnchecksEveryButton()
    {
        btnA->click();
        btnComm->click();
        closeTab(tabs->currentIndex());
        QCOMPARE(checkedButtons(), QList<QAbstractButton*> { btnA });
        closeTab(0);
        QCOMPARE(tabs->count(), 0);
        QVERIFY(checkedButtons().isEmpty());
        // The group is exclusive again afterwards.
        btnA->click();
        btnServo->click();
        QCOMPARE(checkedButtons(), QList<QAbstractButton*> { btnServo });
    }

    void movedTabsKeepTheRightButtonChecked()
    {
        btnComm->click();
        btnA->click();
        btnServo->click();
        tabs->tabBar()->moveTab(2, 0); // servo page first, then communication, alpha
        QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("TestPage2"));

        const struct
        {
            QString name;
            QPushButton* button;
        } expected[] = { { QStringLiteral("TestPage2"), btnServo },
            { QStringLiteral("GUI_Communication"), btnComm }, { QStringLiteral("TestPage1"), btnA } };
        for (const auto& e : expected) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabs->widget(i)->objectName() == e.name)
                    tabs->setCurrentIndex(i);
            }
            QCOMPARE(tabs->currentWidget()->objectName(), e.name);
            QCOMPARE(checkedButtons(), QList<QAbstractButton*> { e.button });
            auto* alpha = qobject_cast<TestPage*>(controller->pageEntry(1).page);
            auto* servo = qobject_cast<TestPage*>(controller->pageEntry(2).page);
            QCOMPARE(alpha->isCurrentPage(), e.button == btnA);
            QCOMPARE(servo->isCurrentPage(), e.button == btnServo);
        }
    }

    void unregisteredClassDoesNothing()
    {
        btnMissing->click();
        QCOMPARE(tabs->count(), 0);
        QVERIFY(!controller->pageEntry(4).page);
        QVERIFY(!WidgetController::isPageClassRegistered("GUI_NotBuilt"));
        QVERIFY(WidgetController::isPageClassRegistered("GUI_Communication"));
        QVERIFY(WidgetController::isPageClassRegistered("GUI_ParamTable"));
    }

    void pageRequestsReachTheMainWindow()
    {
        btnA->click();
        auto* page = qobject_cast<TestPage*>(tabs->currentWidget());
        auto* console = window->findChild<QPlainTextEdit*>(QStringLiteral("plainTextEdit_Console"));
        auto* description
            = window->findChild<QPlainTextEdit*>(QStringLiteral("plainTextEdit_ParamDescription"));
        emit page->sig_printToConsole(QStringLiteral("from the page"));
        QVERIFY(console->toPlainText().endsWith(QStringLiteral("]: from the page.")));
        emit page->sig_printParma(QStringLiteral("P0-01\nGain"));
        QCOMPARE(description->toPlainText(), QStringLiteral("P0-01\nGain"));

        UiTest::BoxAnswerer answer(QMessageBox::Ok);
        emit page->sig_showMessageBox(QStringLiteral("Page says"));
        QVERIFY(answer.answered());
        QCOMPARE(answer.seen.text, QStringLiteral("Page says."));
        QCOMPARE(answer.seen.icon, QMessageBox::Information);
    }

    void everyPageSeesEveryServiceEvent()
    {
        btnA->click();
        btnServo->click();
        auto* alpha = qobject_cast<TestPage*>(controller->pageEntry(1).page);
        auto* servo = qobject_cast<TestPage*>(controller->pageEntry(2).page);
        Communication* comm = Communication::instance();
        emit comm->resultCallBackEvent(QStringLiteral("P0-19"), { 7 });
        emit comm->connectEvent(Communication::COMM_WAITING);
        for (TestPage* p : { alpha, servo }) {
            QCOMPARE(p->tags, QStringList { QStringLiteral("P0-19") });
            QCOMPARE(p->states, QList<Communication::CommState> { Communication::COMM_WAITING });
        }
    }

    void checkConnectedWarnsWhenOffLine()
    {
        TestPage page;
        QSignalSpy spy(&page, &WidgetBase::sig_showMessageBox);
        QCOMPARE(Communication::instance()->commState(), Communication::COMM_DISCONNECT);
        QVERIFY(!page.checkConnected());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("No communication with the drive(Off Line)"));
        QCOMPARE(spy.at(0).at(1).value<Global::MESSAGE_INFO>(), Global::MESSAGE_WARNNING);

        CommunicationProbe::setState(Communication::COMM_CONNECTED);
        QVERIFY(page.checkConnected());
        CommunicationProbe::setState(Communication::COMM_DISCONNECT);
        QCOMPARE(spy.count(), 1);
        QVERIFY(!page.isCurrentPage());
    }

    void buttonCursorsPointAtEveryButton()
    {
        TestPage page;
        auto* nested = new QWidget(&page);
        auto* deep = new QToolButton(nested);
        page.setButtonCursors();
        QCOMPARE(page.button->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(deep->cursor().shape(), Qt::PointingHandCursor);
    }

    void outputMessageBoxOkLeavesThePathAlone()
    {
        FolderOpener opener;
        UiTest::BoxAnswerer answer(QStringLiteral("Ok"));
        QString defaultButton;
        bool modal = false;
        answer.onSeen = [&](QMessageBox* box) {
            defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
            modal = box->isModal();
        };
        QString path = QStringLiteral("/tmp/some/shot.png");
        RMessageBox::showOutputMessageBox(
            window.get(), path, QStringLiteral("Open"), QStringLiteral("Saved"));
        QVERIFY(answer.answered());
        QCOMPARE(defaultButton, QStringLiteral("Ok"));
        QVERIFY(modal);
        QVERIFY(opener.opened.isEmpty());
        QCOMPARE(answer.seen.title, QStringLiteral("Tips"));
        QCOMPARE(answer.seen.text, QStringLiteral("Saved"));
        QCOMPARE(answer.seen.icon, QMessageBox::Information);
        QCOMPARE(answer.seen.buttons, (QStringList { QStringLiteral("Open"), QStringLiteral("Ok") }));
        QCOMPARE(path, QStringLiteral("/tmp/some/shot.png"));
    }

    void outputMessageBoxOpenShowsTheFolder()
    {
        FolderOpener opener;
        UiTest::BoxAnswerer answer(QStringLiteral("Open folder"));
        QString path = work->path() + QStringLiteral("/Screenshot/shot.png");
        RMessageBox::showOutputMessageBox(
            window.get(), path, QStringLiteral("Open folder"), QStringLiteral("Saved"));
        QVERIFY(answer.answered());
        QCOMPARE(
            opener.opened, QList<QUrl> { QUrl::fromLocalFile(work->path() + QStringLiteral("/Screenshot")) });
        QVERIFY(QApplication::topLevelWidgets().count() > 0);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QMessageBox*>(w) && w->isVisible()));
    }

    // Nobody at the desk: the prompt goes away by itself after ten seconds and opens nothing.
    void outputMessageBoxClosesItself()
    {
        FolderOpener opener;
        QString path = work->path() + QStringLiteral("/Screenshot/shot.png");
        const QString original = path;
        QElapsedTimer clock;
        clock.start();
        RMessageBox::showOutputMessageBox(
            window.get(), path, QStringLiteral("Open"), QStringLiteral("Saved"));
        const qint64 took = clock.elapsed();
        // A ten-second timer is a coarse one: Qt may fire it up to 5 % early.
        QVERIFY2(took >= 9400 && took < 12000, qPrintable(QString::number(took)));
        QVERIFY(opener.opened.isEmpty());
        QCOMPARE(path, original);
    }
};

QTEST_MAIN(TestPageFramework)
#include "tst_pageframework.moc"
