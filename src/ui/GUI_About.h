// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class GUI_About;
}

// The modeless window of Help → About: logo and version.
class GUI_About : public QDialog
{
    Q_OBJECT
public:
    explicit GUI_About(QString title, QWidget* parent = nullptr);
    ~GUI_About() override;

private:
    Ui::GUI_About* ui;
};
