// The reading conversion over a pasted text the size of a long sutra collection, against one
// table look-up a unit into a fresh text of the source's length (x_lookup, in CPU time), and
// splitting the same text into lines alone.

#include "tools/ReadingConversion.h"
#include "util/TextLines.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <map>

namespace {

constexpr int LineLength = 40; // a 신수대장경 line is about this long

// units Chinese characters in lines of LineLength, each ended by CR LF.
std::u16string PastedText(std::size_t units)
{
    std::u16string text;
    text.reserve(units + units / LineLength * 2 + 2);
    for (std::size_t i = 0; i < units; ++i) {
        text.push_back(static_cast<char16_t>(0x4E00 + (i * 7919) % 0x5000));
        if ((i + 1) % LineLength == 0) text.append(u"\r\n");
    }
    return text;
}

TReadingFile CompleteTable()
{
    TReadingFile file;
    file.Header.DataLength = 0x10000;
    file.Text.assign(0x10000 + 10, u'\0');
    for (std::size_t c = 0x4E00; c < 0xA000; ++c)
        file.Text[c] = static_cast<char16_t>(0xAC00 + c % 11172);
    return file;
}

// Seconds per iteration of the look-up, by text size, for the conversions' ratio to it.
std::map<std::int64_t, double>& LookUpSeconds()
{
    static std::map<std::int64_t, double> seconds;
    return seconds;
}

// The CPU seconds this thread has used, so that the ratios hold on a busy machine.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Times the loop of body over state and gives CPU seconds per iteration.
template <typename TBody> double TimedLoop(benchmark::State& state, TBody body)
{
    const double begin = ThreadSeconds();
    for (auto _ : state)
        body();
    return (ThreadSeconds() - begin) / static_cast<double>(state.iterations());
}

void BM_TableLookUp(benchmark::State& state)
{
    const std::u16string text = PastedText(static_cast<std::size_t>(state.range(0)));
    const TReadingFile table = CompleteTable();
    LookUpSeconds()[state.range(0)] = TimedLoop(state, [&] {
        std::u16string looked(text);
        for (char16_t& unit : looked)
            unit = table.Text[unit];
        benchmark::DoNotOptimize(looked.data());
    });
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}

void BM_SplitLinesOnly(benchmark::State& state)
{
    const std::u16string text = PastedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SplitLines(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}

template <typename TConvert> void RunConversion(benchmark::State& state, TConvert convert)
{
    const std::u16string text = PastedText(static_cast<std::size_t>(state.range(0)));
    const TReadingFile table = CompleteTable();
    const double seconds = TimedLoop(state, [&] { benchmark::DoNotOptimize(convert(text, table)); });
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
    if (auto found = LookUpSeconds().find(state.range(0)); found != LookUpSeconds().end())
        state.counters["x_lookup"] = seconds / found->second;
}

// The result as the memo holds it, in one text.
void BM_ConvertReadingsText(benchmark::State& state)
{
    RunConversion(state, ConvertReadingsText);
}

// The result as separate lines.
void BM_ConvertReadings(benchmark::State& state)
{
    RunConversion(state, ConvertReadings);
}

} // namespace

BENCHMARK(BM_TableLookUp)->Arg(100'000)->Arg(1'000'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitLinesOnly)->Arg(100'000)->Arg(1'000'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertReadingsText)->Arg(100'000)->Arg(1'000'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertReadings)->Arg(100'000)->Arg(1'000'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
