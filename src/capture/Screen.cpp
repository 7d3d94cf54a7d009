// SPDX-License-Identifier: GPL-3.0-or-later
#include "Screen.h"

#include "app/Global.h"
#include "capture/ScreenSelection.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>

namespace {

QRect desktopGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect();
}

QString picturesLocation()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

// The user's own folder when the application's cannot be written (installed system-wide).
QString picturesFallback()
{
    return Global::screenshotFolder(QString(), picturesLocation());
}

} // namespace

Screen::Screen(QWidget* parent)
    : QDialog(parent)
    , m_menu(new QMenu(this))
{
    const QRect desktop = desktopGeometry();
    m_selection = std::make_unique<ScreenSelection>(desktop.width(), desktop.height());
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setGeometry(desktop);

    const struct
    {
        QString text;
        void (Screen::*slot)();
    } actions[] = {
        { QStringLiteral("保存当前截图"), &Screen::saveScreen },
        { QStringLiteral("保存全屏截图"), &Screen::saveFullScreen },
        { QStringLiteral("截图另存为"), &Screen::saveScreenOther },
        { QStringLiteral("全屏另存为"), &Screen::saveFullOther },
        { QStringLiteral("退出截图"), &Screen::hide },
    };
    for (const auto& entry : actions) {
        QAction* action = m_menu->addAction(entry.text);
        action->setShortcut(QKeySequence());
        connect(action, &QAction::triggered, this, entry.slot);
    }
}

Screen::~Screen() = default;

QString Screen::screenshotFolder(const QString& applicationFolder)
{
    return Global::screenshotFolder(applicationFolder, picturesLocation());
}

QString Screen::saveFolder(const QString& applicationFolder)
{
    return Global::isWritableFolder(applicationFolder) ? applicationFolder : picturesFallback();
}

bool Screen::screenshot(
    QWidget* obj, const QString& path, const QString& name, const char* format, int quality)
{
    if (!obj)
        return false;
    QDir folder(path);
    if (!folder.exists() && !folder.mkdir(path))
        return false;
    const QPixmap picture = obj->grab(QRect(QPoint(0, 0), QSize(-1, -1)));
    return picture.save(QStringLiteral("%1/%2").arg(path, name), format, quality);
}

bool Screen::screenshot(QWidget* obj, const QString& path, const QString& name, const char* format)
{
    return screenshot(obj, path, name, format, -1);
}

bool Screen::screenshot(QWidget* obj, const QString& path, const QString& name)
{
    return screenshot(obj, path, name, nullptr, -1);
}

QString Screen::selectionText() const
{
    const QPoint lt = m_selection->leftTop();
    const QPoint rb = m_selection->rightBottom();
    return tr("截图范围：( %1 x %2 ) - ( %3 x %4 )  图片大小：( %5 x %6 )")
        .arg(lt.x())
        .arg(lt.y())
        .arg(rb.x())
        .arg(rb.y())
        .arg(rb.x() - lt.x())
        .arg(rb.y() - lt.y());
}

void Screen::showEvent(QShowEvent* event)
{
    m_selection->setStart(QPoint(-1, -1));
    m_selection->setEnd(QPoint(-1, -1));
    m_selection->setStatus(ScreenSelection::Selecting);

    const QRect desktop = desktopGeometry();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        m_fullScreen = screen->grabWindow(0, desktop.x(), desktop.y(), desktop.width(), desktop.height());
    QPixmap veil(m_selection->screenSize());
    veil.fill(QColor(160, 160, 160, 200));
    m_dimmedScreen = m_fullScreen;
    QPainter painter(&m_dimmedScreen);
    painter.drawPixmap(0, 0, veil);
    painter.end();
    QDialog::showEvent(event);
}

void Screen::paintEvent(QPaintEvent*)
{
    const QPoint lt = m_selection->leftTop();
    const QPoint rb = m_selection->rightBottom();
    const int w = rb.x() - lt.x();
    const int h = rb.y() - lt.y();

    QPainter painter(this);
    painter.setPen(QPen(Qt::green, 2, Qt::DotLine));
    painter.drawPixmap(0, 0, m_dimmedScreen);
    if (w != 0)
        painter.drawPixmap(lt.x(), lt.y(), m_fullScreen.copy(lt.x(), lt.y(), w, h));
    painter.drawRect(lt.x(), lt.y(), w, h);
    painter.drawText(lt.x() + 2, lt.y() - 8, selectionText());
}

void Screen::mousePressEvent(QMouseEvent* event)
{
    if (m_selection->status() == ScreenSelection::Selecting) {
        m_selection->setStart(event->pos());
    } else if (m_selection->contains(event->pos())) {
        m_movePosition = event->pos();
        setCursor(Qt::SizeAllCursor);
    } else {
        m_selection->setStart(event->pos());
        m_selection->setStatus(ScreenSelection::Selecting);
    }
    update();
}

void Screen::mouseMoveEvent(QMouseEvent* event)
{
    if (m_selection->status() == ScreenSelection::Selecting) {
        m_selection->setEnd(event->pos());
    } else {
        const QPoint delta = event->pos() - m_movePosition;
        m_selection->move(delta.x(), delta.y());
        m_movePosition = event->pos();
    }
    update();
}

void Screen::mouseReleaseEvent(QMouseEvent*)
{
    if (m_selection->status() == ScreenSelection::Selecting)
        m_selection->setStatus(ScreenSelection::Selected);
    else
        setCursor(Qt::ArrowCursor);
}

void Screen::contextMenuEvent(QContextMenuEvent*)
{
    setCursor(Qt::ArrowCursor);
    m_menu->exec(QCursor::pos());
}

QString Screen::timeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss"));
}

QPixmap Screen::selectedPixmap() const
{
    const QPoint lt = m_selection->leftTop();
    const QPoint rb = m_selection->rightBottom();
    return m_fullScreen.copy(lt.x(), lt.y(), rb.x() - lt.x(), rb.y() - lt.y());
}

QString Screen::askPictureName()
{
    QString name = QFileDialog::getSaveFileName(this, QStringLiteral("保存图片"),
        QStringLiteral("%1.png").arg(timeStamp()), QStringLiteral("png Files (*.png)"));
    if (!name.isEmpty() && !name.endsWith(QLatin1String(".png")))
        name += QLatin1String(".png");
    return name;
}

void Screen::saveScreen()
{
    const QString folder = saveFolder(QCoreApplication::applicationDirPath());
    selectedPixmap().save(QStringLiteral("%1/screen_%2.png").arg(folder, timeStamp()), "png");
    close();
}

void Screen::saveFullScreen()
{
    const QString folder = saveFolder(QCoreApplication::applicationDirPath());
    m_fullScreen.save(QStringLiteral("%1/full_%2.png").arg(folder, timeStamp()), "png");
    close();
}

void Screen::saveScreenOther()
{
    const QString name = askPictureName();
    if (name.isEmpty())
        return;
    selectedPixmap().save(name, "png");
    close();
}

void Screen::saveFullOther()
{
    const QString name = askPictureName();
    if (name.isEmpty())
        return;
    m_fullScreen.save(name, "png");
    close();
}
