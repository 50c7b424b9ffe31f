// The busy rule of the main window: commands that open modal boxes run one
// at a time, and a request while one runs is refused (the caller beeps).
#ifndef QXDRV_BASE_BUSY_GATE_H
#define QXDRV_BASE_BUSY_GATE_H

namespace qx {

class BusyGate {
public:
    BusyGate() = default;
    BusyGate(const BusyGate&) = delete;
    BusyGate& operator=(const BusyGate&) = delete;

    // Runs `command` with the gate closed and answers true, or answers false
    // at once when another command holds the gate. The gate opens again
    // however the command ends, a thrown exception included: a command that
    // failed must not leave every later one refused.
    template <typename Command>
    bool RunExclusive(Command&& command) {
        if (busy_ != 0) return false;
        Hold hold(busy_);
        command();
        return true;
    }

    // 1 while a command runs (the menu leaves some entries out then).
    int Busy() const { return busy_; }

private:
    class Hold {
    public:
        explicit Hold(int& flag) : flag_(flag) { flag_ = 1; }
        ~Hold() { flag_ = 0; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        int& flag_;
    };

    int busy_ = 0;
};

}  // namespace qx

#endif
