// dravok_dbbuild: compiles content/ into the game database.
// Usage: dravok_dbbuild <content folder> <output .dbs>
#include <cstdio>
#include <fstream>

#include "compiler.h"
#include "level_check.h"
#include "records/byte_stream.h"
#include "records/codec.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <content folder> <output .dbs>\n", argv[0]);
        return 2;
    }
    auto result = dravok::dbbuild::compile_content(argv[1]);
    for (const auto& w : result.warnings)
        std::fprintf(stderr, "%s\n", w.c_str());
    for (const auto& e : result.errors)
        std::fprintf(stderr, "error: %s\n", e.c_str());
    if (!result.errors.empty()) {
        std::fprintf(stderr, "%zu error(s): the database was not written\n", result.errors.size());
        return 1;
    }
    dravok::tbyte_stream stream(std::vector<uint8_t>(result.payload.begin(), result.payload.end()));
    dravok::encode_stream(stream);
    std::string tmp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(stream.data()), static_cast<std::streamsize>(stream.size()));
        if (!out) {
            std::fprintf(stderr, "error: could not write %s\n", tmp.c_str());
            return 1;
        }
    }
    // Content that loads but cannot be generated is refused as well.
    const auto unbuildable =
        dravok::dbbuild::check_levels_build(tmp, result, dravok::dbbuild::level_check_seeds);
    if (!unbuildable.empty()) {
        for (const auto& e : unbuildable)
            std::fprintf(stderr, "error: %s\n", e.c_str());
        std::fprintf(stderr, "%zu level(s) cannot be generated: the database was not written\n",
                     unbuildable.size());
        std::remove(tmp.c_str());
        return 1;
    }
    if (std::rename(tmp.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "error: could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
