// pstring<N>: the short string of the game's records — a length byte and room for N
// characters (Windows-1252), cut when longer. Packed, so it can sit inside file records.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace dravok {

#pragma pack(push, 1)
template <std::size_t N> struct pstring {
    static_assert(N >= 1 && N <= 255, "a short string holds at most 255 characters");
    uint8_t len;
    char data[N];

    static constexpr std::size_t capacity = N;

    // The stored length, never trusted beyond the capacity (records come from files).
    std::size_t size() const { return std::min<std::size_t>(len, N); }
    bool empty() const { return size() == 0; }
    std::string_view view() const { return std::string_view(data, size()); }
    std::string str() const { return std::string(view()); }
    operator std::string() const { return str(); }

    void assign(std::string_view s) {
        len = static_cast<uint8_t>(std::min(s.size(), N));
        std::memcpy(data, s.data(), len);
        std::memset(data + len, 0, N - len);
    }
    pstring& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    void clear() { assign({}); }

    friend bool operator==(const pstring& a, std::string_view b) { return a.view() == b; }
};
#pragma pack(pop)

static_assert(sizeof(pstring<30>) == 31);

} // namespace dravok
