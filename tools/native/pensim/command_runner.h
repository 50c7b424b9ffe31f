// Runs the simulator's commands (one text line each) against the board port,
// and reports each outcome on one line of the log:
//   ok <seq> <verb> bytes=<written> total=<written so far> us=<time taken>
//   error <seq> <verb>: <reason>
//   mark <text>                      (answer to "mark", for synchronising)
#ifndef QXDRV_TOOLS_PENSIM_COMMAND_RUNNER_H
#define QXDRV_TOOLS_PENSIM_COMMAND_RUNNER_H

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "board_port.h"

namespace qx::pensim {

enum class RunResult { Ok, Failed, Quit };

class CommandRunner {
public:
    CommandRunner(BoardPort& port, std::FILE* log);

    // Asked while a flood runs: true ends the flood early (a new command is waiting).
    void SetPendingInput(std::function<bool()> pending) { pending_ = std::move(pending); }

    // Runs one line; blank lines and lines starting with '#' do nothing.
    RunResult Run(const std::string& line);

    unsigned long long Total() const { return total_; }

private:
    using Args = std::vector<std::string>;
    bool Dispatch(const std::string& verb, const Args& args, const std::string& rest,
                  std::string& error, bool& quit);
    bool Send(const std::string& bytes, std::string& error);
    bool Coordinate(char lead, const Args& args, std::string& error);
    bool Stroke(const Args& args, std::string& error);
    bool Flood(const Args& args, std::string& error);
    bool Replay(const std::string& path, std::string& error);

    BoardPort& port_;
    std::FILE* log_;
    std::function<bool()> pending_;
    unsigned long long total_ = 0;
    unsigned long long commandBytes_ = 0;
    unsigned seq_ = 0;
};

}  // namespace qx::pensim

#endif
