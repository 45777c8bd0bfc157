#include "platform/port_access.h"

#include "platform/demo_device.h"
#include "platform/port_list.h"
#include "platform/serial_device.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

// Identifies a device node the way the descriptors that refer to it do: a character device by
// its device number (every node and link naming it), anything else by its inode.
struct NodeId
{
    bool character = false;
    dev_t device = 0;
    ino_t inode = 0;

    bool Matches(const struct stat &st) const
    {
        if (character)
            return S_ISCHR(st.st_mode) && st.st_rdev == device;
        return st.st_dev == device && st.st_ino == inode;
    }
};

bool ReadNodeId(const QString &path, NodeId &id)
{
    struct stat st
    { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    id.character = S_ISCHR(st.st_mode);
    id.device = id.character ? st.st_rdev : st.st_dev;
    id.inode = st.st_ino;
    return true;
}

QString ReadSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(file.read(4096));
}

// The name ps shows (comm), completed from the command line when the kernel cut it short.
QString ProgramName(const QString &processDir)
{
    const QString comm = ReadSmallFile(processDir + QStringLiteral("/comm")).trimmed();
    const QString argv0
            = ReadSmallFile(processDir + QStringLiteral("/cmdline")).section(QChar(0), 0, 0);
    const QString full = QFileInfo(argv0).fileName();
    if (comm.isEmpty() || (comm.size() >= 15 && full.startsWith(comm)))
        return full;
    return comm;
}

bool HoldsNode(const QString &processDir, const NodeId &id)
{
    const QDir fds(processDir + QStringLiteral("/fd"));
    const QStringList entries = fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        struct stat st
        { };
        const QByteArray fdPath = QFile::encodeName(fds.filePath(entry));
        if (::stat(fdPath.constData(), &st) == 0 && id.Matches(st))
            return true;
    }
    return false;
}

QString PermissionAdvice(const QString &path)
{
    const QString group = DeviceGroupName(path);
    if (group.isEmpty() || group == QLatin1String("root"))
        return QCoreApplication::translate(
                       "PortAccess",
                       "Your user may not open %1. Ask the administrator of this computer "
                       "for read and write access to it.")
                .arg(path);
    return QCoreApplication::translate(
                   "PortAccess",
                   "Your user may not open %1. The port belongs to the group \"%2\": add "
                   "your user to it with\n\n    sudo usermod -aG %2 $USER\n\nthen log out "
                   "and log in again.")
            .arg(path, group);
}

QString BusyAdvice(const QString &path)
{
    const auto holders = FindPortHolders(path, ::getpid());
    if (holders.empty())
        return QCoreApplication::translate(
                       "PortAccess",
                       "%1 is in use by another program. Close the port there, then try "
                       "again.")
                .arg(path);
    QStringList names;
    for (const PortHolder &holder : holders)
        names.append(QCoreApplication::translate("PortAccess", "%1 (process %2)")
                             .arg(holder.program)
                             .arg(holder.pid));
    return QCoreApplication::translate(
                   "PortAccess",
                   "%1 is in use by another program: %2. Close the port there, then try "
                   "again.")
            .arg(path, names.join(QStringLiteral(", ")));
}

// The ports present, one indented line each, with the stable name of an adapter that has one;
// empty when there are none.
QString PortsFoundNow()
{
    auto ports = SerialPortsPresent();
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortDetails &a, const SerialPortDetails &b) {
                  return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
              });
    QStringList lines;
    for (const SerialPortDetails &port : ports)
        lines.append(port.stablePath.isEmpty()
                             ? QStringLiteral("    ") + port.name
                             : QStringLiteral("    %1    %2").arg(port.name, port.stablePath));
    return lines.join(QLatin1Char('\n'));
}

QString NoPortChosenAdvice()
{
    const QString ports = PortsFoundNow();
    if (ports.isEmpty())
        return QCoreApplication::translate(
                       "PortAccess",
                       "No port is chosen, and no serial port is found now. Plug the "
                       "device in and pick its port from the list, or pick %1 to try the "
                       "program without a device.")
                .arg(QLatin1String(DemoPortName));
    return QCoreApplication::translate(
                   "PortAccess",
                   "No port is chosen. Pick one from the list; the ports found now "
                   "are\n\n%1\n\nor pick %2 to try the program without a device.")
            .arg(ports, QLatin1String(DemoPortName));
}

QString NoSuchDeviceAdvice(const QString &path)
{
    const QString ports = PortsFoundNow();
    const QString found = ports.isEmpty()
            ? QCoreApplication::translate("PortAccess", "No serial port is found now.")
            : QCoreApplication::translate("PortAccess", "The ports found now are\n\n%1").arg(ports);
    return QCoreApplication::translate(
                   "PortAccess",
                   "There is no device %1. Is it plugged in and switched on? %2\n\nA USB "
                   "adapter keeps its name under /dev/serial/by-id/ when it is plugged in "
                   "again or into another socket; that name can be typed into the port "
                   "box.")
            .arg(path, found);
}

} // namespace

QString DeviceGroupName(const QString &path)
{
    struct stat st
    { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    group entry {};
    group *found = nullptr;
    std::vector<char> buffer(4096);
    while (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    return found ? QString::fromLocal8Bit(found->gr_name) : QString();
}

std::vector<PortHolder> FindPortHolders(const QString &path, long long excludePid,
                                        const QString &procRoot)
{
    std::vector<PortHolder> holders;
    NodeId id;
    if (!ReadNodeId(path, id))
        return holders;
    const QStringList processes = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : processes) {
        bool isPid = false;
        const long long pid = name.toLongLong(&isPid);
        if (!isPid || pid == excludePid)
            continue;
        const QString processDir = procRoot + QLatin1Char('/') + name;
        if (HoldsNode(processDir, id))
            holders.push_back({pid, ProgramName(processDir)});
    }
    std::sort(holders.begin(), holders.end(),
              [](const PortHolder &a, const PortHolder &b) { return a.pid < b.pid; });
    return holders;
}

QString PortOpenAdvice(const QString &portName, int err)
{
    if (IsDemoPortName(portName))
        return QString();
    // An empty name opens the folder /dev, which fails as a folder (EISDIR).
    if (portName.trimmed().isEmpty())
        return NoPortChosenAdvice();
    const QString path = SerialDevicePath(portName);
    switch (err) {
    case EACCES:
    case EPERM:
        return PermissionAdvice(path);
    case EBUSY:
    case EWOULDBLOCK:
        return BusyAdvice(path);
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return NoSuchDeviceAdvice(path);
    case ENOTTY:
    case EISDIR:
        return QCoreApplication::translate("PortAccess",
                                           "%1 is not a serial device. Pick a port from the list.")
                .arg(path);
    case EIO:
        return QCoreApplication::translate(
                       "PortAccess",
                       "%1 reports an input/output error. Check the cable and the "
                       "adapter: unplug the adapter, plug it in again and retry.")
                .arg(path);
    default:
        return QString();
    }
}
