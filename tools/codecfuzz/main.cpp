// Fuzzes the file codec in process: mutations of a real encoded file (the game database by
// default) go through decode_stream and the sum test exactly as every loader sends a file.
// Each decode must either succeed with the stored plain length or refuse with an empty stream
// and unequal sums; run under the sanitizers, any out-of-bounds access or undefined behaviour
// aborts the run.
//
// Usage: dravok_codecfuzz <encoded file> [mutations, default 100000] [seed, default 1]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "records/codec.h"

namespace {

using namespace dravok;
using bytes = std::vector<uint8_t>;

constexpr long default_mutations = 100000;
constexpr int most_stacked_mutations = 4;
constexpr std::size_t length_field_from_end = 28; // the plain length, then three 8-byte sums

enum mutation : int {
    flip_bit,
    set_byte,
    truncate,
    set_length_field,
    zero_length_field,
    pk_and_zeros,
    paint_run,
    copy_range,
    mutation_count
};

uint64_t pick(std::mt19937_64& rng, uint64_t below) {
    return below == 0 ? 0 : rng() % below;
}

void mutate(bytes& f, std::mt19937_64& rng) {
    const int kind = static_cast<int>(pick(rng, mutation_count));
    switch (kind) {
    case flip_bit:
        if (!f.empty()) f[pick(rng, f.size())] ^= static_cast<uint8_t>(1u << pick(rng, 8));
        break;
    case set_byte: {
        if (f.empty()) break;
        const uint64_t at = pick(rng, f.size());
        const uint64_t choice = pick(rng, 3);
        f[at] = choice == 0 ? 0 : choice == 1 ? 0xFF : static_cast<uint8_t>(rng());
        break;
    }
    case truncate:
        f.resize(pick(rng, f.size() + 1));
        break;
    case set_length_field:
    case zero_length_field:
        if (f.size() >= length_field_from_end) {
            const uint64_t small = pick(rng, 4);
            const uint32_t v = kind == zero_length_field ? 0
                               : small == 0              ? static_cast<uint32_t>(rng())
                                                         : static_cast<uint32_t>(pick(rng, f.size() * 3));
            std::memcpy(f.data() + f.size() - length_field_from_end, &v, 4);
        }
        break;
    case pk_and_zeros:
        f.assign(pick(rng, 200), 0);
        if (f.size() >= 2) f[0] = 'P', f[1] = 'K';
        break;
    case paint_run: {
        if (f.empty()) break;
        const uint64_t at = pick(rng, f.size());
        const uint64_t n = std::min<uint64_t>(pick(rng, 600), f.size() - at);
        std::memset(f.data() + at, static_cast<int>(rng() & 0xFF), n);
        break;
    }
    case copy_range: {
        if (f.size() < 2) break;
        const uint64_t from = pick(rng, f.size());
        const uint64_t to = pick(rng, f.size());
        const uint64_t n = std::min<uint64_t>({pick(rng, 300), f.size() - from, f.size() - to});
        std::memmove(f.data() + to, f.data() + from, n);
        break;
    }
    }
}

// The decoder's promise for one input; false (with a line) when it is broken. `passed` tells
// whether the input also passed the sum test.
bool check_one(const bytes& input, long round, bool& passed) {
    tbyte_stream s(input);
    const bool ok = decode_stream(s);
    passed = ok && checksums_equal();
    if (ok) {
        uint32_t length = 0;
        std::memcpy(&length, input.data() + input.size() - length_field_from_end, 4);
        if (s.size() == length && s.position() == 0) return true;
        std::fprintf(stderr, "round %ld: decoded %zu bytes, the file says %u\n", round, s.size(), length);
        return false;
    }
    if (s.size() == 0 && !checksums_equal()) return true;
    std::fprintf(stderr, "round %ld: refused, yet the stream holds %zu bytes or the sums agree\n", round,
                 s.size());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <encoded file> [mutations] [seed]\n", argv[0]);
        return 2;
    }
    const auto original = read_file(argv[1]);
    if (!original) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const long mutations = argc > 2 ? std::atol(argv[2]) : default_mutations;
    const uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    std::mt19937_64 rng(seed);

    // The untouched file must decode and pass its sums, or the run tests nothing.
    tbyte_stream whole(*original);
    if (!decode_stream(whole) || !checksums_equal()) {
        std::fprintf(stderr, "%s is not a whole encoded file\n", argv[1]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    long accepted = 0, refused = 0;
    for (long round = 1; round <= mutations; ++round) {
        bytes f = *original;
        const uint64_t stacked = 1 + pick(rng, most_stacked_mutations);
        for (uint64_t k = 0; k < stacked; ++k)
            mutate(f, rng);
        bool passed = false;
        if (!check_one(f, round, passed)) return 1;
        ++(passed ? accepted : refused);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld mutations of %s in %.1f s: %ld passed the sums, %ld refused\n", mutations, argv[1],
                seconds, accepted, refused);
    return 0;
}
