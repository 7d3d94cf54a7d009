// SPDX-License-Identifier: GPL-3.0-or-later
// Put first on the include path of the bus, engine and definition layers: every Qt Gui and Widgets header
// starts from here, so using one there stops the build.
#error "No Qt Gui or Widgets in this layer: the bus, engine and definition layers must not use widgets"
