// How the web route's collection and import grow with the length of a list: time and peak heap
// for collecting N addresses, building ClipText, and importing the page's answer for all of
// them. The wait for the user in the instruction dialog is left out. Not a test; run by hand.
#include "app/web/web_route.h"
#include "support/encoding/codepage.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

namespace {

// Heap bookkeeping: every allocation carries its size in front, so the peak can be followed.
std::atomic<std::size_t> gInUse{0};
std::atomic<std::size_t> gPeak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    auto* block = static_cast<char*>(std::malloc(size + kHeader));
    if (!block) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t now = gInUse += size;
    for (std::size_t peak = gPeak; now > peak && !gPeak.compare_exchange_weak(peak, now);) {
    }
    return block + kHeader;
}

void Release(void* pointer) {
    if (!pointer) {
        return;
    }
    char* block = static_cast<char*>(pointer) - kHeader;
    gInUse -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}

namespace mapwell {
namespace {

// The result file, counting the bytes of the POI lines it is given.
class CountedResult : public ResultFile {
public:
    bool Write(std::string_view bytes) override {
        count += bytes.size();
        return true;
    }
    std::size_t count = 0;
};

class CountedErrors : public ErrorList {
public:
    void Append(const std::string&) override { ++count; }
    std::size_t count = 0;
};

WebRow Address(int n) {
    WebRow row;
    row.Name1 = L"Erika";
    row.Name2 = L"Mustermann " + std::to_wstring(n);
    row.Street = L"Heidestra\u00dfe " + std::to_wstring(n % 200 + 1);
    row.Zip = std::to_wstring(10000 + n % 89999);
    row.City = L"K\u00f6ln";
    row.Description = L"Kunde " + std::to_wstring(n);
    row.Line = WideToAnsi(row.Name1 + L";" + row.Name2 + L";" + row.Street + L";" + row.Zip + L";" +
                          row.City + L";" + row.Description);
    return row;
}

// The page's answer: the header with "bg_lat", then every row with its item number and two
// coordinates, in reverse order; every hundredth row failed.
std::wstring Answer(int count) {
    std::wstring text = L"Address\tCity\tZipcode\tState\tDescription\tbg_lat\tbg_long\r\n";
    for (int item = count; item >= 1; --item) {
        const bool failed = item % 100 == 0;
        text += L"Heidestra\u00dfe 1\tK\u00f6ln\t50667\t\t" + std::to_wstring(item) + L"\t" +
                (failed ? L"0" : L"50.9" + std::to_wstring(item % 1000)) + L"\t" +
                (failed ? L"0" : L"6.95" + std::to_wstring(item % 1000)) + L"\r\n";
    }
    return text;
}

void CollectAndImport(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::wstring answer = Answer(count);
    const RegionalNumberFormat format{L".", L","};
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t base = gInUse;
        gPeak = base;
        CountedResult result;
        CountedErrors errors;
        {
            WebCollection collection;
            for (int n = 1; n <= count; ++n) {
                collection.Collect(Address(n));
            }
            benchmark::DoNotOptimize(collection.ClipText().data());
            const int converted = ImportGeocodedText(
                collection, answer, format, result, [] { return OutputFormat::Poi; }, errors);
            benchmark::DoNotOptimize(converted);
        }
        peak = gPeak - base;
        if (errors.count != static_cast<std::size_t>(count / 100)) {
            state.SkipWithError("unexpected number of failed rows");
        }
    }
    state.SetComplexityN(count);
    state.counters["peak_MB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
    state.counters["peak_B_per_row"] = static_cast<double>(peak) / count;
    state.counters["answer_MB"] =
        static_cast<double>(answer.size() * sizeof(wchar_t)) / (1024.0 * 1024.0);
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(CollectAndImport)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace mapwell

BENCHMARK_MAIN();
