// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include <memory>

class QMenu;
class ScreenSelection;

// Widget screenshots, and a capture dialog that freezes and dims the whole desktop, lets the user
// drag out (and move) a rectangle and saves it or the whole desktop as PNG from its context menu.
// The dialog covers the desktop from its top-left corner, so its own coordinates are desktop pixels.
class Screen : public QDialog
{
    Q_OBJECT
public:
    explicit Screen(QWidget* parent = nullptr);
    ~Screen() override;

    ScreenSelection* selection() const { return m_selection.get(); }
    QMenu* menu() const { return m_menu; }
    const QPixmap& fullScreen() const { return m_fullScreen; }
    // The selection as drawn: "截图范围：( x x y ) - ( r x b )  图片大小：( w x h )".
    QString selectionText() const;

    // Where the scope page puts its screenshots: "<application folder>/Screenshot" when that can be
    // written to (an installed tool's folder usually cannot), else the user's pictures folder +
    // "/Kestrova".
    static QString screenshotFolder(const QString& applicationFolder);
    // Where the capture dialog's quick saves go: the application folder under the same rule.
    static QString saveFolder(const QString& applicationFolder);

public slots:
    // Renders the whole widget and saves it as "<path>/<name>"; creates `path` (one level) when
    // missing. A null format takes it from the name's suffix.
    bool screenshot(QWidget* obj, const QString& path, const QString& name, const char* format, int quality);
    bool screenshot(QWidget* obj, const QString& path, const QString& name, const char* format);
    bool screenshot(QWidget* obj, const QString& path, const QString& name);

    void saveScreen();
    void saveFullScreen();
    void saveScreenOther();
    void saveFullOther();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPixmap selectedPixmap() const;
    QString askPictureName();
    static QString timeStamp();

    QMenu* m_menu = nullptr;
    std::unique_ptr<ScreenSelection> m_selection;
    QPixmap m_fullScreen;
    QPixmap m_dimmedScreen;
    QPoint m_movePosition;
};
