#pragma once

#include "platform/port_list.h"

#include <utility>
#include <vector>

// While it lives, the port list reports these ports in place of the system's.
class FakePorts
{
public:
    explicit FakePorts(std::vector<SerialPortDetails> ports)
        : m_previous(SetSerialPortSource([ports = std::move(ports)] { return ports; }))
    { }
    ~FakePorts() { SetSerialPortSource(std::move(m_previous)); }

    FakePorts(const FakePorts &) = delete;
    FakePorts &operator=(const FakePorts &) = delete;

private:
    SerialPortSource m_previous;
};
