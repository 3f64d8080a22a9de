#include "image/fingerprint.h"

#include "base/running_fingerprint.h"

namespace pondaro {

// Four independent lanes of multiply-rotate rounds, so the processor works on four
// words at once: a save fingerprints every frame of a project, and this must stay
// small beside encoding them. Each round spreads every input bit over its lane, and
// the lanes are mixed at the end, so any change of pixels changes the result with
// near certainty (not against someone crafting pictures to collide, which nobody
// editing their own game does).
uint64_t pictureFingerprint(const Image& picture) {
    using namespace fingerprint_mix;
    const uint8_t* p = picture.data();
    size_t left = picture.byteSize();
    // The size goes in too: a 2 x 8 and a 4 x 4 picture may hold the same bytes.
    uint64_t a = kPrime1 + kPrime2 + uint32_t(picture.width());
    uint64_t b = kPrime2 + (uint64_t(uint32_t(picture.height())) << 32);
    uint64_t c = 0, d = 0 - kPrime1;
    for (; left >= 32; p += 32, left -= 32) {
        a = round(a, word(p));
        b = round(b, word(p + 8));
        c = round(c, word(p + 16));
        d = round(d, word(p + 24));
    }
    uint64_t h = rotate(a, 1) + rotate(b, 7) + rotate(c, 12) + rotate(d, 18);
    for (uint64_t lane : {a, b, c, d}) h = (h ^ round(0, lane)) * kPrime1 + kPrime4;
    h += picture.byteSize();
    for (; left >= 8; p += 8, left -= 8) h = take(h, word(p));
    for (; left > 0; ++p, --left) h = rotate(h ^ (*p * kPrime3), 23) * kPrime2 + kPrime3;
    return finish(h);
}

} // namespace pondaro
