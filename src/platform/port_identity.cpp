#include "platform/port_identity.h"

#include "platform/demo_device.h"
#include "platform/serial_device.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// The serial number of the USB device a tty belongs to, read from sysfs; empty for a tty that
// is not on USB or a device without one. The tty's device is the USB interface or a port below
// it; the USB device is the first folder above that has a vendor id.
QString UsbSerialNumber(const QString &ttyName)
{
    QString dir = QFileInfo(QStringLiteral("/sys/class/tty/") + ttyName + QStringLiteral("/device"))
                          .canonicalFilePath();
    if (!dir.contains(QLatin1String("/usb")))
        return QString();
    for (int up = 0; up < 4 && dir.size() > 1; ++up) {
        if (QFileInfo::exists(dir + QStringLiteral("/idVendor"))) {
            QFile serial(dir + QStringLiteral("/serial"));
            if (!serial.open(QIODevice::ReadOnly))
                return QString();
            return QString::fromLatin1(serial.readAll()).trimmed();
        }
        dir.truncate(dir.lastIndexOf(QLatin1Char('/')));
    }
    return QString();
}

} // namespace

// Read from sysfs rather than through the platform's full port list, which costs much more:
// this runs at every check while a device known only by its serial number is away.
std::vector<PresentPort> ListPresentPorts()
{
    std::vector<PresentPort> ports;
    const QStringList names
            = QDir(QStringLiteral("/sys/class/tty"))
                      .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        // The class entry's own link tells where the tty sits: one cheap look-up rules out
        // every tty that is not on USB.
        if (!QFile::symLinkTarget(QStringLiteral("/sys/class/tty/") + name)
                     .contains(QLatin1String("/usb")))
            continue;
        const QString serial = UsbSerialNumber(name);
        if (!serial.isEmpty())
            ports.push_back({name, QStringLiteral("/dev/") + name, serial});
    }
    return ports;
}

PortIdentity IdentifyPort(const QString &name, const QString &byIdFolder,
                          const PresentPorts &present)
{
    PortIdentity identity;
    identity.Name = name;
    const QString device = DeviceFile(SerialDevicePath(name));
    if (IsDemoPortName(name) || device.isEmpty())
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
    if (IsDemoPortName(identity.Name))
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
