// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QComboBox;

// A closed combo box narrower than its current item cuts the text off (a level that reads
// "Represents high level ef" on a small screen). Installed on the application, this shows the
// whole text as the tool tip of every such combo box that has no tool tip of its own.
class ClippedTextTips : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // True when the combo box shows less than its current text.
    static bool isCut(const QComboBox* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
