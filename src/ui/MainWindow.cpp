#include "MainWindow.h"

#include "app/Xml.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Kestrova"));
    resize(1500, 900);
}

MainWindow::~MainWindow()
{
    Xml memory;
    memory.writeMemory();
}
