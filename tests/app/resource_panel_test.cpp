#include <gtest/gtest.h>

#include "app/resource_panel.h"
#include "project/naming.h"
#include "support/fake_ports.h"

using namespace pondaro;

namespace {

std::vector<std::string> names(const Project& p, PanelCategory c, const std::vector<size_t>& rows) {
    std::vector<std::string> out;
    for (size_t i : rows) out.push_back(recordName(p, c, i));
    return out;
}

void addSprite(Project& p, const std::string& name, const std::string& keywords) {
    Sprite s;
    s.name = name;
    s.keywords = keywords;
    s.uid = p.nextIdentity();
    p.sprites.add(s);
}

} // namespace

TEST(PanelFilter, TwoWordsShowEveryRecordWithAKeywordContainingEitherInAnyCase) {
    Project p;
    addSprite(p, "a", "Hero, player");
    addSprite(p, "b", "enemy");
    addSprite(p, "c", "");
    addSprite(p, "d", "BOSS,Enemy");
    addSprite(p, "e", "superheroine");
    const auto all = shownRecords(p, PanelCategory::Sprites, "");
    EXPECT_EQ(all.size(), 5u);
    EXPECT_EQ(names(p, PanelCategory::Sprites, shownRecords(p, PanelCategory::Sprites, " hero ,boss")),
              (std::vector<std::string>{"a", "d", "e"}));
    // A record without keywords goes as soon as there is a filter.
    EXPECT_EQ(names(p, PanelCategory::Sprites, shownRecords(p, PanelCategory::Sprites, "e")),
              (std::vector<std::string>{"a", "b", "d", "e"}));
    // Only commas and blanks: no word, so nothing is filtered (and the page stays grey).
    EXPECT_EQ(shownRecords(p, PanelCategory::Sprites, " , ,").size(), 5u);
    EXPECT_EQ(pageBackground(" , "), (Rgba{200, 200, 200, 255}));
    EXPECT_EQ(pageBackground("x"), (Rgba{170, 170, 200, 255}));
    // An empty word left by a trailing comma does not bring back records without keywords.
    EXPECT_EQ(names(p, PanelCategory::Sprites, shownRecords(p, PanelCategory::Sprites, "boss,")),
              (std::vector<std::string>{"d"}));
}

TEST(PanelFilter, TheObjectsPageShowsTemplatesOnlyAndTheKeywordListIsDistinct) {
    Project p;
    createObject(p, "ground, solid");
    createObject(p, "Solid ,ground,wall");
    GameObject instance;
    instance.name = "SceneObject9";
    instance.keywords = "instance";
    p.objects.add(instance);
    EXPECT_EQ(shownRecords(p, PanelCategory::Objects, "").size(), 2u);
    EXPECT_EQ(keywordRows(p, PanelCategory::Objects),
              (std::vector<std::string>{"", "ground", "solid", "Solid", "wall"}));
    EXPECT_EQ(keywordRows(p, PanelCategory::Sounds), std::vector<std::string>{""});
    EXPECT_TRUE(shownRecords(p, PanelCategory::Sounds, "").empty());
}

TEST(PanelGrid, ColumnsFollowThePageWidth) {
    EXPECT_EQ(gridColumns(100), 1);
    EXPECT_EQ(gridColumns(319), 1);
    EXPECT_EQ(gridColumns(320), 2);
    EXPECT_EQ(gridColumns(479), 2);
    EXPECT_EQ(gridColumns(480), 3);
    EXPECT_EQ(gridColumns(790), 4);
    EXPECT_EQ(gridColumns(800), 5);
    // Every thumbnail of a row lies inside the page.
    for (int width : {320, 500, 790, 801, 1234, 1590}) {
        const int c = gridColumns(width);
        EXPECT_LE(thumbnailRect(c - 1, c).x + kThumbWidth, width) << width;
    }
}

TEST(PanelGrid, CellsLabelsAndHitTests) {
    const int columns = 4;
    EXPECT_EQ(thumbnailRect(0, columns), (Rect{10, 60, 150, 100}));
    EXPECT_EQ(thumbnailRect(5, columns), (Rect{170, 190, 150, 100}));
    EXPECT_EQ(labelRect(5, columns), (Rect{170, 295, 150, 20}));
    EXPECT_EQ(pageHeight(0, columns), 60);
    EXPECT_EQ(pageHeight(1, columns), 190);
    EXPECT_EQ(pageHeight(8, columns), 320);
    EXPECT_EQ(pageHeight(9, columns), 450);

    using Part = GridHit::Part;
    const int cells = 6;
    EXPECT_EQ(hitTest(10, 60, columns, cells), (GridHit{Part::Thumbnail, 0}));
    EXPECT_EQ(hitTest(159, 159, columns, cells), (GridHit{Part::Thumbnail, 0}));
    EXPECT_EQ(hitTest(160, 100, columns, cells), GridHit{});  // the gap between columns
    EXPECT_EQ(hitTest(100, 162, columns, cells), GridHit{});  // between thumbnail and label
    EXPECT_EQ(hitTest(100, 170, columns, cells), (GridHit{Part::Label, 0}));
    EXPECT_EQ(hitTest(180, 200, columns, cells), (GridHit{Part::Thumbnail, 5}));
    EXPECT_EQ(hitTest(340, 200, columns, cells), GridHit{});  // past the last cell
    EXPECT_EQ(hitTest(650, 70, columns, cells), GridHit{});   // past the last column
    EXPECT_EQ(hitTest(5, 70, columns, cells), GridHit{});
    EXPECT_EQ(hitTest(20, 40, columns, cells), GridHit{});    // the header
}

TEST(PanelGrid, VisibleCellsCoverEveryRowPartlyInView) {
    const int columns = 4, cells = 10000;
    CellRange r = visibleCells(0, 500, columns, cells);
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.last, 16);  // rows 0 to 3 (row 3 starts at 450)
    r = visibleCells(60 + 130 * 100 + 120, 60 + 130 * 102 + 10, columns, cells);
    EXPECT_EQ(r.first, 400);  // row 100 still shows its label
    EXPECT_EQ(r.last, 412);
    r = visibleCells(0, 100000000, columns, 7);
    EXPECT_EQ(r.last, 7);
    for (int cell = r.first; cell < r.last; ++cell) EXPECT_LT(thumbnailRect(cell, columns).y, 100000000);
}

TEST(PanelHeader, FixedPlacesOnAWidePageAndNothingCutOffOnANarrowOne) {
    HeaderLayout wide = headerLayout(1200, true);
    EXPECT_EQ(wide.filter, (Rect{400, 10, 300, 25}));
    EXPECT_EQ(wide.keywordList, (Rect{710, 10, 100, 25}));
    EXPECT_EQ(wide.resetOrder.x, 850);
    EXPECT_EQ(wide.descending.x, 910);
    EXPECT_EQ(wide.exportButton, (Rect{240, 10, 60, 25}));
    // The main window is never narrower than its minimum, which leaves 680 for a page.
    for (int width : {786, 700, 680}) {
        for (bool functions : {false, true}) {
            HeaderLayout h = headerLayout(width, functions);
            EXPECT_LE(h.descending.x + h.descending.width, width) << width;
            EXPECT_LE(h.filter.x + h.filter.width, h.keywordList.x) << width;
            EXPECT_LE(h.keywordList.x + h.keywordList.width, h.resetOrder.x) << width;
            if (functions) {
                EXPECT_GE(h.filter.x, h.importButton.x + h.importButton.width) << width;
            }
        }
    }
}

TEST(PanelSort, ButtonsSortTheTableAndSetTheProgramWideOrder) {
    TestStudio t;
    Project& p = t.studio.project;
    for (const char* n : {"beta", "Alpha", "gamma", "alpha"}) addSprite(p, n, "");
    sortCategory(t.studio, PanelCategory::Sprites, SortOrder::Ascending);
    EXPECT_EQ(t.studio.sortOrder, "ASC");
    EXPECT_EQ(names(p, PanelCategory::Sprites, shownRecords(p, PanelCategory::Sprites, "")),
              (std::vector<std::string>{"Alpha", "alpha", "beta", "gamma"}));
    EXPECT_EQ(p.sprites.find("beta"), 2u);  // the name index follows the new order
    sortCategory(t.studio, PanelCategory::Sprites, SortOrder::Descending);
    EXPECT_EQ(t.studio.sortOrder, "DESC");
    EXPECT_EQ(p.sprites[0].name, "gamma");
    sortCategory(t.studio, PanelCategory::Sprites, SortOrder::ByUid);
    EXPECT_EQ(t.studio.sortOrder, "");
    EXPECT_EQ(names(p, PanelCategory::Sprites, shownRecords(p, PanelCategory::Sprites, "")),
              (std::vector<std::string>{"beta", "Alpha", "gamma", "alpha"}));
}

TEST(PanelMenu, EachKindHasItsItemsAndDeleteAsksItsQuestion) {
    using A = PanelAction;
    EXPECT_EQ(resourceMenu(PanelCategory::Fonts), (std::vector<std::optional<A>>{A::Edit, std::nullopt, A::Delete}));
    EXPECT_EQ(resourceMenu(PanelCategory::Scenes),
              (std::vector<std::optional<A>>{A::Edit, std::nullopt, A::Duplicate, std::nullopt, A::Delete, std::nullopt,
                                             A::MoveBackward, A::MoveForward}));
    TestStudio t;
    Project& p = t.studio.project;
    const std::string scene = createScene(p);
    GameObject instance;
    instance.name = "SceneObject50";
    instance.scene = scene;
    p.objects.add(instance);
    p.clearModified();

    t.dialogs.yesNo = {false, true};
    EXPECT_FALSE(applyPanelAction(t.studio, PanelCategory::Scenes, scene, A::Delete).rebuild);
    EXPECT_EQ(p.scenes.size(), 1u);
    EXPECT_TRUE(applyPanelAction(t.studio, PanelCategory::Scenes, scene, A::Delete).rebuild);
    EXPECT_EQ(t.dialogs.shown.back(), (Shown{"Confirm", "Do you really want to delete this scene?"}));
    EXPECT_TRUE(p.scenes.empty());
    EXPECT_TRUE(p.objects.empty());  // the scene's instances went with it
    // The removal is an unsaved change: New and Open will ask before dropping it.
    EXPECT_TRUE(p.modified());
    EXPECT_TRUE(applyPanelAction(t.studio, PanelCategory::Sprites, "any", A::Edit).openEditor);
}

TEST(PanelMenu, DuplicateAndMovingScenes) {
    TestStudio t;
    Project& p = t.studio.project;
    const std::string object = createObject(p);
    EXPECT_TRUE(applyPanelAction(t.studio, PanelCategory::Objects, object, PanelAction::Duplicate).rebuild);
    EXPECT_TRUE(p.objects.contains(object + "_dup"));

    for (const char* n : {"one", "two", "three"}) {
        Scene s;
        s.name = n;
        p.scenes.add(s);
    }
    EXPECT_FALSE(moveScene(p, "one", -1));
    EXPECT_FALSE(moveScene(p, "three", +1));
    EXPECT_FALSE(moveScene(p, "none", +1));
    EXPECT_TRUE(applyPanelAction(t.studio, PanelCategory::Scenes, "one", PanelAction::MoveForward).rebuild);
    EXPECT_EQ(p.scenes[0].name, "two");
    EXPECT_EQ(p.scenes[1].name, "one");
    EXPECT_TRUE(moveScene(p, "three", -1));
    EXPECT_EQ(p.scenes[1].name, "three");
    EXPECT_EQ(p.scenes.find("one"), 2u);
}

TEST(PanelRecords, NewRecordsTakeThePageFilterAsKeywords) {
    TestStudio t;
    t.studio.panelFilters[size_t(PanelCategory::Musics)] = "loop, calm";
    const std::string name = addRecord(t.studio, PanelCategory::Musics);
    ASSERT_NE(t.studio.project.musics.get(name), nullptr);
    EXPECT_EQ(t.studio.project.musics.get(name)->keywords, "loop, calm");
    EXPECT_EQ(addRecord(t.studio, PanelCategory::Sprites).rfind("sprite_", 0), 0u);
}

TEST(PanelRecords, ObjectsShowTheirSpritesCardAndScenesTheirOwn) {
    TestStudio t;
    Project& p = t.studio.project;
    const PanelPictures pictures = PanelPictures::draw();
    addSprite(p, "hero", "");
    addSprite(p, "ghost", "");
    Image frame(4, 4);
    frame.fill({1, 2, 3, 255});
    p.frames.push_back({"0", "hero", frame});
    createObject(p);
    createObject(p);
    createObject(p);
    p.objects.edit(0, [&](auto& r) { r.sprite = "hero"; });
    p.objects.edit(1, [&](auto& r) { r.sprite = "nobody"; });
    p.objects.edit(2, [&](auto& r) { r.sprite = "ghost"; });
    const Image& heroCard = recordPicture(t.studio, PanelCategory::Sprites, 0, pictures);
    EXPECT_EQ(heroCard.pixel(75, 50), (Rgba{1, 2, 3, 255}));
    EXPECT_EQ(&recordPicture(t.studio, PanelCategory::Objects, 0, pictures), &heroCard);
    EXPECT_EQ(&recordPicture(t.studio, PanelCategory::Objects, 1, pictures), &pictures.object);
    EXPECT_EQ(&recordPicture(t.studio, PanelCategory::Objects, 2, pictures), &pictures.noImage);
    EXPECT_EQ(&recordPicture(t.studio, PanelCategory::Sprites, 1, pictures), &pictures.noImage);
    createScene(p);
    EXPECT_EQ(&recordPicture(t.studio, PanelCategory::Scenes, 0, pictures), &pictures.scene);
    p.scenes.edit(0, [&](auto& r) { r.preview = Image(150, 100); });
    EXPECT_EQ(&recordPicture(t.studio, PanelCategory::Scenes, 0, pictures), &p.scenes[0].preview);
}

TEST(PanelSort, ANewSceneOrderIsAChangeBecauseTheFirstSceneStartsTheGame) {
    TestStudio t;
    Project& p = t.studio.project;
    for (const char* n : {"b_level", "a_title"}) {
        Scene s;
        s.name = n;
        p.scenes.add(s);
    }
    p.clearModified();
    sortCategory(t.studio, PanelCategory::Scenes, SortOrder::Ascending);
    EXPECT_EQ(p.scenes[0].name, "a_title");
    EXPECT_TRUE(p.modified());
    p.clearModified();
    sortCategory(t.studio, PanelCategory::Scenes, SortOrder::Ascending);  // already in order
    EXPECT_FALSE(p.modified());
}
