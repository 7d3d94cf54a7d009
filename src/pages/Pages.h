// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pages {

// Makes every page class known to the page registry by its class name; call it once before the
// first main window is built.
void registerAll();

} // namespace Pages
