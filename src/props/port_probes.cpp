#include "props/port_probes.h"

#include <algorithm>
#include <atomic>
#include <cstddef>

#include "link/port_names.h"

namespace qx {
namespace {

// What the workers and the waiter share; the last of them frees it.
struct Answers {
    struct Slot {
        std::atomic<bool> done{false};
        PortOpenResult result;  // written before `done`, read only after it
    };
    Answers(std::size_t count, std::shared_ptr<DoneSignal> doneSignal)
        : slots(new Slot[count]), left(count), signal(std::move(doneSignal)) {}
    void Finish() {
        if (left.fetch_sub(1, std::memory_order_acq_rel) == 1) signal->Set();
    }
    std::unique_ptr<Slot[]> slots;
    std::atomic<std::size_t> left;
    std::shared_ptr<DoneSignal> signal;
};

}  // namespace

std::vector<std::string> PresentPorts(const SerialPortListPort& list) {
    std::vector<int> numbers;
    for (const std::string& name : list.SerialPorts()) {
        if (const std::optional<int> number = ComPortNumber(name)) numbers.push_back(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::vector<std::string> ports;
    for (int number : numbers) ports.push_back(ComPortName(number));
    return ports;
}

std::vector<std::optional<PortOpenResult>> ProbeBounded(
    const std::shared_ptr<const PortProbePort>& probe, const std::vector<std::string>& ports,
    WorkerThreadsPort& threads, unsigned waitMs) {
    std::vector<std::optional<PortOpenResult>> results(ports.size());
    if (ports.empty()) return results;
    auto answers = std::make_shared<Answers>(ports.size(), threads.NewSignal());
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const bool started = threads.Start([answers, probe, i, port = ports[i]] {
            answers->slots[i].result = probe->Probe(port);
            answers->slots[i].done.store(true, std::memory_order_release);
            answers->Finish();
        });
        if (!started) answers->Finish();
    }
    answers->signal->WaitFor(waitMs);
    for (std::size_t i = 0; i < ports.size(); ++i) {
        if (answers->slots[i].done.load(std::memory_order_acquire)) results[i] = answers->slots[i].result;
    }
    return results;
}

std::vector<PortCheck> CheckPorts(const std::vector<std::string>& ports,
                                  const std::shared_ptr<const PortProbePort>& probe,
                                  WorkerThreadsPort& threads, unsigned waitMs) {
    const std::vector<std::optional<PortOpenResult>> answers =
        ProbeBounded(probe, ports, threads, waitMs);
    std::vector<PortCheck> checks;
    for (std::size_t i = 0; i < ports.size(); ++i)
        checks.push_back({ports[i], answers[i].value_or(PortOpenResult{true, 0})});
    return checks;
}

std::vector<PortCheck> CheckSystemPorts(const SerialPortListPort& list,
                                        const std::shared_ptr<const PortProbePort>& probe,
                                        WorkerThreadsPort& threads, unsigned waitMs) {
    return CheckPorts(PresentPorts(list), probe, threads, waitMs);
}

}  // namespace qx
