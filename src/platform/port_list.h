#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What the system reports about one serial port. USB adapters give a description, a
// manufacturer and a serial number, and usually a stable name under /dev/serial/by-id; other
// ports leave these empty.
struct SerialPortDetails
{
    QString name; // as the port list shows it (ttyUSB0)
    QString description;
    QString manufacturer;
    QString serialNumber;
    QString stablePath; // /dev/serial/by-id/... naming the same device
};

// The serial ports present as the system reports them, in no particular order. Read anew on
// every call.
std::vector<SerialPortDetails> SerialPortsPresent();

// Replaces where SerialPortsPresent() reads from and returns the previous source; an empty
// source restores the system's list. Lets tests show adapters the machine does not have.
using SerialPortSource = std::function<std::vector<SerialPortDetails>()>;
SerialPortSource SetSerialPortSource(SerialPortSource source);

// The names of the serial ports present and the demo ports, sorted as text without regard to
// case (COM1, COM10, COM3). Read anew on every call.
QStringList SerialPortNames();

// Sorts port names as text without regard to case.
void SortPortNames(QStringList &names);

// The lines that tell one adapter from another (description, manufacturer, serial number,
// stable name); empty when the port reports none of them.
QString PortDetailsText(const SerialPortDetails &port);

// The entry in byIdDir that links to the device at devicePath; empty when there is none.
QString StableDevicePath(const QString &devicePath,
                         const QString &byIdDir = QStringLiteral("/dev/serial/by-id"));
