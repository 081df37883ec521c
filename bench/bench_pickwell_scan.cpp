// Scanning a 64 MB file for 8-bit bitmap headers, beside a plain memchr pass over the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "lib/scan.h"

namespace {

constexpr std::size_t kSize = std::size_t{64} << 20;

// Random bytes (one in 256 is a 40, each one a candidate the header test must reject) with a real header
// planted every 64 KB.
const std::vector<std::uint8_t>& RandomModule() {
    static const std::vector<std::uint8_t> data = [] {
        std::vector<std::uint8_t> d(kSize);
        std::mt19937_64 rng(42);
        for (std::size_t i = 0; i + 8 <= d.size(); i += 8) {
            const std::uint64_t v = rng();
            std::memcpy(&d[i], &v, 8);
        }
        for (std::size_t at = 1000; at + 40 <= d.size(); at += 65536) {
            std::memset(&d[at], 0, 40);
            d[at] = 40, d[at + 4] = 32, d[at + 8] = 32, d[at + 12] = 1, d[at + 14] = 8;
        }
        return d;
    }();
    return data;
}

// Mostly small integers, as in code and resource data: many more 40s and near-matches than random bytes.
const std::vector<std::uint8_t>& CodeLikeModule() {
    static const std::vector<std::uint8_t> data = [] {
        std::vector<std::uint8_t> d(kSize);
        std::mt19937 rng(7);
        for (auto& b : d) {
            const unsigned r = rng() % 16;
            b = r < 8    ? 0
                : r < 10 ? 40
                : r < 12 ? static_cast<std::uint8_t>(rng() % 16)
                         : static_cast<std::uint8_t>(rng());
        }
        return d;
    }();
    return data;
}

// The corpus gauge modules repeated up to 64 MB: real code, data and resources.
const std::vector<std::uint8_t>& CorpusModules() {
    static const std::vector<std::uint8_t> data = [] {
        std::vector<std::uint8_t> all;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(BRINDLE_CORPUS_DIR "/gauges", ec)) {
            std::ifstream in(entry.path(), std::ios::binary);
            all.insert(all.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        if (all.empty()) all.assign(4096, 0);
        std::vector<std::uint8_t> d(kSize);
        for (std::size_t i = 0; i < d.size(); i += all.size()) {
            std::memcpy(&d[i], all.data(), std::min(all.size(), d.size() - i));
        }
        return d;
    }();
    return data;
}

void ScanMemchr(benchmark::State& state, const std::vector<std::uint8_t>& d) {
    for (auto _ : state) {
        const pickwell::ScanResult r = pickwell::detail::ScanBytesWithMemchr(d);
        benchmark::DoNotOptimize(r.bitmaps.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.size()));
}

void Scan(benchmark::State& state, const std::vector<std::uint8_t>& d) {
    for (auto _ : state) {
        const pickwell::ScanResult r = pickwell::ScanBytes(d);
        benchmark::DoNotOptimize(r.bitmaps.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.size()));
}

// The baseline: find every 40 with memchr and do nothing with it.
void Memchr(benchmark::State& state, const std::vector<std::uint8_t>& d) {
    for (auto _ : state) {
        std::size_t count = 0;
        const std::uint8_t* p = d.data();
        const std::uint8_t* end = d.data() + d.size();
        while (const void* hit = std::memchr(p, 40, static_cast<std::size_t>(end - p))) {
            ++count;
            p = static_cast<const std::uint8_t*>(hit) + 1;
        }
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.size()));
}

// Scan: the search the program uses; ScanPortable: the memchr-based search it falls back to; Memchr: the
// baseline.
void BM_ScanRandom(benchmark::State& s) {
    Scan(s, RandomModule());
}
void BM_ScanPortableRandom(benchmark::State& s) {
    ScanMemchr(s, RandomModule());
}
void BM_MemchrRandom(benchmark::State& s) {
    Memchr(s, RandomModule());
}
void BM_ScanCorpus(benchmark::State& s) {
    Scan(s, CorpusModules());
}
void BM_ScanPortableCorpus(benchmark::State& s) {
    ScanMemchr(s, CorpusModules());
}
void BM_MemchrCorpus(benchmark::State& s) {
    Memchr(s, CorpusModules());
}
void BM_ScanCodeLike(benchmark::State& s) {
    Scan(s, CodeLikeModule());
}
void BM_ScanPortableCodeLike(benchmark::State& s) {
    ScanMemchr(s, CodeLikeModule());
}
void BM_MemchrCodeLike(benchmark::State& s) {
    Memchr(s, CodeLikeModule());
}

BENCHMARK(BM_ScanRandom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanPortableRandom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemchrRandom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanPortableCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemchrCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanCodeLike)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanPortableCodeLike)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemchrCodeLike)->Unit(benchmark::kMillisecond);

}  // namespace
