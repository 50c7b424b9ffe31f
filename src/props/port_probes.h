// The serial ports the system has, and opening them to see whether another
// program holds them. A Bluetooth or modem port can take seconds to answer
// an open, so the ports are opened on worker threads, all at once, and the
// caller waits a bounded time for their answers.
#ifndef QXDRV_PROPS_PORT_PROBES_H
#define QXDRV_PROPS_PORT_PROBES_H

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx {

// The answer to opening a port for reading, without sharing.
struct PortOpenResult {
    bool opened = false;
    unsigned long error = 0;  // meaningful when !opened
};

class PortProbePort {
public:
    virtual ~PortProbePort() = default;
    // Opens the port ("COM12:") and closes it again at once. May block for
    // as long as the device takes; called on worker threads.
    virtual PortOpenResult Probe(const std::string& port) const = 0;
};

class SerialPortListPort {
public:
    virtual ~SerialPortListPort() = default;
    // The serial ports present, as the system names them ("COM3"), in the
    // system's order.
    virtual std::vector<std::string> SerialPorts() const = 0;
};

// Set once by whoever finishes last; the waiter may give up on it.
class DoneSignal {
public:
    virtual ~DoneSignal() = default;
    virtual void Set() = 0;
    // True when the signal was set within `ms`.
    virtual bool WaitFor(unsigned ms) = 0;
};

class WorkerThreadsPort {
public:
    virtual ~WorkerThreadsPort() = default;
    virtual std::shared_ptr<DoneSignal> NewSignal() = 0;
    // Runs `work` on a new thread that nobody waits for; false when no
    // thread could be started.
    virtual bool Start(std::function<void()> work) = 0;
};

// How long the COM port page waits for the ports' answers.
constexpr unsigned kPortProbeWaitMs = 500;

// A listed port with what opening it answered.
struct PortCheck {
    std::string port;  // "COM12:"
    PortOpenResult answer;
};

// The ports of the system's list as the settings name them, "COM1:" to
// "COM256:", each once, in numeric order; other names are left out.
std::vector<std::string> PresentPorts(const SerialPortListPort& list);

// Opens every port at once, each on a worker, and waits at most `waitMs`
// for all of them. A port that has not answered by then (or found no
// worker) has no answer. A worker still inside the system when the caller
// gave up keeps only the probe and a block of answers shared with it, so
// it touches nothing of the caller's.
std::vector<std::optional<PortOpenResult>> ProbeBounded(
    const std::shared_ptr<const PortProbePort>& probe, const std::vector<std::string>& ports,
    WorkerThreadsPort& threads, unsigned waitMs);

// The ports probed with that bound; a port that has not answered counts as
// opened: present and held by no other program.
std::vector<PortCheck> CheckPorts(const std::vector<std::string>& ports,
                                  const std::shared_ptr<const PortProbePort>& probe,
                                  WorkerThreadsPort& threads, unsigned waitMs);
// CheckPorts of the present ports.
std::vector<PortCheck> CheckSystemPorts(const SerialPortListPort& list,
                                        const std::shared_ptr<const PortProbePort>& probe,
                                        WorkerThreadsPort& threads, unsigned waitMs);

}  // namespace qx

#endif
