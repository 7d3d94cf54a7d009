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
}

GUI_About::~GUI_About()
{
    delete ui;
}
