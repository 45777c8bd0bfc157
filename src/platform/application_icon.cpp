#include "platform/application_icon.h"

QIcon ApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon/vantor-%1.png").arg(size), QSize(size, size));
    return icon;
}
