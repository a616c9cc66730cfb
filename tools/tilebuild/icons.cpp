// The builder's own pictures; see icons.h. Placeholders in the fragments: F the tinted gradient,
// D a darker and L a lighter tint of the colour, S steel, W wood, G gold, E glowing eyes.
#include "icons.h"

#include <cstdio>
#include <map>
#include <stdexcept>

namespace dravok::tilebuild {
namespace {

const std::map<std::string, std::string>& library() {
    static const std::map<std::string, std::string> icons = {
        // ---- creatures: the player's races, full figures so the hero stands out among heads ----
        {"human",
         R"(<path fill="D" d="M24 60 L26 40 L22 38 L20 24 Q32 19 44 24 L42 38 L38 40 L40 60 L34 60 L32 46 L30 60 Z"/>
            <path d="M20 24 Q32 19 44 24 L43 44 L21 44 Z"/><path fill="W" d="M21 41 L43 41 L43 45 L21 45 Z"/>
            <path fill="D" d="M20 25 L12 40 L15 42 L23 31 Z M44 25 L50 38 L47 40 L41 31 Z"/>
            <circle cx="32" cy="13" r="8" fill="L"/>
            <path fill="W" d="M24 13 Q23 4 32 4 Q41 4 40 13 Q37 8 32 9 Q27 8 24 13 Z"/>
            <path fill="S" d="M47 40 L56 6 L59 7 L50 41 Z"/><path fill="G" d="M43 38 L55 41 L54 44 L42 41 Z"/>)"},
        {"dwarf",
         R"(<path fill="D" d="M17 61 L19 47 L15 45 L13 29 Q32 23 51 29 L49 45 L45 47 L47 61 L36 61 L32 51 L28 61 Z"/>
            <path d="M13 29 Q32 23 51 29 L50 49 L14 49 Z"/>
            <path fill="D" d="M13 30 L5 45 L9 47 L17 37 Z"/>
            <circle cx="32" cy="21" r="9" fill="L"/>
            <path fill="S" d="M21 20 Q32 4 43 20 Z"/><path fill="S" d="M22 17 L13 7 L17 18 Z M42 17 L51 7 L47 18 Z"/>
            <path fill="W" d="M23 23 Q32 28 41 23 L39 42 L32 48 L25 42 Z"/>
            <path fill="W" d="M50 60 L56 14 L59 15 L53 61 Z"/>
            <path fill="S" d="M57 12 Q64 16 62 28 L57 24 Z M56 12 Q48 12 48 24 L55 22 Z"/>)"},
        {"elf",
         R"(<path fill="none" stroke="W" stroke-width="3" d="M13 6 Q1 32 13 58"/>
            <path fill="none" stroke="#d8d0b0" stroke-width="1" d="M13 6 L13 58"/>
            <path fill="D" d="M27 62 L28 42 L25 40 L24 24 Q32 20 40 24 L39 40 L36 42 L37 62 L33 62 L32 48 L31 62 Z"/>
            <path fill="G" d="M25 13 Q25 2 32 2 Q39 2 39 13 L41 28 L35 22 L29 22 L23 28 Z"/>
            <path d="M23 24 Q32 20 41 24 L45 46 L19 46 Z"/>
            <path fill="D" d="M41 25 L48 37 L45 39 L39 31 Z M23 25 L13 31 L15 34 L25 30 Z"/>
            <path fill="L" d="M26 11 L18 5 L26 15 Z M38 11 L46 5 L38 15 Z"/>
            <circle cx="32" cy="12" r="6.5" fill="L"/>)"},
        {"halfling",
         R"(<path fill="L" d="M19 61 Q19 56 27 56 L28 61 Z M45 61 Q45 56 37 56 L36 61 Z"/>
            <path fill="D" d="M25 58 L26 46 L23 44 L22 34 Q32 30 42 34 L41 44 L38 46 L39 58 L34 58 L32 50 L30 58 Z"/>
            <path d="M21 34 Q32 30 43 34 L43 50 L21 50 Z"/>
            <path fill="D" d="M21 35 L14 46 L17 48 L24 40 Z M43 35 L49 45 L46 47 L40 40 Z"/>
            <circle cx="32" cy="21" r="10" fill="L"/>
            <path fill="W" d="M21 19 Q20 7 32 7 Q44 7 43 19 Q40 13 36 14 Q33 11 30 14 Q26 12 21 19 Z"/>
            <path fill="S" d="M46 46 L55 28 L57 29 L49 47 Z"/><path fill="G" d="M43 44 L51 48 L50 50 L42 46 Z"/>)"},
        // ---- the family defaults of templates that name no picture ----
        {"humanoid",
         R"(<path fill="D" d="M22 60 L25 40 L21 38 L18 24 Q32 18 46 24 L43 38 L39 40 L42 60 L35 60 L32 46 L29 60 Z"/>
            <path d="M20 24 Q32 20 44 24 L42 42 L22 42 Z"/>
            <path fill="D" d="M20 25 L12 40 L15 42 L23 31 Z M44 25 L52 40 L49 42 L41 31 Z"/>
            <circle cx="32" cy="14" r="8"/>
            <path fill="S" d="M50 40 L58 12 L60 13 L53 41 Z"/>)"},
        // ---- items and the interface ----
        {"sword",
         R"(<path fill="S" d="M42 8 L56 8 L56 22 L28 48 L22 42 Z"/><path fill="none" stroke="#ffffff" stroke-opacity="0.5" stroke-width="1.5" d="M52 12 L27 39"/>
            <path fill="G" d="M14 40 L20 34 L30 44 L24 50 Z"/><path fill="F" d="M20 46 L10 56 L14 60 L24 50 Z"/><circle cx="9" cy="57" r="4" fill="G"/>)"},
        {"hammer",
         R"(<path fill="W" d="M10 58 L38 26 L42 30 L14 62 Z"/>
            <path fill="S" d="M30 14 L46 2 L60 18 L44 30 Z"/><path fill="F" d="M38 20 L46 14 L50 18 L42 24 Z"/>)"},
        {"bow",
         R"(<path fill="W" d="M14 8 Q58 14 56 58 L50 58 Q52 20 14 14 Z"/>
            <path fill="none" stroke="#d8d0b0" stroke-width="1.5" d="M15 11 L53 57"/>
            <path fill="F" d="M30 24 L40 34 L36 38 L26 28 Z"/>)"},
        {"arrow",
         R"(<path fill="W" d="M10 56 L48 18 L50 20 L12 58 Z"/><path fill="S" d="M46 12 L58 6 L52 18 Z"/>
            <path fill="F" d="M8 50 L16 48 L14 56 L6 58 Z M14 56 L16 48 L20 52 Z"/>)"},
        {"gem",
         R"(<path d="M18 14 L46 14 L58 28 L32 58 L6 28 Z"/><path fill="L" d="M18 14 L26 28 L6 28 Z M46 14 L38 28 L58 28 Z"/>
            <path fill="D" d="M26 28 L38 28 L32 58 Z"/>)"},
        {"essence",
         R"(<path d="M32 4 L38 24 L58 30 L38 36 L32 58 L26 36 L6 30 L26 24 Z" fill="L"/><circle cx="32" cy="30" r="8" fill="#fffff0"/>)"},
        {"star", R"(<path d="M32 4 L39 24 L60 24 L43 37 L49 58 L32 45 L15 58 L21 37 L4 24 L25 24 Z"/>)"},
        {"flame",
         R"(<path d="M32 62 Q8 58 12 36 Q14 26 22 20 Q22 32 28 32 Q22 16 36 2 Q36 18 46 26 Q56 36 52 48 Q48 62 32 62 Z"/>
            <path fill="#ffe070" d="M32 58 Q22 56 24 46 Q26 40 30 38 Q32 46 36 44 Q36 38 40 36 Q44 46 40 52 Q38 58 32 58 Z"/>)"},
        {"fist",
         R"(<path d="M14 28 Q14 18 22 18 L44 18 Q52 18 52 26 L52 42 Q50 56 36 58 L24 58 Q14 56 14 44 Z"/>
            <path fill="none" stroke-width="2" d="M22 18 L22 30 M30 18 L30 30 M38 18 L38 30 M44 18 L44 30 M14 34 L34 34 L36 44"/>)"},
        {"lightning", R"(<path d="M38 2 L14 36 L30 36 L22 62 L50 24 L34 24 L44 2 Z"/>)"},
        {"heart",
         R"(<path d="M32 58 Q4 38 6 20 Q8 6 20 6 Q28 6 32 16 Q36 6 44 6 Q56 6 58 20 Q60 38 32 58 Z"/><ellipse cx="20" cy="18" rx="5" ry="4" fill="#fff0f0" opacity="0.6" stroke="none"/>)"},
        {"skull",
         R"(<path d="M12 28 Q12 4 32 4 Q52 4 52 28 Q52 38 44 42 L44 54 L20 54 L20 42 Q12 38 12 28 Z" fill="L"/>
            <circle cx="24" cy="28" r="6" fill="#141414"/><circle cx="40" cy="28" r="6" fill="#141414"/><path fill="#141414" d="M32 36 L36 44 L28 44 Z"/>
            <path fill="none" stroke-width="2" d="M26 48 L26 54 M32 48 L32 54 M38 48 L38 54"/>)"},
        {"swirl",
         R"(<path fill="none" stroke="#141414" stroke-width="8" d="M32 32 m0 -4 a4 4 0 1 1 -4 4 a10 10 0 1 1 10 10 a16 16 0 1 1 -16 -16 a22 22 0 1 1 22 22"/>
            <path fill="none" stroke="F" stroke-width="4" d="M32 32 m0 -4 a4 4 0 1 1 -4 4 a10 10 0 1 1 10 10 a16 16 0 1 1 -16 -16 a22 22 0 1 1 22 22"/>)"},
        {"snowflake",
         R"(<g fill="none" stroke="#141414" stroke-width="7"><path d="M32 4 L32 60 M8 18 L56 46 M8 46 L56 18"/></g>
            <g fill="none" stroke="F" stroke-width="3.5"><path d="M32 4 L32 60 M8 18 L56 46 M8 46 L56 18 M26 8 L32 14 L38 8 M26 56 L32 50 L38 56"/></g>)"},
        {"drop",
         R"(<path d="M32 4 Q50 30 50 42 Q50 60 32 60 Q14 60 14 42 Q14 30 32 4 Z"/><ellipse cx="24" cy="42" rx="3" ry="7" fill="#f8f8ff" opacity="0.5" stroke="none"/>)"},
        {"waves",
         R"(<g fill="none" stroke="#141414" stroke-width="7"><path d="M20 12 Q34 32 20 52 M32 6 Q52 32 32 58 M44 2 Q66 32 44 62"/></g>
            <g fill="none" stroke="F" stroke-width="3.5"><path d="M20 12 Q34 32 20 52 M32 6 Q52 32 32 58 M44 2 Q66 32 44 62"/></g><circle cx="10" cy="32" r="6"/>)"},
        {"sun",
         R"(<path d="M32 2 L36 14 L47 6 L46 19 L59 17 L52 28 L62 35 L50 40 L55 52 L42 50 L38 62 L32 52 L26 62 L22 50 L9 52 L14 40 L2 35 L12 28 L5 17 L18 19 L17 6 L28 14 Z"/>
            <circle cx="32" cy="33" r="11" fill="#fff6c0"/>)"},
        {"brain",
         R"(<path d="M10 34 Q6 14 22 10 Q32 2 42 10 Q58 14 54 34 Q56 50 42 52 L36 60 L28 60 L22 52 Q8 50 10 34 Z"/>
            <path fill="none" stroke-width="2" d="M32 10 L32 50 M18 22 Q24 28 18 34 M46 22 Q40 28 46 34 M20 42 Q26 40 28 46 M44 42 Q38 40 36 46"/>)"},
        {"boot",
         R"(<path d="M16 4 L34 4 L34 38 L50 42 Q60 46 58 56 L12 56 Z"/><path fill="D" d="M12 52 L58 52 L58 60 L12 60 Z"/>
            <path fill="#f8f8ff" stroke="none" opacity="0.7" d="M4 16 L14 16 L14 19 L4 19 Z M2 26 L14 26 L14 29 L2 29 Z"/>)"},
        {"mask", R"(<path d="M4 22 Q32 10 60 22 Q60 44 44 46 Q36 46 32 38 Q28 46 20 46 Q4 44 4 22 Z"/>
            <path fill="#141414" d="M14 26 Q20 22 26 28 Q20 32 14 26 Z M50 26 Q44 22 38 28 Q44 32 50 26 Z"/>)"},
        {"magnifier",
         R"(<path fill="W" d="M38 40 L56 58 L60 54 L42 36 Z"/><circle cx="26" cy="26" r="18" fill="S"/><circle cx="26" cy="26" r="12" fill="L" opacity="0.8"/>)"},
        {"lockpick",
         R"(<path fill="G" d="M12 20 L34 20 L34 50 L12 50 Z"/><circle cx="23" cy="31" r="4" fill="#141414"/><path fill="#141414" d="M21 33 L25 33 L26 42 L20 42 Z"/>
            <path fill="S" d="M30 36 L58 14 L60 16 L34 40 Z"/>)"},
        {"dodge",
         R"(<g fill="none" stroke="#141414" stroke-width="7"><path d="M8 52 Q20 12 56 10 M14 58 Q30 26 58 24"/></g>
            <g fill="none" stroke="F" stroke-width="3.5"><path d="M8 52 Q20 12 56 10 M14 58 Q30 26 58 24"/></g>)"},
        {"level", R"(<path d="M32 4 L58 32 L44 32 L44 60 L20 60 L20 32 L6 32 Z"/>)"},
        {"check", R"(<path d="M6 34 L16 24 L26 36 L50 8 L60 18 L26 56 Z"/>)"},
        {"arrow_up", R"(<path d="M32 4 L58 34 L42 34 L42 60 L22 60 L22 34 L6 34 Z"/>)"},
        {"arrow_down", R"(<path d="M32 60 L58 30 L42 30 L42 4 L22 4 L22 30 L6 30 Z"/>)"},
        {"arrow_both",
         R"(<path d="M32 2 L52 22 L40 22 L40 42 L52 42 L32 62 L12 42 L24 42 L24 22 L12 22 Z"/>)"},
        {"dot", R"(<circle cx="32" cy="32" r="8"/>)"},

    };
    return icons;
}

std::string hex(rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", int(c.r * 255 + 0.5), int(c.g * 255 + 0.5),
                  int(c.b * 255 + 0.5));
    return buf;
}

void replace_token(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
        s.replace(at, from.size(), to);
}

} // namespace

std::vector<std::string> icon_names() {
    std::vector<std::string> names;
    for (const auto& [name, svg] : library())
        names.push_back(name);
    return names;
}

bool is_icon(const std::string& name) {
    return library().count(name) != 0;
}

timage render_icon(const std::string& name, rgb colour, int w_tiles, int h_tiles, double rotate_deg) {
    auto it = library().find(name);
    if (it == library().end()) throw std::runtime_error("unknown icon \"" + name + "\"");
    std::string body = it->second;
    const rgb light = mix(colour, rgb{1, 1, 1}, 0.45), dark = scale(colour, 0.55);
    // Placeholders are whole attribute values, so replace them in quotes only.
    replace_token(body, "\"F\"", "\"url(#g)\"");
    replace_token(body, "\"D\"", "\"" + hex(dark) + "\"");
    replace_token(body, "\"L\"", "\"" + hex(light) + "\"");
    replace_token(body, "\"S\"", "\"url(#steel)\"");
    replace_token(body, "\"W\"", "\"#7a5230\"");
    replace_token(body, "\"G\"", "\"#d8b030\"");
    replace_token(body, "\"E\"", "\"#ffe040\"");
    const int w = art_tile * w_tiles, h = art_tile * h_tiles;
    // A square figure in the middle of the footprint, a little inset so the outline shows.
    const double side = std::min(w, h) * 0.94;
    char frame[1024];
    std::snprintf(
        frame, sizeof frame,
        R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">)SVG"
        R"SVG(<defs><linearGradient id="g" x1="0" y1="0" x2="0.4" y2="1"><stop offset="0" stop-color="%s"/>)SVG"
        R"SVG(<stop offset="0.5" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>)SVG"
        R"SVG(<linearGradient id="steel" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#e4e8ee"/>)SVG"
        R"SVG(<stop offset="1" stop-color="#7a8290"/></linearGradient></defs>)SVG"
        R"SVG(<g transform="rotate(%g %d %d) translate(%g %g) scale(%g)" fill="url(#g)" stroke="#141414" stroke-width="2.2" stroke-linejoin="round" stroke-linecap="round">)SVG",
        w, h, w, h, hex(light).c_str(), hex(colour).c_str(), hex(dark).c_str(), rotate_deg, w / 2, h / 2,
        (w - side) / 2, (h - side) / 2, side / 64.0);
    return render_svg(std::string(frame) + body + "</g></svg>", w, h);
}

} // namespace dravok::tilebuild
