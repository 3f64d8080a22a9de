// A picture's fingerprint tells apart pictures that differ anywhere: a save leaves a
// frame's file alone when its fingerprint is unchanged.
#include <set>

#include <gtest/gtest.h>

#include "image/fingerprint.h"
#include "image/image_test_util.h"

using namespace pondaro;
using namespace pondaro::testing;

TEST(PictureFingerprint, AChangeOfAnyByteOrOfTheShapeGivesAnotherFingerprint) {
    // 9 x 3 pixels: 108 bytes, so whole stripes, single words and a last part shorter
    // than a word are all taken in.
    const Image picture = patterned(9, 3);
    std::set<uint64_t> seen{pictureFingerprint(picture)};
    for (size_t i = 0; i < picture.byteSize(); ++i)
        for (uint8_t bit : {uint8_t(1), uint8_t(0x80)}) {
            Image changed = picture;
            changed.data()[i] ^= bit;
            EXPECT_TRUE(seen.insert(pictureFingerprint(changed)).second) << "byte " << i;
        }
    // The same bytes in another shape.
    Image reshaped(3, 9);
    std::copy(picture.data(), picture.data() + picture.byteSize(), reshaped.data());
    EXPECT_TRUE(seen.insert(pictureFingerprint(reshaped)).second);
    EXPECT_EQ(pictureFingerprint(picture), pictureFingerprint(Image(picture)));
}
