// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

// Tells the user a file was written and offers to show the folder holding it.
class RMessageBox : public QMessageBox
{
    Q_OBJECT
public:
    using QMessageBox::QMessageBox;

public slots:
    // On Windows, "open" rewrites openfilePath with backslashes (the caller's string changes).
    static void showOutputMessageBox(
        QWidget* parent, QString& openfilePath, QString openBtnName, QString text);
};
