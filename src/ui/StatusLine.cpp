// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusLine.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QResizeEvent>
#include <QStatusBar>
#include <QStyle>

// A console line can be longer than the window is wide: shown cut with "…", whole in its tool tip,
// and never widening the window.
class ElidedLabel : public QLabel
{
public:
    explicit ElidedLabel(QWidget* parent)
        : QLabel(parent)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        setMinimumWidth(0);
    }

    void setFullText(const QString& text)
    {
        m_fullText = text;
        setToolTip(text);
        elide();
    }
    QString fullText() const { return m_fullText; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        elide();
    }

private:
    void elide() { setText(fontMetrics().elidedText(m_fullText, Qt::ElideRight, contentsRect().width())); }

    QString m_fullText;
};

namespace {

const int IconSize = 16;

QPixmap linkPixmap(bool online)
{
    return QIcon(online ? QStringLiteral(":/Icon/Images/Icon_32x32/OnLine.png")
                        : QStringLiteral(":/Icon/Images/Icon_32x32/OffLine.png"))
        .pixmap(IconSize, IconSize);
}

} // namespace

StatusLine::StatusLine(QStatusBar* bar)
    : QObject(bar)
{
    m_messageIcon = new QLabel(bar);
    m_messageIcon->setObjectName(QStringLiteral("Lbl_StatusMessageIcon"));
    m_message = new ElidedLabel(bar);
    m_message->setObjectName(QStringLiteral("Lbl_StatusMessage"));
    m_linkIcon = new QLabel(bar);
    m_linkIcon->setObjectName(QStringLiteral("Lbl_StatusLinkIcon"));
    m_link = new QLabel(bar);
    m_link->setObjectName(QStringLiteral("Lbl_StatusLink"));
    for (QLabel* label : { m_messageIcon, static_cast<QLabel*>(m_message) }) {
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
    }
    m_messageIcon->hide();
    bar->addWidget(m_messageIcon);
    bar->addWidget(m_message, 1);
    bar->addPermanentWidget(m_linkIcon);
    bar->addPermanentWidget(m_link);
    // Qt's size grip would only take room from the link text on a maximised window.
    bar->setSizeGripEnabled(false);
}

void StatusLine::showLinkState(Communication::CommState state)
{
    const Communication* comm = Communication::instance();
    const BusLink link = comm->link();
    const QString port = link.endpoint();
    QString text;
    switch (state) {
    case Communication::COMM_DISCONNECT:
        text = tr("Offline");
        break;
    case Communication::COMM_CONNECTING:
        text = tr("Connecting to %1").arg(port);
        break;
    case Communication::COMM_CONNECTED:
        if (link.isTcp()) {
            text = tr("Online: %1").arg(link.describe(comm->serverAddress()));
            break;
        }
        text = tr("Online: %1, %2 baud, slave address %3")
                   .arg(port)
                   .arg(link.serial.baudRate)
                   .arg(comm->serverAddress());
        break;
    case Communication::COMM_WAITING:
        text = tr("Link lost, reconnecting to %1").arg(port);
        break;
    case Communication::COMM_CLOSING:
        text = tr("Closing the connection");
        break;
    }
    m_link->setText(text);
    m_linkIcon->setPixmap(linkPixmap(state == Communication::COMM_CONNECTED));
}

void StatusLine::showConsoleLine(const QString& line, Global::MESSAGE_INFO level)
{
    if (level != Global::MESSAGE_WARNNING && level != Global::MESSAGE_CRITICAL)
        return;
    m_level = level;
    m_message->setFullText(line);
    const QStyle::StandardPixmap icon
        = level == Global::MESSAGE_CRITICAL ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning;
    m_messageIcon->setPixmap(QApplication::style()->standardIcon(icon).pixmap(IconSize, IconSize));
    m_messageIcon->show();
}

QString StatusLine::linkText() const
{
    return m_link->text();
}

QString StatusLine::messageText() const
{
    return m_message->fullText();
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_message || watched == m_messageIcon) && event->type() == QEvent::MouseButtonRelease)
        emit messageClicked();
    return QObject::eventFilter(watched, event);
}
