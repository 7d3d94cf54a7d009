// SPDX-License-Identifier: GPL-3.0-or-later
#include "RMessageBox.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

void RMessageBox::showOutputMessageBox(
    QWidget* parent, QString& openfilePath, QString openBtnName, QString text)
{
    QMessageBox box(parent);
    box.setModal(true);
    QPushButton* openButton = box.addButton(openBtnName, QMessageBox::ActionRole);
    QPushButton* okButton = box.addButton(tr("Ok"), QMessageBox::ActionRole);
    box.setWindowTitle(tr("Tips"));
    box.setText(text);
    box.setDefaultButton(okButton);
    box.setIcon(QMessageBox::Information);

    // Nobody may be at the desk when a long recording finishes: the prompt must not block for ever.
    QTimer::singleShot(10000, &box, &QMessageBox::accept);
    box.exec();

    if (box.clickedButton() == openButton) {
#ifdef Q_OS_WIN
        openfilePath.replace(QLatin1Char('/'), QLatin1Char('\\'));
        // Explorer wants "/select,<path>" unquoted, hence the native argument string.
        QProcess explorer;
        explorer.setProgram(QStringLiteral("explorer.exe"));
        explorer.setNativeArguments(QStringLiteral("/select,%2").arg(openfilePath));
        explorer.startDetached();
#else
        // No file manager here understands "select this file"; showing its folder is the portable part.
        const QString folder = QFileInfo(openfilePath).absolutePath();
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
#endif
    }
    box.close();
}
