// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a definition file gave nothing, for the one console line that says so: the pages keep
// working with an empty table, but the engineer must learn which file is broken and where.
struct DefinitionError
{
    enum Kind {
        None,
        Missing,
        Unreadable,
        Malformed, // not well-formed XML; message, line and column come from the parser
    };

    Kind kind = None;
    QString file;
    QString message;
    int line = 0;
    int column = 0;

    bool isError() const { return kind != None; }
    // The console text in the current language; empty for None.
    QString text() const;
};
