// SPDX-License-Identifier: GPL-3.0-or-later
// See QtGui/qtguiglobal.h beside this folder.
#error "No Qt Gui or Widgets in this layer: the bus, engine and definition layers must not use widgets"
