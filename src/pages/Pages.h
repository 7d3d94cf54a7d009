// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/PageDeclaration.h"

#include <QVector>

namespace Pages {

// The declaration of every page, one from each folder under src/pages/ (its Declaration.cpp),
// in the order of their ids. The list itself is generated from the folders at build time.
QVector<PageDeclaration> declarations();

// Declares every page to the shell; call it once before the first main window is built.
void registerAll();

} // namespace Pages
