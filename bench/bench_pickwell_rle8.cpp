// RLE8 encoding of a replacement bitmap, the cost of "BMP to GAU" into a compressed bitmap: a gauge-sized
// picture of flat areas and a noisy one of the same size.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "lib/rle8.h"

namespace {

std::vector<std::uint8_t> Picture(std::uint32_t side, bool noisy) {
    std::vector<std::uint8_t> p(std::size_t{side} * side);
    std::mt19937 rng(3);
    for (std::uint32_t y = 0; y < side; ++y) {
        for (std::uint32_t x = 0; x < side; ++x) {
            p[std::size_t{y} * side + x] =
                noisy ? static_cast<std::uint8_t>(rng()) : static_cast<std::uint8_t>((x / 17 + y / 23) % 6);
        }
    }
    return p;
}

void Encode(benchmark::State& state, bool noisy) {
    const auto side = static_cast<std::uint32_t>(state.range(0));
    const auto pixels = Picture(side, noisy);
    for (auto _ : state) {
        auto codes = pickwell::EncodeRle8(pixels, side, side, side);
        benchmark::DoNotOptimize(codes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pixels.size()));
}

void BM_EncodeRle8Flat(benchmark::State& s) {
    Encode(s, false);
}
void BM_EncodeRle8Noise(benchmark::State& s) {
    Encode(s, true);
}
BENCHMARK(BM_EncodeRle8Flat)->Arg(200)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeRle8Noise)->Arg(200)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
