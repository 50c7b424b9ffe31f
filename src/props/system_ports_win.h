// The system's side of the COM port page's ports: the list Windows keeps
// of its serial ports, opening one by its device path, and the worker
// threads and signal the bounded probe runs on.
#ifndef QXDRV_PROPS_SYSTEM_PORTS_WIN_H
#define QXDRV_PROPS_SYSTEM_PORTS_WIN_H

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "props/port_probes.h"

namespace qx {

// Opens the port for reading without sharing and closes it at once.
class Win32PortProbe : public PortProbePort {
public:
    PortOpenResult Probe(const std::string& port) const override;
};

// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM: one value per present port, its data
// the port's name. Wine fills it from its own port mappings as well.
class Win32SerialPortList : public SerialPortListPort {
public:
    std::vector<std::string> SerialPorts() const override;
};

class Win32WorkerThreads : public WorkerThreadsPort {
public:
    std::shared_ptr<DoneSignal> NewSignal() override;
    bool Start(std::function<void()> work) override;
};

}  // namespace qx

#endif
