#include "platform/device_factory.h"

#include "platform/demo_device.h"
#include "platform/serial_device.h"

#include <cerrno>

DeviceKind DeviceKindOf(const QString &portName)
{
    return IsDemoPortName(portName) ? DeviceKind::Demo : DeviceKind::Serial;
}

std::unique_ptr<SerialDevice> OpenSerialDevice(const QString &portName, int &error)
{
    switch (DeviceKindOf(portName)) {
    case DeviceKind::Demo:
        return DemoSerialDevice::Open(DemoLinesFor(portName), error);
    case DeviceKind::Serial:
        return PosixSerialDevice::Open(SerialDevicePath(portName), error);
    }
    error = ENODEV;
    return nullptr;
}
