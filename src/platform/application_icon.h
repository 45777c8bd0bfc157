#pragma once

#include <QIcon>

// The application's icon in every size it is drawn in; the windows and dialogs show it.
QIcon ApplicationIcon();
