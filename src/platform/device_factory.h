#pragma once

#include <QString>

#include <memory>

class SerialDevice;

// What a port name opens. Everything above the device (event thread, input queue, overflow
// rule, reconnect) is the same for every kind.
enum class DeviceKind {
    Serial, // a tty: "COM1" … "COM25", a name in /dev or a path
    Demo, // the built-in demo ports
};

DeviceKind DeviceKindOf(const QString &portName);

// The one place that turns a port name into an open device; nullptr with error (errno) set on
// failure.
std::unique_ptr<SerialDevice> OpenSerialDevice(const QString &portName, int &error);
