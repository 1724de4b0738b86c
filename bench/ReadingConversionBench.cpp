// The reading conversion over a pasted text the size of a long sutra collection, against
// splitting the same text into lines alone as the baseline.

#include "tools/ReadingConversion.h"
#include "util/TextLines.h"

#include <benchmark/benchmark.h>

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

void BM_SplitLinesOnly(benchmark::State& state)
{
    const std::u16string text = PastedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SplitLines(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}

void BM_ConvertReadings(benchmark::State& state)
{
    const std::u16string text = PastedText(static_cast<std::size_t>(state.range(0)));
    const TReadingFile table = CompleteTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertReadings(text, table));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}

} // namespace

BENCHMARK(BM_SplitLinesOnly)->Arg(100'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertReadings)->Arg(100'000)->Arg(5'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
