// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pages.h"

#include "ui/WidgetController.h"

namespace Pages {

void registerAll()
{
    const QVector<PageDeclaration> pages = declarations();
    for (const PageDeclaration& page : pages)
        WidgetController::declarePage(page);
}

} // namespace Pages
