// Benchmarks of the pen path (router, line decoder, BoardToScreen and the
// pointer engine), on the core built without sanitizers (-O2). Figures
// only, no assertions:
//   ns/report    native time to decode, route and act on one 9-byte report
//   wire_x       how many times faster than the 2.34 ms the report takes on
//                the wire (9 bytes x 10 bits at 38400 baud)
//   allocs/rep   heap allocations per report in steady state (target 0),
//                counted by replacing operator new in this binary (the
//                library's array and nothrow forms call it)
// Run: build/<dir>/tools/native/bench/qx_pen_bench
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "pen/pen_router.h"

namespace {

std::uint64_t g_allocations = 0;

void* CountedAlloc(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr double kReportBytes = 9.0;
constexpr double kBitsPerByte = 10.0;  // start, 8 data, stop
constexpr double kBaud = 38400.0;
constexpr double kWireSecondsPerReport = kReportBytes * kBitsPerByte / kBaud;  // 2.34 ms

// Pointer output that does nothing but keep a clock: the benchmark moves it
// by the wire time of each report, Sleep by its argument.
class ClockOnlyOutput : public qx::PointerOutputPort {
public:
    void SetCursorPos(int x, int y) override { sink_ += x + y; }
    qx::ScreenPoint GetCursorPos() override { return qx::ScreenPoint{}; }
    void MouseEvent(std::uint32_t flags) override { sink_ += flags; }
    std::uint32_t GetTickCount() override { return static_cast<std::uint32_t>(ms_); }
    void Sleep(std::uint32_t ms) override { ms_ += ms; }
    void Advance(double ms) { ms_ += ms; }
    long long Sink() const { return sink_; }

private:
    double ms_ = 0.0;
    long long sink_ = 0;
};

std::string Report(char lead, int x, int y) {
    char text[16];
    std::snprintf(text, sizeof(text), "%c%04d%03d\r", lead, x % 10000, y % 1000);
    return text;
}

// Strokes like handwriting: three hovers, twenty left reports, a release.
std::vector<std::string> StrokeReports(int strokes) {
    std::vector<std::string> reports;
    for (int s = 0; s < strokes; ++s) {
        const int x0 = 100 + 37 * s;
        const int y0 = 100 + 11 * s;
        for (int k = 0; k < 3; ++k) reports.push_back(Report('@', x0 - 6 + 2 * k, y0));
        for (int k = 0; k < 20; ++k) reports.push_back(Report('L', x0 + 3 * k, y0 + (k * k) % 17));
        reports.push_back("?T\r");
    }
    return reports;
}

// A drag: left reports only, the engine's steady state.
std::vector<std::string> DragReports(int count) {
    std::vector<std::string> reports;
    for (int k = 0; k < count; ++k) reports.push_back(Report('L', 200 + k % 700, 100 + (k / 7) % 500));
    return reports;
}

// Groups reports into batches of `perBatch` reports (or single bytes when 0).
std::vector<std::string> Batches(const std::vector<std::string>& reports, int perBatch) {
    std::vector<std::string> batches;
    if (perBatch == 0) {
        for (const auto& r : reports)
            for (char c : r) batches.push_back(std::string(1, c));
        return batches;
    }
    for (std::size_t i = 0; i < reports.size(); i += static_cast<std::size_t>(perBatch)) {
        std::string batch;
        for (std::size_t k = i; k < i + static_cast<std::size_t>(perBatch) && k < reports.size(); ++k)
            batch += reports[k];
        batches.push_back(batch);
    }
    return batches;
}

void Run(benchmark::State& state, const std::vector<std::string>& reports, int perBatch) {
    const std::vector<std::string> batches = Batches(reports, perBatch);
    double bytes = 0;
    for (const auto& b : batches) bytes += static_cast<double>(b.size());
    const double reportsPerPass = static_cast<double>(reports.size());
    const double wireMsPerByte = kWireSecondsPerReport * 1000.0 / kReportBytes;

    ClockOnlyOutput out;
    qx::CalibValues calib{1.0008, 1.0014, 0.0128, 0.0218};
    qx::PointerEngine engine(out);
    qx::PenRouter router(calib, engine);
    auto pass = [&] {
        for (const auto& b : batches) {
            out.Advance(wireMsPerByte * static_cast<double>(b.size()));
            router.OnPenData(b.c_str(), b.size());
        }
    };
    pass();  // warm up: the buffer has its reserve from the start

    const std::uint64_t allocationsBefore = g_allocations;
    const auto started = std::chrono::steady_clock::now();
    for (auto _ : state) {
        pass();
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    const double allocations = static_cast<double>(g_allocations - allocationsBefore);
    const double totalReports = reportsPerPass * static_cast<double>(state.iterations());
    benchmark::DoNotOptimize(out.Sink());

    // Plain numbers (the library's rate counters would print them as times).
    const double secondsPerReport = totalReports > 0 ? elapsed.count() / totalReports : 0.0;
    state.counters["ns/report"] = secondsPerReport * 1e9;
    state.counters["wire_x"] = secondsPerReport > 0 ? kWireSecondsPerReport / secondsPerReport : 0.0;
    state.counters["allocs/rep"] = totalReports > 0 ? allocations / totalReports : 0.0;
    state.SetItemsProcessed(static_cast<std::int64_t>(totalReports));
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes * static_cast<double>(state.iterations())));
}

// Arg: reports per WM_PENDATA batch; 0 = one byte per batch.
void BM_Drag(benchmark::State& state) { Run(state, DragReports(512), static_cast<int>(state.range(0))); }
BENCHMARK(BM_Drag)->Arg(0)->Arg(1)->Arg(32);

void BM_Handwriting(benchmark::State& state) {
    Run(state, StrokeReports(20), static_cast<int>(state.range(0)));
}
BENCHMARK(BM_Handwriting)->Arg(1)->Arg(4);

}  // namespace

BENCHMARK_MAIN();
