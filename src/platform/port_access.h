#pragma once

#include <QString>

#include <vector>

// Why a serial device would not open, told in terms a user can act on. Read from the system
// when asked (device nodes, groups and /proc); any thread.

// The group that owns the device node at path (dialout, uucp, ...); empty when the node or its
// group cannot be found.
QString DeviceGroupName(const QString &path);

struct PortHolder
{
    long long pid = 0;
    QString program;
};

// The processes that hold the device node at path open, found by looking through the
// descriptors under procRoot (/proc); this process and processes whose descriptors this user
// may not read are left out. Ordered by process id.
std::vector<PortHolder> FindPortHolders(const QString &path, long long excludePid,
                                        const QString &procRoot = QStringLiteral("/proc"));

// What the user can do after opening the port portName, or setting its line up, failed with
// errno err: with no name, the ports to pick from; for a refused permission the group to join
// and the command that joins it; for a port held elsewhere the program holding it; for a
// missing device the ports found now and their stable names; for a node that is no serial
// device or fails with an I/O error, so. Empty for other errors and for the built-in demo port.
QString PortOpenAdvice(const QString &portName, int err);
