#pragma once
// A 64-bit fingerprint of a sequence of numbers and texts, taken one value at a time,
// so that a writer can fingerprint what it would write without formatting any of it.
// Two sequences that differ anywhere (a value, a text's length, the order) almost surely
// get different fingerprints; it is not meant to hold against someone crafting a
// collision, which nobody editing their own game does. The mixing rounds are shared
// with the picture fingerprint (image/fingerprint.h).
#include <cstdint>
#include <cstring>
#include <string_view>

namespace pondaro {

namespace fingerprint_mix {

inline constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
inline constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
inline constexpr uint64_t kPrime3 = 0x165667B19E3779F9ull;
inline constexpr uint64_t kPrime4 = 0x85EBCA77C2B2AE63ull;

inline uint64_t rotate(uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }
// Spreads every bit of the word over the lane.
inline uint64_t round(uint64_t lane, uint64_t word) { return rotate(lane + word * kPrime2, 31) * kPrime1; }
// Takes one more word into a running value.
inline uint64_t take(uint64_t h, uint64_t word) { return rotate(h ^ round(0, word), 27) * kPrime1 + kPrime4; }
inline uint64_t word(const uint8_t* p) {
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}
// The last step: every bit of the running value reaches every bit of the result.
inline uint64_t finish(uint64_t h) {
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime3;
    return h ^ (h >> 32);
}

} // namespace fingerprint_mix

class RunningFingerprint {
public:
    void add(uint64_t number) { h_ = fingerprint_mix::take(h_, number); }
    // Numbers are taken as the 32 bits they are, so -1 and 4294967295 would meet; the
    // callers fingerprint one kind of number per place, never both.
    void add(int number) { add(uint64_t(uint32_t(number))); }
    // The length goes first, so that "ab" + "c" and "a" + "bc" differ.
    void add(std::string_view text) {
        add(uint64_t(text.size()) ^ fingerprint_mix::kPrime3);
        const auto* p = reinterpret_cast<const uint8_t*>(text.data());
        size_t left = text.size();
        for (; left >= 8; p += 8, left -= 8) add(fingerprint_mix::word(p));
        if (left) {
            uint64_t last = 0;
            std::memcpy(&last, p, left);
            add(last);
        }
    }
    uint64_t value() const { return fingerprint_mix::finish(h_); }

private:
    uint64_t h_ = fingerprint_mix::kPrime4;
};

} // namespace pondaro
