// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClippedTextTips.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>

bool ClippedTextTips::isCut(const QComboBox* box)
{
    // An editable box scrolls its text under the cursor instead.
    if (box->isEditable() || box->currentText().isEmpty())
        return false;
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.currentText = box->currentText();
    option.currentIcon = box->itemIcon(box->currentIndex());
    option.iconSize = box->iconSize();
    option.frame = box->hasFrame();
    const QRect field
        = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    int room = field.width();
    if (!option.currentIcon.isNull())
        room -= option.iconSize.width() + 4;
    return box->fontMetrics().horizontalAdvance(option.currentText) > room;
}

bool ClippedTextTips::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box && box->toolTip().isEmpty() && isCut(box)) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), box->currentText(), box);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
