#include "platform/fonts.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>

#include "platform/files.h"
#include "platform/text_encoding.h"

namespace dravok {

namespace {

struct Family {
    const char* name;
    const char* regular;
    const char* bold;
    const char* system_folder;
};

constexpr Family dejavu_sans{"DejaVu Sans", "DejaVuSans.ttf", "DejaVuSans-Bold.ttf",
                             "/usr/share/fonts/truetype/dejavu/"};
constexpr Family dejavu_serif{"DejaVu Serif", "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf",
                              "/usr/share/fonts/truetype/dejavu/"};
constexpr Family liberation_narrow{"Liberation Sans Narrow", "LiberationSansNarrow-Regular.ttf",
                                   "LiberationSansNarrow-Bold.ttf", "/usr/share/fonts/truetype/liberation/"};

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

const Family& family_of(std::string_view game_font) {
    std::string n = lower(game_font);
    if (n == "georgia" || n == "dejavu serif") return dejavu_serif;
    if (n == "arial narrow" || n == "liberation sans narrow") return liberation_narrow;
    return dejavu_sans;
}

std::string fc_match(const Family& f, bool bold) {
    std::string cmd =
        std::string("fc-match -f '%{file}' '") + f.name + (bold ? ":bold'" : "'") + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return {};
    char buf[1024];
    std::string out;
    while (std::fgets(buf, sizeof buf, p))
        out += buf;
    pclose(p);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

struct CacheKey {
    const Family* family;
    int height;
    bool bold;
    bool operator<(const CacheKey& o) const {
        return std::tie(family, height, bold) < std::tie(o.family, o.height, o.bold);
    }
};

std::map<CacheKey, TTF_Font*>& cache() {
    static std::map<CacheKey, TTF_Font*> c;
    return c;
}

std::map<std::pair<const Family*, bool>, std::string>& path_cache() {
    static std::map<std::pair<const Family*, bool>, std::string> c;
    return c;
}

// Rendered texts by font, colour and text. Emptied whole when it grows past its limit: frames
// repeat a small set of texts, so the cache refills at once with what is still in use.
constexpr std::size_t text_cache_limit = 4096;

std::unordered_map<std::string, SDL_Surface*>& text_cache() {
    static std::unordered_map<std::string, SDL_Surface*> c;
    return c;
}

std::unordered_map<std::string, TextSize>& extent_cache() {
    static std::unordered_map<std::string, TextSize> c;
    return c;
}

void clear_text_cache() {
    for (auto& [key, surface] : text_cache())
        SDL_FreeSurface(surface);
    text_cache().clear();
    extent_cache().clear();
}

std::string cache_key(TTF_Font* font, Colour colour, std::string_view text) {
    std::string key(sizeof font + sizeof colour + text.size(), '\0');
    std::memcpy(key.data(), &font, sizeof font);
    std::memcpy(key.data() + sizeof font, &colour, sizeof colour);
    std::memcpy(key.data() + sizeof font + sizeof colour, text.data(), text.size());
    return key;
}

} // namespace

SDL_Surface* render_text_cached(TTF_Font* font, Colour colour, std::string_view text) {
    if (!font || text.empty()) return nullptr;
    std::string key = cache_key(font, colour, text);
    auto& cache = text_cache();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() >= text_cache_limit) clear_text_cache();
    std::string utf8 = cp1252_to_utf8(text);
    SDL_Color fg{static_cast<Uint8>(red_of(colour)), static_cast<Uint8>(green_of(colour)),
                 static_cast<Uint8>(blue_of(colour)), 255};
    SDL_Surface* s = TTF_RenderUTF8_Blended(font, utf8.c_str(), fg);
    if (!s) return nullptr;
    SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
    cache.emplace(std::move(key), s);
    return s;
}

TextSize measure_text_cached(TTF_Font* font, std::string_view text) {
    if (!font) return TextSize{};
    if (text.empty()) return TextSize{0, TTF_FontHeight(font)};
    std::string key = cache_key(font, 0, text);
    auto& cache = extent_cache();
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() >= text_cache_limit * 4) cache.clear();
    int w = 0, h = 0;
    if (TTF_SizeUTF8(font, cp1252_to_utf8(text).c_str(), &w, &h) != 0) return TextSize{};
    TextSize size{w, h};
    cache.emplace(std::move(key), size);
    return size;
}

int FontSpec::points_to_pixels(int points) {
    return (points * 96 + 36) / 72;
}

std::string font_family_for(std::string_view game_font) {
    return family_of(game_font).name;
}

std::string font_file_for(std::string_view game_font, bool bold) {
    const Family& f = family_of(game_font);
    auto key = std::make_pair(&f, bold);
    auto it = path_cache().find(key);
    if (it != path_cache().end()) return it->second;

    const char* file = bold ? f.bold : f.regular;
    std::string found;
    std::string beside = program_folder();
    for (const std::string& folder :
         {beside + "Data/fonts/", beside + "Data/", std::string(f.system_folder)}) {
        if (file_exists(folder + file)) {
            found = folder + file;
            break;
        }
    }
    if (found.empty()) {
        std::string m = fc_match(f, bold);
        if (!m.empty() && file_exists(m)) found = m;
    }
    path_cache()[key] = found;
    return found;
}

TTF_Font* open_cached_font(std::string_view game_font, int height, bool bold) {
    if (height < 0) height = -height;
    if (height < 1) height = 1;
    const Family& f = family_of(game_font);
    CacheKey key{&f, height, bold};
    auto it = cache().find(key);
    if (it != cache().end()) return it->second;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    std::string path = font_file_for(game_font, bold);
    TTF_Font* font = nullptr;
    if (!path.empty()) font = TTF_OpenFont(path.c_str(), height);
    if (!font && bold) {
        // A family without a bold file still draws, emboldened by the rasteriser.
        path = font_file_for(game_font, false);
        if (!path.empty()) font = TTF_OpenFont(path.c_str(), height);
        if (font) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    }
    if (font) TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
    cache()[key] = font;
    return font;
}

void clear_font_cache() {
    clear_text_cache();
    for (auto& [key, font] : cache())
        if (font) TTF_CloseFont(font);
    cache().clear();
}

} // namespace dravok
