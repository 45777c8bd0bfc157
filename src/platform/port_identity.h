#pragma once

#include <QString>

#include <functional>
#include <vector>

// What finds a serial device again after it went away and came back (a board reset, a
// re-flash, an adapter pulled and plugged in): the name it was opened under, the entry in the
// by-id folder that leads to it, and its USB serial number. Taken while the device is present.
struct PortIdentity
{
    QString Name; // as opened: "ttyACM0", "COM3", a path
    QString ById; // the link in the by-id folder that names the device; empty when none
    QString SerialNumber; // of a USB device; empty when unknown
};

// A serial port present now.
struct PresentPort
{
    QString Name; // "ttyACM1"
    QString Location; // "/dev/ttyACM1"
    QString SerialNumber;
};

using PresentPorts = std::function<std::vector<PresentPort>()>;

inline constexpr char SerialByIdFolder[] = "/dev/serial/by-id";

// The USB serial ports present now, with their serial numbers.
std::vector<PresentPort> ListPresentPorts();

// The identity of the device the port name stands for. Reads the by-id folder and, for the
// serial number, the port list.
PortIdentity IdentifyPort(const QString &name, const QString &byIdFolder = SerialByIdFolder,
                          const PresentPorts &present = ListPresentPorts);

// The name under which the device can be opened now, or empty while it is away: its by-id link
// when it had one (the original name when the link leads there again), else the original name
// when that exists, else the port with its serial number. Asks the port list only in the last
// case, so the usual check costs a few file look-ups.
QString LocateReturnedPort(const PortIdentity &identity,
                           const PresentPorts &present = ListPresentPorts);
