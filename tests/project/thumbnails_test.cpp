// The thumbnail cards that sprites and backgrounds carry for the resource panel.
#include <gtest/gtest.h>

#include "base/files.h"
#include "image/artwork.h"
#include "image/codecs.h"
#include "project/project_file.h"
#include "project/thumbnails.h"
#include "support/temp_folder.h"

using namespace pondaro;

namespace {

Image filled(int w, int h, Rgba c) {
    Image img(w, h);
    img.fill(c);
    return img;
}

} // namespace

TEST(Thumbnails, RefreshGivesSpritesAndBackgroundsTheirCards) {
    TempFolder root;
    Project p;
    p.name = "game";
    for (const char* name : {"withframes", "empty"}) {
        Sprite s;
        s.name = name;
        p.sprites.add(s);
    }
    p.frames.push_back({"0", "withframes", filled(10, 10, {0, 255, 0, 255})});
    p.frames.push_back({"1", "withframes", filled(10, 10, {255, 0, 0, 255})});
    Background inMemory, onDisk, missing, none;
    inMemory.name = "mem";
    inMemory.file = "mem.png";
    inMemory.picture = std::make_shared<const Image>(filled(8, 8, {1, 1, 250, 255}));
    onDisk.name = "disk";
    onDisk.file = "disk.png";
    missing.name = "missing";
    missing.file = "gone.png";
    none.name = "none";
    for (auto* b : {&inMemory, &onDisk, &missing, &none}) p.backgrounds.add(*b);
    ASSERT_TRUE(ensureDirectory(projectsFolder(root.path()) / "game" / "img"));
    ASSERT_TRUE(savePng(filled(8, 4, {250, 250, 0, 255}), projectsFolder(root.path()) / "game" / "img" / "disk.png"));

    refreshThumbnails(p, root.path());
    EXPECT_EQ(p.sprites[0].preview.pixel(60, 40), (Rgba{0, 255, 0, 255}));  // the first frame
    EXPECT_EQ(p.sprites[1].preview, noImageCard());
    EXPECT_EQ(p.backgrounds[0].preview.pixel(50, 25), (Rgba{1, 1, 250, 255}));
    EXPECT_EQ(p.backgrounds[1].preview.pixel(50, 25), (Rgba{250, 250, 0, 255}));
    EXPECT_EQ(p.backgrounds[2].preview, noImageCard());
    EXPECT_TRUE(p.backgrounds[3].preview.empty());
}
