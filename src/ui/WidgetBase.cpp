// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetBase.h"

#include <QAbstractButton>
#include <QTimer>

WidgetBase::WidgetBase(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
{
    Communication* comm = Communication::instance();
    connect(comm, &Communication::connectEvent, this, &WidgetBase::connectEvent);
    connect(comm, &Communication::resultCallBackEvent, this, &WidgetBase::resultCallBackEvent);
}

WidgetBase::~WidgetBase()
{
    // The page is no longer what its slots and event filters expect, but its child widgets live
    // on until QWidget's destructor, which hides them: a held button then loses focus and emits
    // released() into a page that is gone. Cut those ties here.
    const QList<QObject*> children = findChildren<QObject*>();
    for (QObject* child : children) {
        QObject::disconnect(child, nullptr, this, nullptr);
        child->removeEventFilter(this);
    }
}

bool WidgetBase::checkConnected()
{
    if (Communication::instance()->commState() == Communication::COMM_CONNECTED)
        return true;
    emit sig_showMessageBox(tr("No communication with the drive(Off Line)"), Global::MESSAGE_WARNNING);
    return false;
}

void WidgetBase::setCurrentPage(bool current)
{
    m_currentPage = current;
}

bool WidgetBase::isCurrentPage() const
{
    return m_currentPage;
}

void WidgetBase::setButtonCursors()
{
    const auto buttons = findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons)
        button->setCursor(Qt::PointingHandCursor);
}

void WidgetBase::requestStop(Communication::Motion motion)
{
    Communication* comm = Communication::instance();
    comm->stopMotion(motion);
    if (comm->isStopOwed(motion))
        emit sig_printToConsole(tr("The link is down: the stop goes to the drive as soon as it is back"));
}

void WidgetBase::reportDefinitionError(const DefinitionError& error)
{
    if (!error.isError())
        return;
    const QString text = error.text();
    QTimer::singleShot(0, this, [this, text] { emit sig_printToConsole(text, Global::MESSAGE_WARNNING); });
}

void WidgetBase::connectEvent(Communication::CommState) { }

void WidgetBase::resultCallBackEvent(QString, QVector<quint16>) { }
