// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_About.h"
#include "ui_GUI_About.h"

#include <QCoreApplication>
#include <QPixmap>

GUI_About::GUI_About(QString title, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::GUI_About)
{
    ui->setupUi(this);
    setModal(false);
    setWindowTitle(title);
    setFixedSize(525, 230);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setStyleSheet(QStringLiteral(
        "QDialog{background-color: rgb(255, 255, 255);border:1px solid #ffffff;border-radius:3px;}"));

    // "Close" only announces the wish; the owner decides what happens to the dialog.
    connect(ui->Btn_CLose, &QPushButton::clicked, this, &QDialog::rejected);

    const QPixmap logo(QStringLiteral(":/Logo/Logo/Logo.jpg"));
    ui->Lbl_Pic->setPixmap(logo.scaledToWidth(ui->Lbl_Pic->width(), Qt::SmoothTransformation));
    ui->Lbl_Pic->setScaledContents(true);

    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral(KESTROVA_VERSION);
    ui->Lbl_Text->setText(QStringLiteral("%1%2%3").arg(tr("Version"), QStringLiteral(": "), version));
    ui->Lbl_Licence->setText(
        tr("Kestrova is free software under the %1 and comes with absolutely no warranty. Its scope plots "
           "with QCustomPlot, licensed under the GNU GPL version 3.")
            .arg(QStringLiteral("<a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">%1</a>")
                     .arg(tr("GNU General Public License, version 3 or later"))));
}

GUI_About::~GUI_About()
{
    delete ui;
}
