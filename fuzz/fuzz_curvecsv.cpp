// SPDX-License-Identifier: GPL-3.0-or-later
// Curve files: the CSV reader and the scope's import of its rows as curves.

#include "FuzzSupport.h"
#include "pages/scope/CurveFile.h"
#include "pages/scope/CustomPlot.h"

#include <QApplication>

#include <qcustomplot.h>

#include <cstdlib>

namespace {

// Kept to the end of the process on purpose: torn down among the exit handlers, after Qt's own
// statics, the application object would crash on its way out.
CustomPlot* g_plot = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The plot is a widget; no display is needed to build its graphs.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    g_plot = new CustomPlot(new QCustomPlot);
    g_plot->init(1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // ".csv" reads as GBK, any other name in the locale's encoding: both decoders see the input.
    for (const char* name : { "curves.csv", "curves.txt" }) {
        const QString path = FuzzSupport::writeInput(QLatin1String(name), data, size);
        QList<QStringList> rows;
        int fieldCount = 0;
        if (readCsvLines(path, rows, fieldCount) && !rows.isEmpty() && fieldCount != rows.first().size())
            std::abort(); // the first row's field count is what the reader reports
    }
    g_plot->importCsv(FuzzSupport::workDir().filePath(QStringLiteral("curves.csv")));
    return 0;
}
