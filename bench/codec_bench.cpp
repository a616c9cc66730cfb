// Encoding and decoding a 4 MiB stream of record-like data (runs of zeros between varied bytes).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "records/codec.h"

namespace {

std::vector<uint8_t> sample_payload() {
    std::vector<uint8_t> plain(4u << 20);
    std::mt19937 rng(15);
    for (std::size_t i = 0; i < plain.size();) {
        const std::size_t zeros = rng() % 40;
        for (std::size_t k = 0; k < zeros && i < plain.size(); ++k)
            plain[i++] = 0;
        const std::size_t varied = rng() % 24;
        for (std::size_t k = 0; k < varied && i < plain.size(); ++k)
            plain[i++] = static_cast<uint8_t>(rng());
    }
    return plain;
}

void BM_encode_4MiB(benchmark::State& state) {
    const std::vector<uint8_t> plain = sample_payload();
    for (auto _ : state) {
        state.PauseTiming();
        dravok::tbyte_stream s(plain);
        state.ResumeTiming();
        dravok::encode_stream(s);
        benchmark::DoNotOptimize(s.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(plain.size()));
}
BENCHMARK(BM_encode_4MiB)->Unit(benchmark::kMillisecond);

void BM_decode_4MiB(benchmark::State& state) {
    dravok::tbyte_stream encoded(sample_payload());
    dravok::encode_stream(encoded);
    const std::vector<uint8_t> file = encoded.bytes();
    for (auto _ : state) {
        state.PauseTiming();
        dravok::tbyte_stream s(file);
        state.ResumeTiming();
        const bool ok = dravok::decode_stream(s);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (4 << 20));
}
BENCHMARK(BM_decode_4MiB)->Unit(benchmark::kMillisecond);

} // namespace
