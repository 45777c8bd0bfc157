#include "platform/port_identity.h"

#include "platform/demo_device.h"
#include "platform/serial_device.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

// The device file a path leads to after every link; empty when it does not exist.
QString DeviceFile(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

QString ByIdLinkTo(const QString &device, const QString &byIdFolder)
{
    const QDir folder(byIdFolder);
    const QFileInfoList links
            = folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &link : links) {
        if (link.isSymLink() && link.canonicalFilePath() == device)
            return link.absoluteFilePath();
    }
    return QString();
}

} // namespace

std::vector<PresentPort> ListPresentPorts()
{
    std::vector<PresentPort> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos)
        ports.push_back({info.portName(), info.systemLocation(), info.serialNumber()});
    return ports;
}

PortIdentity IdentifyPort(const QString &name, const QString &byIdFolder,
                          const PresentPorts &present)
{
    PortIdentity identity;
    identity.Name = name;
    const QString device = DeviceFile(SerialDevicePath(name));
    if (name == QLatin1String(DemoPortName) || device.isEmpty())
        return identity;

    const QString path = QFileInfo(SerialDevicePath(name)).absoluteFilePath();
    if (QFileInfo(path).absolutePath() == QDir(byIdFolder).absolutePath())
        identity.ById = path;
    else
        identity.ById = ByIdLinkTo(device, byIdFolder);

    for (const PresentPort &port : present()) {
        if (DeviceFile(port.Location) == device) {
            identity.SerialNumber = port.SerialNumber;
            break;
        }
    }
    return identity;
}

QString LocateReturnedPort(const PortIdentity &identity, const PresentPorts &present)
{
    if (identity.Name == QLatin1String(DemoPortName))
        return identity.Name;
    if (!identity.ById.isEmpty()) {
        // The link is remade for the device whatever name it comes back under.
        const QString device = DeviceFile(identity.ById);
        if (device.isEmpty())
            return QString();
        return device == DeviceFile(SerialDevicePath(identity.Name)) ? identity.Name
                                                                     : identity.ById;
    }
    if (identity.SerialNumber.isEmpty())
        return DeviceFile(SerialDevicePath(identity.Name)).isEmpty() ? QString() : identity.Name;
    for (const PresentPort &port : present()) {
        if (port.SerialNumber == identity.SerialNumber)
            return port.Name;
    }
    return QString();
}
