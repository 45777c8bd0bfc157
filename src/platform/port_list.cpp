#include "platform/port_list.h"

#include "platform/demo_device.h"

#include <QSerialPortInfo>

#include <algorithm>

QStringList SerialPortNames()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        names.append(port.portName());
    names.append(QString::fromLatin1(DemoPortName)); // always there, device or not
    SortPortNames(names);
    return names;
}

void SortPortNames(QStringList &names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}
