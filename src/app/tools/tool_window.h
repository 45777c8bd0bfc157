#pragma once

#include <QWidget>

// Shows a hidden tool window centred on its parent window, or brings a shown one to the front.
inline void ShowCentredOnParent(QWidget *window)
{
    if (!window->isVisible()) {
        if (const QWidget *owner = window->parentWidget())
            window->move(owner->frameGeometry().center() - window->rect().center());
        window->show();
    }
    window->raise();
    window->activateWindow();
}
