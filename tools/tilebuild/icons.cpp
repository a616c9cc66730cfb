// The icon silhouettes; see icons.h. Placeholders in the fragments: F the tinted gradient,
// D a darker and L a lighter tint of the colour, S steel, W wood, G gold, E glowing eyes.
#include "icons.h"

#include <cstdio>
#include <map>
#include <stdexcept>

namespace dravok::tilebuild {
namespace {

const std::map<std::string, std::string>& library() {
    static const std::map<std::string, std::string> icons = {
        // ---- creatures ----
        {"humanoid",
         R"(<path fill="D" d="M22 60 L25 40 L21 38 L18 24 Q32 18 46 24 L43 38 L39 40 L42 60 L35 60 L32 46 L29 60 Z"/>
            <path d="M20 24 Q32 20 44 24 L42 42 L22 42 Z"/>
            <path fill="D" d="M20 25 L12 40 L15 42 L23 31 Z M44 25 L52 40 L49 42 L41 31 Z"/>
            <circle cx="32" cy="14" r="8"/>
            <path fill="S" d="M50 40 L58 12 L60 13 L53 41 Z"/>)"},
        {"warrior",
         R"(<path fill="D" d="M22 60 L25 40 L21 38 L18 24 Q32 18 46 24 L43 38 L39 40 L42 60 L35 60 L32 46 L29 60 Z"/>
            <path d="M20 24 Q32 20 44 24 L42 42 L22 42 Z"/>
            <circle cx="32" cy="14" r="8" fill="L"/>
            <path fill="S" d="M24 12 Q32 2 40 12 L40 15 L24 15 Z"/>
            <path fill="S" d="M8 28 Q16 24 22 28 L22 44 Q15 52 8 44 Z"/>
            <path fill="S" d="M50 42 L57 10 L60 11 L54 43 Z"/><path fill="G" d="M47 40 L58 43 L57 46 L46 43 Z"/>)"},
        {"caster",
         R"(<path d="M32 18 L48 60 L16 60 Z"/>
            <path fill="D" d="M20 30 L10 42 L14 44 L24 36 Z"/>
            <circle cx="32" cy="17" r="7" fill="L"/>
            <path d="M20 14 L32 0 L44 14 Z"/>
            <path fill="W" d="M48 62 L52 16 L55 16 L51 62 Z"/><circle cx="53.5" cy="13" r="5" fill="E"/>)"},
        {"brute",
         R"(<path fill="D" d="M14 62 L18 42 L12 38 L10 20 Q32 10 54 20 L52 38 L46 42 L50 62 L38 62 L32 48 L26 62 Z"/>
            <path d="M10 20 Q32 12 54 20 L50 44 L14 44 Z"/>
            <circle cx="32" cy="12" r="9"/>
            <path fill="W" d="M52 48 L60 8 Q64 6 63 14 L56 50 Z"/>)"},
        {"beast",
         R"(<path d="M8 34 Q14 22 30 24 L44 22 L52 12 L56 16 L58 26 L54 32 L48 34 L46 46 L48 58 L42 58 L38 44 L24 44 L20 58 L14 58 L14 44 Q6 42 8 34 Z"/>
            <path fill="D" d="M8 34 L2 28 L4 26 L10 30 Z"/>
            <circle cx="53" cy="21" r="1.6" fill="E" stroke="none"/>)"},
        {"rodent",
         R"(<path d="M12 46 Q10 30 28 28 Q40 26 48 34 L56 36 L54 42 L46 44 Q40 50 26 50 Q16 52 12 46 Z"/>
            <path fill="none" d="M12 46 Q2 48 4 58"/>
            <circle cx="44" cy="30" r="4" fill="L"/>
            <circle cx="52" cy="37" r="1.4" fill="E" stroke="none"/>
            <path fill="D" d="M22 50 L20 56 L26 56 L28 50 Z M38 48 L38 56 L44 56 L42 46 Z"/>)"},
        {"winged",
         R"(<path d="M32 22 Q24 10 4 14 Q10 22 8 30 Q16 26 20 32 Q24 28 30 34 Z"/>
            <path d="M32 22 Q40 10 60 14 Q54 22 56 30 Q48 26 44 32 Q40 28 34 34 Z"/>
            <ellipse cx="32" cy="32" rx="6" ry="12" fill="D"/>
            <path fill="D" d="M27 22 L26 14 L30 19 Z M37 22 L38 14 L34 19 Z"/>
            <circle cx="30" cy="26" r="1.5" fill="E" stroke="none"/><circle cx="34" cy="26" r="1.5" fill="E" stroke="none"/>)"},
        {"insect",
         R"(<g fill="none"><path d="M24 30 L10 22 M24 36 L8 38 M26 42 L12 54 M40 30 L54 22 M40 36 L56 38 M38 42 L52 54 M28 14 L22 4 M36 14 L42 4"/></g>
            <ellipse cx="32" cy="46" rx="12" ry="14"/>
            <ellipse cx="32" cy="30" rx="8" ry="7" fill="D"/>
            <circle cx="32" cy="18" r="6"/>
            <path fill="none" stroke="#141414" stroke-width="1.5" d="M32 34 L32 58"/>)"},
        {"spider",
         R"(<g fill="none" stroke-width="3"><path d="M26 30 L14 16 L6 22 M26 34 L10 30 L4 40 M27 38 L12 46 L8 58 M29 40 L20 54 L22 62 M38 30 L50 16 L58 22 M38 34 L54 30 L60 40 M37 38 L52 46 L56 58 M35 40 L44 54 L42 62"/></g>
            <ellipse cx="32" cy="44" rx="11" ry="13"/>
            <circle cx="32" cy="28" r="8" fill="D"/>
            <circle cx="29" cy="26" r="1.5" fill="E" stroke="none"/><circle cx="35" cy="26" r="1.5" fill="E" stroke="none"/>)"},
        {"serpent",
         R"(<path d="M10 54 Q4 44 16 40 L40 36 Q50 34 46 26 Q42 18 30 20 L32 12 Q50 8 56 22 Q62 40 42 44 L20 48 Q14 50 18 54 L40 54 L40 60 L16 60 Q12 60 10 54 Z"/>
            <circle cx="32" cy="15" r="1.6" fill="E" stroke="none"/>
            <path fill="none" stroke="#C02020" stroke-width="1.5" d="M30 14 L24 12 M30 14 L25 17"/>)"},
        {"worm",
         R"(<path d="M6 50 Q12 36 24 42 Q34 48 40 36 Q46 22 58 28 L56 36 Q50 32 46 40 Q38 56 22 50 Q14 46 12 54 Z"/>
            <circle cx="56" cy="30" r="4" fill="D"/>)"},
        {"ooze",
         R"(<path d="M6 56 Q4 40 14 34 Q16 18 32 16 Q48 18 50 32 Q60 38 58 56 Z"/>
            <ellipse cx="26" cy="30" rx="5" ry="3" fill="L" stroke="none" opacity="0.7"/>
            <circle cx="26" cy="40" r="3" fill="E"/><circle cx="38" cy="40" r="3" fill="E"/>)"},
        {"cube",
         R"(<path d="M10 20 L42 20 L54 10 L22 10 Z" fill="L"/><path d="M42 20 L54 10 L54 44 L42 56 Z" fill="D"/>
            <path d="M10 20 L42 20 L42 56 L10 56 Z" opacity="0.85"/>
            <circle cx="22" cy="38" r="4" fill="#d8d0c0"/><path fill="#d8d0c0" d="M28 46 L34 42 L36 48 Z"/>)"},
        {"skeleton",
         R"(<path fill="none" stroke-width="4" d="M24 60 L28 40 M40 60 L36 40 M22 26 L12 42 M42 26 L52 42"/>
            <path fill="none" stroke-width="6" stroke="#141414" d="M32 24 L32 42"/>
            <path fill="none" stroke-width="3" stroke="L" d="M32 24 L32 42"/>
            <path fill="L" d="M22 26 Q32 22 42 26 L40 36 Q32 40 24 36 Z"/>
            <path fill="none" stroke-width="1.5" d="M24 30 L40 30 M25 34 L39 34"/>
            <path fill="L" d="M22 12 Q22 2 32 2 Q42 2 42 12 Q42 18 38 20 L38 24 L26 24 L26 20 Q22 18 22 12 Z"/>
            <circle cx="28" cy="12" r="3" fill="E"/><circle cx="36" cy="12" r="3" fill="E"/>)"},
        {"ghost",
         R"(<path d="M14 60 Q14 40 16 26 Q18 6 32 6 Q46 6 48 26 Q50 40 50 60 L44 54 L38 60 L32 54 L26 60 L20 54 Z" opacity="0.85"/>
            <path fill="D" d="M16 30 L6 40 L10 42 L18 36 Z M48 30 L58 40 L54 42 L46 36 Z"/>
            <ellipse cx="26" cy="22" rx="3" ry="5" fill="E"/><ellipse cx="38" cy="22" rx="3" ry="5" fill="E"/>
            <ellipse cx="32" cy="34" rx="4" ry="5" fill="#141414"/>)"},
        {"zombie",
         R"(<path fill="D" d="M22 60 L25 40 L21 38 L20 24 Q32 20 44 24 L43 38 L39 40 L42 60 L35 60 L32 46 L29 60 Z"/>
            <path d="M20 24 Q32 20 44 24 L42 42 L22 42 Z"/>
            <path d="M22 26 L56 26 L56 31 L24 33 Z M40 33 L58 34 L58 39 L40 40 Z"/>
            <circle cx="30" cy="14" r="8" fill="L"/>
            <circle cx="27" cy="13" r="1.8" fill="E" stroke="none"/><circle cx="33" cy="13" r="1.8" fill="E" stroke="none"/>)"},
        {"dragon",
         R"(<path fill="D" d="M30 30 Q18 6 2 10 Q10 18 8 26 Q16 24 20 32 Z"/>
            <path fill="D" d="M36 30 Q46 4 62 8 Q54 16 56 24 Q48 22 44 32 Z"/>
            <path d="M10 56 Q18 40 30 40 Q28 28 36 22 L44 14 L52 14 L56 20 L48 22 L44 30 Q50 44 44 54 L40 60 L34 60 L36 52 L26 52 L22 60 L16 60 L18 54 Q12 60 4 60 Z"/>
            <circle cx="48" cy="17" r="1.6" fill="E" stroke="none"/>
            <path fill="L" d="M44 14 L46 8 L48 14 Z"/>)"},
        {"eye",
         R"(<g fill="none" stroke-width="3"><path d="M22 20 Q16 8 10 6 M32 16 L32 4 M42 20 Q48 8 54 6 M18 28 Q8 24 4 16 M46 28 Q56 24 60 16"/></g>
            <circle cx="10" cy="6" r="3" fill="E"/><circle cx="32" cy="4" r="3" fill="E"/><circle cx="54" cy="6" r="3" fill="E"/>
            <circle cx="32" cy="38" r="20"/>
            <ellipse cx="32" cy="36" rx="10" ry="8" fill="#f4efe0"/><circle cx="32" cy="36" r="5" fill="E"/><circle cx="32" cy="36" r="2" fill="#141414" stroke="none"/>
            <path fill="#f4efe0" d="M22 50 L26 46 L30 50 L34 46 L38 50 L42 46 L42 52 L22 52 Z"/>)"},
        {"fungus",
         R"(<path fill="#e4dcc8" d="M26 60 L28 34 L36 34 L38 60 Z"/>
            <path d="M6 36 Q6 10 32 8 Q58 10 58 36 Q32 40 6 36 Z"/>
            <circle cx="20" cy="24" r="4" fill="L"/><circle cx="36" cy="18" r="3" fill="L"/><circle cx="46" cy="28" r="3.5" fill="L"/>)"},
        {"plant",
         R"(<path fill="W" d="M30 62 L28 40 L36 40 L34 62 Z"/>
            <path d="M32 42 Q8 40 6 22 Q22 18 32 34 Z M32 42 Q56 40 58 22 Q42 18 32 34 Z"/>
            <path d="M32 36 Q18 18 32 4 Q46 18 32 36 Z" fill="L"/>
            <circle cx="32" cy="20" r="4" fill="E"/>)"},
        {"golem",
         R"(<path fill="D" d="M18 62 L20 44 L28 44 L28 62 Z M36 62 L36 44 L44 44 L46 62 Z"/>
            <path d="M14 18 L50 18 L52 46 L12 46 Z"/>
            <path fill="D" d="M4 20 L14 20 L14 44 L6 48 Z M60 20 L50 20 L50 44 L58 48 Z"/>
            <path fill="L" d="M24 4 L40 4 L42 18 L22 18 Z"/>
            <path fill="E" d="M26 9 L30 9 L30 12 L26 12 Z M34 9 L38 9 L38 12 L34 12 Z"/>
            <path fill="none" stroke-width="1.5" d="M20 28 L30 26 L34 34 M44 24 L40 38"/>)"},
        {"elemental",
         R"(<path d="M32 62 Q10 60 12 40 Q14 28 22 22 Q20 34 28 34 Q22 20 34 2 Q36 18 44 24 Q52 32 50 44 Q50 60 32 62 Z"/>
            <path fill="L" d="M32 58 Q20 56 22 44 Q24 36 30 34 Q30 44 36 42 Q36 34 40 32 Q46 42 42 52 Q40 58 32 58 Z"/>
            <circle cx="28" cy="46" r="2" fill="E" stroke="none"/><circle cx="36" cy="46" r="2" fill="E" stroke="none"/>)"},
        {"demon",
         R"(<path fill="D" d="M22 30 Q6 16 2 30 Q10 32 10 40 Q16 36 22 40 Z M42 30 Q58 16 62 30 Q54 32 54 40 Q48 36 42 40 Z"/>
            <path fill="D" d="M22 60 L25 42 L21 40 L20 26 Q32 22 44 26 L43 40 L39 42 L42 60 L35 60 L32 48 L29 60 Z"/>
            <path d="M20 26 Q32 22 44 26 L42 44 L22 44 Z"/>
            <circle cx="32" cy="16" r="8"/>
            <path fill="L" d="M25 12 Q20 4 24 0 Q26 6 29 9 Z M39 12 Q44 4 40 0 Q38 6 35 9 Z"/>
            <circle cx="29" cy="16" r="1.6" fill="E" stroke="none"/><circle cx="35" cy="16" r="1.6" fill="E" stroke="none"/>)"},
        {"crab",
         R"(<g fill="none" stroke-width="3"><path d="M18 42 L6 50 M18 46 L10 58 M46 42 L58 50 M46 46 L54 58"/></g>
            <ellipse cx="32" cy="42" rx="18" ry="12"/>
            <path fill="D" d="M16 36 L10 22 Q2 18 4 10 L12 14 L10 6 Q20 8 16 22 L22 34 Z M48 36 L54 22 Q62 18 60 10 L52 14 L54 6 Q44 8 48 22 L42 34 Z"/>
            <circle cx="27" cy="34" r="2" fill="E"/><circle cx="37" cy="34" r="2" fill="E"/>)"},
        {"tentacled",
         R"(<g fill="none" stroke-width="4"><path d="M20 38 Q10 50 14 60 M26 40 Q22 52 26 62 M32 40 L32 62 M38 40 Q42 52 38 62 M44 38 Q54 50 50 60"/></g>
            <path d="M12 30 Q12 6 32 6 Q52 6 52 30 Q52 42 32 42 Q12 42 12 30 Z"/>
            <circle cx="24" cy="28" r="3.5" fill="E"/><circle cx="40" cy="28" r="3.5" fill="E"/>)"},
        {"frog",
         R"(<path d="M8 50 Q8 30 32 28 Q56 30 56 50 Q46 56 32 56 Q18 56 8 50 Z"/>
            <circle cx="20" cy="28" r="7" fill="L"/><circle cx="44" cy="28" r="7" fill="L"/>
            <circle cx="20" cy="28" r="3" fill="#141414" stroke="none"/><circle cx="44" cy="28" r="3" fill="#141414" stroke="none"/>
            <path fill="D" d="M6 52 L0 60 L14 58 Z M58 52 L64 60 L50 58 Z"/>)"},
        {"statue",
         R"(<path fill="D" d="M14 54 L50 54 L52 62 L12 62 Z"/>
            <path d="M22 54 L25 40 L21 38 L20 24 Q32 20 44 24 L43 38 L39 40 L42 54 Z"/>
            <path fill="D" d="M20 25 L14 40 L18 42 L23 31 Z M44 25 L50 40 L46 42 L41 31 Z"/>
            <circle cx="32" cy="14" r="8"/>)"},
        {"spectator", R"(<circle cx="32" cy="32" r="10" fill="L" opacity="0.5"/>)"},
        // ---- items ----
        {"sword",
         R"(<path fill="S" d="M42 8 L56 8 L56 22 L28 48 L22 42 Z"/><path fill="none" stroke="#ffffff" stroke-opacity="0.5" stroke-width="1.5" d="M52 12 L27 39"/>
            <path fill="G" d="M14 40 L20 34 L30 44 L24 50 Z"/><path fill="F" d="M20 46 L10 56 L14 60 L24 50 Z"/><circle cx="9" cy="57" r="4" fill="G"/>)"},
        {"dagger",
         R"(<path fill="S" d="M46 10 L54 10 L54 18 L34 38 L28 32 Z"/>
            <path fill="G" d="M22 32 L28 28 L36 36 L32 42 Z"/><path fill="F" d="M28 40 L16 52 L20 56 L32 44 Z"/>)"},
        {"axe",
         R"(<path fill="W" d="M12 58 L44 14 L48 18 L16 62 Z"/>
            <path fill="S" d="M36 8 Q50 0 60 14 Q58 30 46 30 L50 22 L40 16 Z"/>
            <path fill="F" d="M13 54 L18 57 L15 62 L10 59 Z"/>)"},
        {"mace",
         R"(<path fill="W" d="M10 58 L36 28 L40 32 L14 62 Z"/>
            <circle cx="44" cy="20" r="12" fill="S"/>
            <path fill="S" d="M44 2 L48 9 L40 9 Z M62 20 L55 24 L55 16 Z M44 38 L40 31 L48 31 Z M26 20 L33 16 L33 24 Z"/>
            <circle cx="44" cy="20" r="5" fill="F"/>)"},
        {"hammer",
         R"(<path fill="W" d="M10 58 L38 26 L42 30 L14 62 Z"/>
            <path fill="S" d="M30 14 L46 2 L60 18 L44 30 Z"/><path fill="F" d="M38 20 L46 14 L50 18 L42 24 Z"/>)"},
        {"flail",
         R"(<path fill="W" d="M8 60 L24 36 L28 39 L12 62 Z"/>
            <path fill="none" stroke="S" stroke-width="2.5" d="M26 36 Q30 22 40 20"/>
            <circle cx="46" cy="18" r="9" fill="S"/><path fill="S" d="M46 4 L49 10 L43 10 Z M60 18 L54 21 L54 15 Z M46 32 L43 26 L49 26 Z"/>)"},
        {"club",
         R"(<path fill="W" d="M8 56 L34 20 Q42 8 54 12 Q60 22 48 32 L14 60 Z"/>
            <circle cx="44" cy="20" r="2" fill="D"/><circle cx="50" cy="24" r="1.5" fill="D"/>)"},
        {"spear",
         R"(<path fill="W" d="M6 60 L46 18 L49 21 L9 62 Z"/>
            <path fill="S" d="M44 12 L60 4 L52 20 L48 22 L42 16 Z"/><path fill="F" d="M40 20 L46 26 L44 28 L38 22 Z"/>)"},
        {"polearm",
         R"(<path fill="W" d="M6 60 L44 20 L47 23 L9 62 Z"/>
            <path fill="S" d="M40 14 L54 2 L60 8 L50 20 Q58 28 50 34 Q44 26 40 26 Z"/>)"},
        {"staff",
         R"(<path fill="W" d="M10 60 L46 14 L50 18 L14 62 Z"/><circle cx="50" cy="12" r="8" fill="F"/>
            <circle cx="47" cy="9" r="2.5" fill="#f4f4ff" stroke="none"/>)"},
        {"whip",
         R"(<path fill="W" d="M8 58 L20 44 L24 48 L12 62 Z"/>
            <path fill="none" stroke="F" stroke-width="3" d="M22 46 Q44 40 46 24 Q48 10 58 8"/>)"},
        {"bow",
         R"(<path fill="W" d="M14 8 Q58 14 56 58 L50 58 Q52 20 14 14 Z"/>
            <path fill="none" stroke="#d8d0b0" stroke-width="1.5" d="M15 11 L53 57"/>
            <path fill="F" d="M30 24 L40 34 L36 38 L26 28 Z"/>)"},
        {"crossbow",
         R"(<path fill="W" d="M16 48 L44 20 L50 26 L22 54 Z"/>
            <path fill="S" d="M24 10 Q40 18 54 40 L50 44 Q38 24 20 14 Z"/>
            <path fill="none" stroke="#d8d0b0" stroke-width="1.5" d="M22 12 L52 42"/><path fill="F" d="M14 50 L20 56 L14 62 L8 56 Z"/>)"},
        {"sling",
         R"(<path fill="none" stroke="W" stroke-width="3" d="M10 10 Q20 40 32 46 M54 10 Q44 40 32 46"/>
            <ellipse cx="32" cy="48" rx="8" ry="5" fill="F"/><circle cx="32" cy="44" r="4" fill="S"/>)"},
        {"arrow",
         R"(<path fill="W" d="M10 56 L48 18 L50 20 L12 58 Z"/><path fill="S" d="M46 12 L58 6 L52 18 Z"/>
            <path fill="F" d="M8 50 L16 48 L14 56 L6 58 Z M14 56 L16 48 L20 52 Z"/>)"},
        {"bolt",
         R"(<path fill="W" d="M14 52 L44 22 L47 25 L17 55 Z"/><path fill="S" d="M42 16 L54 10 L48 22 Z"/>
            <path fill="F" d="M12 46 L20 46 L18 54 L10 54 Z"/>)"},
        {"bullet",
         R"(<circle cx="24" cy="36" r="8" fill="S"/><circle cx="40" cy="30" r="8" fill="S"/><circle cx="36" cy="46" r="8" fill="F"/>)"},
        {"dart",
         R"(<path fill="S" d="M12 52 L44 20 L47 23 L15 55 Z"/><path fill="S" d="M42 14 L56 8 L50 22 Z"/><path fill="F" d="M10 46 L18 50 L14 54 Z"/>)"},
        {"shield",
         R"(<path d="M10 10 Q32 2 54 10 Q56 44 32 60 Q8 44 10 10 Z"/>
            <path fill="G" d="M29 14 L35 14 L35 26 L46 26 L46 32 L35 32 L35 50 L29 50 L29 32 L18 32 L18 26 L29 26 Z"/>)"},
        {"armor",
         R"(<path d="M18 8 L26 6 Q32 14 38 6 L46 8 L56 18 L50 28 L46 24 L46 58 L18 58 L18 24 L14 28 L8 18 Z"/>
            <path fill="none" stroke-width="1.5" d="M18 36 L46 36 M18 46 L46 46 M32 14 L32 58"/>)"},
        {"robe",
         R"(<path d="M22 6 L42 6 L52 18 L46 24 L50 60 L14 60 L18 24 L12 18 Z"/>
            <path fill="G" d="M30 6 L34 6 L34 60 L30 60 Z"/><path fill="D" d="M22 30 L42 30 L42 34 L22 34 Z"/>)"},
        {"helmet",
         R"(<path d="M10 44 Q8 10 32 8 Q56 10 54 44 L44 44 L44 34 L20 34 L20 44 Z"/>
            <path fill="G" d="M30 8 L34 8 L34 34 L30 34 Z"/><path fill="D" d="M20 34 L44 34 L44 40 L20 40 Z"/>)"},
        {"cloak",
         R"(<path d="M24 6 Q32 12 40 6 L50 18 Q54 40 58 60 Q32 54 6 60 Q10 40 14 18 Z"/>
            <circle cx="32" cy="12" r="4" fill="G"/><path fill="none" stroke-width="1.5" d="M24 20 Q22 40 20 56 M40 20 Q42 40 44 56"/>)"},
        {"belt",
         R"(<path d="M4 26 Q32 20 60 26 L60 38 Q32 32 4 38 Z"/>
            <path fill="G" d="M24 22 L40 22 L40 40 L24 40 Z"/><path fill="F" d="M28 26 L36 26 L36 36 L28 36 Z"/>)"},
        {"boots",
         R"(<path d="M14 6 L30 6 L30 40 L44 44 Q52 48 50 56 L10 56 Z"/>
            <path fill="D" d="M10 52 L50 52 L50 58 L10 58 Z"/><path fill="D" d="M14 6 L30 6 L30 12 L14 12 Z"/>)"},
        {"bracers",
         R"(<path d="M10 18 L28 14 L30 50 L12 54 Z"/><path d="M36 14 L54 18 L52 54 L34 50 Z"/>
            <path fill="G" d="M12 28 L28 25 L29 30 L12 33 Z M36 25 L52 28 L52 33 L35 30 Z"/>)"},
        {"gauntlets",
         R"(<path d="M14 60 L14 40 L8 30 L12 26 L18 32 L18 12 L24 12 L24 28 L26 8 L32 8 L32 28 L34 10 L40 10 L40 30 L42 16 L48 16 L46 40 L42 60 Z" fill="S"/>
            <path d="M14 50 L44 50 L42 60 L14 60 Z"/>)"},
        {"ring",
         R"(<circle cx="32" cy="38" r="16" fill="none" stroke="#141414" stroke-width="9"/><circle cx="32" cy="38" r="16" fill="none" stroke="G" stroke-width="5"/>
            <path fill="F" d="M24 18 L32 8 L40 18 L32 26 Z"/>)"},
        {"amulet", R"(<path fill="none" stroke="G" stroke-width="2.5" d="M14 6 Q32 44 50 6"/>
            <path d="M32 30 L46 44 L32 60 L18 44 Z"/><circle cx="32" cy="44" r="4" fill="L"/>)"},
        {"lenses",
         R"(<circle cx="18" cy="36" r="10" fill="L" opacity="0.7"/><circle cx="46" cy="36" r="10" fill="L" opacity="0.7"/>
            <path fill="none" stroke-width="3" d="M28 34 Q32 30 36 34 M8 34 L2 26 M56 34 L62 26"/>)"},
        {"pick",
         R"(<path fill="W" d="M30 14 L34 14 L34 62 L30 62 Z"/><path fill="S" d="M4 20 Q32 0 60 20 Q32 10 4 20 Z"/>)"},
        {"book",
         R"(<path d="M12 8 L50 8 L50 56 L12 56 Z"/><path fill="#efe6cc" d="M50 12 L54 12 L54 60 L16 60 L16 56 L50 56 Z"/>
            <path fill="G" d="M24 20 L40 20 L40 24 L24 24 Z M28 30 L36 30 L36 42 L28 42 Z"/>)"},
        {"food", R"(<path fill="#c8843c" d="M8 40 Q8 20 32 18 Q56 20 56 40 Q56 50 32 50 Q8 50 8 40 Z"/>
            <path fill="none" stroke="#7a4a1a" stroke-width="2" d="M20 28 L26 36 M32 26 L36 34 M44 28 L46 36"/>)"},
        {"meat", R"(<path d="M10 36 Q10 14 32 14 Q50 16 50 34 Q50 48 32 50 L24 52 Q12 50 10 36 Z"/>
            <path fill="#efe6cc" d="M46 40 L58 52 L62 50 L62 58 L54 58 L56 54 L44 44 Z"/>)"},
        {"orb",
         R"(<circle cx="32" cy="30" r="20"/><circle cx="25" cy="23" r="6" fill="#f8f8ff" stroke="none" opacity="0.7"/>
            <path fill="G" d="M18 50 L46 50 L50 60 L14 60 Z"/>)"},
        {"potion",
         R"(<path d="M26 6 L38 6 L38 20 Q54 28 52 44 Q50 60 32 60 Q14 60 12 44 Q10 28 26 20 Z" fill="#cfd8e0" opacity="0.9"/>
            <path d="M14 40 Q32 34 50 40 Q50 58 32 58 Q14 58 14 40 Z"/>
            <path fill="W" d="M25 2 L39 2 L39 8 L25 8 Z"/><ellipse cx="22" cy="44" rx="3" ry="6" fill="#f8f8ff" stroke="none" opacity="0.6"/>)"},
        {"scroll", R"(<path fill="#eadcb4" d="M14 12 L50 12 L50 52 L14 52 Z"/>
            <path d="M10 8 L54 8 Q58 12 54 16 L10 16 Q6 12 10 8 Z M10 48 L54 48 Q58 52 54 56 L10 56 Q6 52 10 48 Z"/>
            <path fill="none" stroke="#6a5030" stroke-width="1.5" d="M20 24 L44 24 M20 30 L40 30 M20 36 L44 36 M20 42 L36 42"/>)"},
        {"wand",
         R"(<path fill="W" d="M10 58 L46 16 L50 20 L14 62 Z"/><path fill="F" d="M44 14 L50 8 L56 14 L50 20 Z"/>
            <path fill="E" stroke="none" d="M56 4 L58 8 L62 9 L58 10 L56 14 L54 10 L50 9 L54 8 Z"/>)"},
        {"horn", R"(<path d="M6 20 Q8 48 40 52 Q52 52 58 44 L50 34 Q44 42 36 40 Q16 36 12 18 Z"/>
            <path fill="G" d="M48 36 L58 44 L54 48 L44 40 Z M6 18 L14 16 L14 22 L8 24 Z"/>)"},
        {"figurine", R"(<path fill="G" d="M18 52 L46 52 L48 60 L16 60 Z"/>
            <path d="M14 46 Q14 34 24 30 L34 28 L40 18 L46 20 L46 30 L44 46 Z"/><circle cx="44" cy="22" r="1.5" fill="E" stroke="none"/>)"},
        {"lantern",
         R"(<path fill="S" d="M24 4 Q32 0 40 4 L40 10 L24 10 Z"/><path d="M20 10 L44 10 L46 54 L18 54 Z" fill="#ffd860"/>
            <path fill="none" stroke-width="2" d="M26 12 L26 52 M38 12 L38 52"/><path fill="S" d="M16 52 L48 52 L48 60 L16 60 Z"/>)"},
        {"key",
         R"(<circle cx="20" cy="20" r="12" fill="G"/><circle cx="20" cy="20" r="5" fill="#141414" stroke="none"/>
            <path fill="G" d="M26 26 L54 54 L50 58 L44 52 L40 56 L36 52 L40 48 L22 30 Z"/>)"},
        {"trap", R"(<path fill="S" d="M6 40 Q32 52 58 40 L58 46 Q32 58 6 46 Z"/>
            <path fill="S" d="M8 40 L14 18 L20 38 L26 16 L32 38 L38 16 L44 38 L50 18 L56 40 Z"/><circle cx="32" cy="44" r="4" fill="F"/>)"},
        {"coin",
         R"(<ellipse cx="26" cy="42" rx="16" ry="8" fill="G"/><ellipse cx="26" cy="38" rx="16" ry="8" fill="G"/>
            <ellipse cx="40" cy="28" rx="16" ry="8" fill="G"/><ellipse cx="40" cy="24" rx="16" ry="8" fill="G"/>
            <ellipse cx="40" cy="24" rx="9" ry="4" fill="none" stroke="#8a6a10" stroke-width="1.5"/>)"},
        {"gem",
         R"(<path d="M18 14 L46 14 L58 28 L32 58 L6 28 Z"/><path fill="L" d="M18 14 L26 28 L6 28 Z M46 14 L38 28 L58 28 Z"/>
            <path fill="D" d="M26 28 L38 28 L32 58 Z"/>)"},
        {"corpse",
         R"(<path d="M6 44 Q8 34 20 34 L48 32 Q58 34 58 44 Q56 52 44 52 L18 52 Q6 52 6 44 Z" fill="D"/>
            <circle cx="14" cy="40" r="7" fill="L"/><path fill="none" stroke-width="1.5" d="M26 40 L50 40"/>)"},
        {"bones", R"(<path fill="#e8e0cc" d="M12 18 L46 52 L50 48 L16 14 Z M48 16 L14 50 L18 54 L52 20 Z"/>
            <circle cx="12" cy="14" r="4" fill="#e8e0cc"/><circle cx="18" cy="10" r="4" fill="#e8e0cc"/>
            <circle cx="52" cy="14" r="4" fill="#e8e0cc"/><circle cx="46" cy="10" r="4" fill="#e8e0cc"/>
            <path fill="#e8e0cc" d="M22 40 Q22 28 32 28 Q42 28 42 40 L38 44 L26 44 Z"/>)"},
        {"essence",
         R"(<path d="M32 4 L38 24 L58 30 L38 36 L32 58 L26 36 L6 30 L26 24 Z" fill="L"/><circle cx="32" cy="30" r="8" fill="#fffff0"/>)"},
        {"tool",
         R"(<path fill="W" d="M10 56 L40 26 L44 30 L14 60 Z"/><path fill="S" d="M36 8 Q52 6 56 22 L48 22 L42 16 L42 26 L34 26 Q30 14 36 8 Z"/>)"},
        {"trapkit",
         R"(<path fill="W" d="M8 24 L56 24 L56 56 L8 56 Z"/><path fill="S" d="M8 24 L56 24 L50 14 L14 14 Z"/>
            <path fill="S" d="M18 40 L24 30 L30 40 L36 30 L42 40 L46 34 L46 46 L18 46 Z"/>)"},
        // ---- talents and interface ----
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
        {"eye_open",
         R"(<path d="M2 32 Q32 2 62 32 Q32 62 2 32 Z" fill="#f4efe0"/><circle cx="32" cy="32" r="12"/><circle cx="32" cy="32" r="5" fill="#141414"/>)"},
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
