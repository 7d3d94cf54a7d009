// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QWidget;
class WidgetBase;

// Everything the shell knows of one page, declared once beside the page (src/pages/<page>/
// Declaration.cpp): the registry takes its constructor, the window builds its workspace button
// from it, and the button's text is the page's tab title.
struct PageDeclaration
{
    using Constructor = WidgetBase* (*)(QWidget* parent);

    enum Family {
        AllFamilies,
        ServoFamily,
        VfdFamily,
    };

    enum Presence {
        OnDemand, // built when its button is first clicked, destroyed with its tab
        Resident, // the connection page: built with the registry, open at start, outlives its tab
        Hidden, // registered, but its workspace button never shows
    };

    // The registry's id: the button's id in the workspace group and the suffix of the page's
    // object name ("GUI_Monitor4").
    int id = -1;
    // The workspace button is "btn_" + name.
    const char* name = "";
    // An English text in the "MainWindow" translation context (QT_TRANSLATE_NOOP).
    const char* title = "";
    // A picture under ":/Picture/Images/ButtonPic/".
    const char* icon = "";
    Family family = AllFamilies;
    Presence presence = OnDemand;
    // The button's row in the workspace; rows no page takes stay empty.
    int workspaceRow = 0;
    QByteArray className;
    Constructor construct = nullptr;

    template <typename T> static PageDeclaration of()
    {
        PageDeclaration page;
        page.className = QByteArray(T::staticMetaObject.className());
        page.construct = [](QWidget* parent) -> WidgetBase* { return new T(parent); };
        return page;
    }

    QString buttonName() const { return QStringLiteral("btn_") + QLatin1String(name); }
    QString translatedTitle() const { return QCoreApplication::translate("MainWindow", title); }
};
