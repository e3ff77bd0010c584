// Benchmark entry: the usual console report, followed by the ratios of our
// keyed copies (tiles, wide sprites) to SDL's keyed blit measured in the same
// run (by CPU time too: the wall time of a shared machine counts other
// programs' turns).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include <unistd.h>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(1) ? OO_Defaults : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        // Single runs, or the median when repetitions are asked for.
        for (const Run& r : runs)
            if ((r.run_type == Run::RT_Iteration && r.iterations > 0) ||
                (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median"))
                times_[r.run_name.str()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    void Ratio(const char* ours, const char* theirs, const char* label) const {
        auto a = times_.find(ours), b = times_.find(theirs);
        if (a == times_.end() || b == times_.end() || a->second.real <= 0 || a->second.cpu <= 0) return;
        std::printf("%-40s %6.2fx by CPU time, %6.2fx by wall time\n", label, b->second.cpu / a->second.cpu,
                    b->second.real / a->second.real);
    }

    bool Has(const char* name) const { return times_.count(name) != 0; }

private:
    struct Times {
        double real, cpu;
    };
    std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.Has("BM_TilesSdlKeyed") || reporter.Has("BM_WideKeyedSdl"))
        std::printf("\nSpeed of our keyed copies relative to SDL (higher is faster):\n");
    reporter.Ratio("BM_TilesKeyed", "BM_TilesSdlKeyed", "tiles vs SDL keyed blit (no RLE)");
    reporter.Ratio("BM_TilesKeyed", "BM_TilesSdlKeyedRle", "tiles vs SDL keyed blit (RLE)");
    reporter.Ratio("BM_TilesKeyedScalar", "BM_TilesSdlKeyed", "plain per-pixel loop vs SDL (no RLE)");
    reporter.Ratio("BM_WideKeyed", "BM_WideKeyedSdl", "wide sprites vs SDL keyed blit (no RLE)");
    reporter.Ratio("BM_WideKeyed", "BM_WideKeyedSdlRle", "wide sprites vs SDL keyed blit (RLE)");
    benchmark::Shutdown();
    return 0;
}
