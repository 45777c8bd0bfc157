#include "platform/port_list.h"

#include "platform/demo_device.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace {

SerialPortSource &Source()
{
    static SerialPortSource source;
    return source;
}

std::vector<SerialPortDetails> SystemPorts()
{
    std::vector<SerialPortDetails> ports;
    const auto present = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : present)
        ports.push_back({info.portName(), info.description(), info.manufacturer(),
                         info.serialNumber(), StableDevicePath(info.systemLocation())});
    return ports;
}

} // namespace

std::vector<SerialPortDetails> SerialPortsPresent()
{
    return Source() ? Source()() : SystemPorts();
}

SerialPortSource SetSerialPortSource(SerialPortSource source)
{
    SerialPortSource previous = std::move(Source());
    Source() = std::move(source);
    return previous;
}

QStringList SerialPortNames()
{
    QStringList names;
    for (const SerialPortDetails &port : SerialPortsPresent())
        names.append(port.name);
    names.append(QString::fromLatin1(DemoPortName)); // the demo ports are always there
    names.append(QString::fromLatin1(Demo8PortName));
    SortPortNames(names);
    return names;
}

void SortPortNames(QStringList &names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

QString PortDetailsText(const SerialPortDetails &port)
{
    QStringList lines;
    if (!port.description.isEmpty())
        lines.append(port.description);
    if (!port.manufacturer.isEmpty())
        lines.append(QCoreApplication::translate("PortList", "Manufacturer: ") + port.manufacturer);
    if (!port.serialNumber.isEmpty())
        lines.append(QCoreApplication::translate("PortList", "Serial number: ")
                     + port.serialNumber);
    if (!port.stablePath.isEmpty())
        lines.append(port.stablePath);
    return lines.join(QLatin1Char('\n'));
}

QString StableDevicePath(const QString &devicePath, const QString &byIdDir)
{
    const QString target = QFileInfo(devicePath).canonicalFilePath();
    if (target.isEmpty())
        return QString();
    const QDir dir(byIdDir);
    const QStringList entries
            = dir.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (QFileInfo(dir.filePath(entry)).canonicalFilePath() == target)
            return dir.filePath(entry);
    }
    return QString();
}
