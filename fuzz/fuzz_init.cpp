// SPDX-License-Identifier: GPL-3.0-or-later
// Init.xml: the start-up memory file, read and then rewritten as the main window does at exit.

#include "FuzzSupport.h"
#include "Global.h"
#include "Xml.h"

#include <QDir>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The memory file lives at ./Driver/Init.xml.
    QDir::setCurrent(FuzzSupport::workDir().path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::writeInput(QStringLiteral("Driver/Init.xml"), data, size);
    Global::instance()->setDevice(0);
    Global::instance()->setLanguage(0);
    Xml xml;
    if (!xml.readMemory())
        return 0;
    const quint8 device = Global::instance()->device();
    const quint8 language = Global::instance()->language();
    Global::instance()->configPath();
    if (!xml.writeMemory())
        return 0;
    // What was written must read back to the same choice.
    Global::instance()->setDevice(0);
    Global::instance()->setLanguage(0);
    if (!xml.readMemory() || Global::instance()->device() != device
        || Global::instance()->language() != language)
        __builtin_trap();
    return 0;
}
