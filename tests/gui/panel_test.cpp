#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "app/ui/game_page.h"
#include "app/ui/resource_page.h"
#include "app/file_commands.h"
#include "expectations.h"
#include "gui_support.h"
#include "large_project.h"
#include "project/naming.h"
#include "ui/icon_button.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

std::vector<std::string> shownNames(ui::ResourcePage* page, const Project& p) {
    std::vector<std::string> names;
    for (size_t i : page->canvas()->shown()) names.push_back(recordName(p, page->category(), i));
    return names;
}

// Four sprites with keywords, in this order.
void addSprites(Project& p) {
    for (const char* keywords : {"Hero, player", "enemy", "", "BOSS,Enemy"}) {
        std::string name = createSprite(p);
        p.sprites.edit(p.sprites.find(name), [&](auto& r) { r.keywords = keywords; });
    }
}

} // namespace

TEST(ResourcePanel, TheFilterOfTwoKeywordsAndTheKeywordList) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    Project& p = s.studio.project;
    addSprites(p);
    f->rebuildPanel();
    ui::ResourcePage* page = f->page(PanelCategory::Sprites);
    EXPECT_EQ(page->canvas()->shown().size(), 4u);

    page->filterField()->SetValue("hero, boss");
    pump();
    EXPECT_EQ(shownNames(page, p), (std::vector<std::string>{p.sprites[0].name, p.sprites[3].name}));
    EXPECT_EQ(s.studio.panelFilters[0], "hero, boss");

    wxChoice* keywords = page->keywordList();
    ASSERT_EQ(keywords->GetCount(), 6u);
    EXPECT_EQ(keywords->GetString(0), "");
    EXPECT_EQ(keywords->GetString(1), "Hero");
    EXPECT_EQ(keywords->GetString(5), "Enemy");
    // Choosing a keyword puts it into the filter.
    keywords->SetSelection(3);
    wxCommandEvent choose(wxEVT_CHOICE, keywords->GetId());
    choose.SetEventObject(keywords);
    choose.SetInt(3);
    keywords->GetEventHandler()->ProcessEvent(choose);
    pump();
    EXPECT_EQ(page->filterField()->GetValue(), "enemy");
    EXPECT_EQ(shownNames(page, p), (std::vector<std::string>{p.sprites[1].name, p.sprites[3].name}));
    EXPECT_EQ(keywords->GetStringSelection(), "enemy");
    // A new sprite made from the page takes the filter as its keywords.
    f->runCommand(Command::AddSprite);
    EXPECT_EQ(p.sprites[4].keywords, "enemy");
    EXPECT_EQ(page->canvas()->shown().size(), 3u);
}

TEST(ResourcePanel, SortButtonsOrderTheTableAndSetTheSortOrder) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    Project& p = s.studio.project;
    for (const char* name : {"beta", "alpha", "gamma"}) {
        std::string made = createObject(p);
        p.objects.rename(p.objects.find(made), name);
    }
    f->rebuildPanel();
    ui::ResourcePage* page = f->page(PanelCategory::Objects);
    page->sortButton(2)->click();
    EXPECT_EQ(s.studio.sortOrder, "DESC");
    EXPECT_EQ(shownNames(page, p), (std::vector<std::string>{"gamma", "beta", "alpha"}));
    page->sortButton(1)->click();
    EXPECT_EQ(s.studio.sortOrder, "ASC");
    EXPECT_EQ(shownNames(page, p), (std::vector<std::string>{"alpha", "beta", "gamma"}));
    page->sortButton(0)->click();
    EXPECT_EQ(s.studio.sortOrder, "");
    EXPECT_EQ(shownNames(page, p), (std::vector<std::string>{"beta", "alpha", "gamma"}));
}

TEST(ResourcePanel, AnEmptyCategoryShowsOnlyTheAddTileWhichAddsARecord) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    ui::ResourceCanvas* canvas = f->page(PanelCategory::Sounds)->canvas();
    EXPECT_EQ(canvas->cellCount(), 1);
    EXPECT_TRUE(canvas->shown().empty());
    // Clicking beside the tile does nothing; the tile adds a sound and opens its window.
    canvas->clickAt(200, 70, false);
    EXPECT_TRUE(s.studio.project.sounds.empty());
    canvas->clickAt(20, 70, false);
    ASSERT_EQ(s.studio.project.sounds.size(), 1u);
    EXPECT_EQ(canvas->shown().size(), 1u);
    EXPECT_EQ(canvas->selected(), s.studio.project.sounds[0].name);
    // Its name label does nothing when clicked.
    canvas->clickAt(20, 60 + 110, false);
    EXPECT_EQ(s.studio.project.sounds.size(), 1u);
}

TEST(ResourcePanel, TheGameTabMirrorsAdvancedScriptingModeAndAChangeIsAnUnsavedChange) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    ui::GamePage* game = f->gamePage();
    EXPECT_EQ(game->advancedMode()->GetPosition(), wxPoint(20, 250));
    game->advancedMode()->SetValue(true);
    wxCommandEvent tick(wxEVT_CHECKBOX, game->advancedMode()->GetId());
    tick.SetEventObject(game->advancedMode());
    tick.SetInt(1);
    game->advancedMode()->GetEventHandler()->ProcessEvent(tick);
    EXPECT_EQ(s.studio.project.game.advancedscriptmode, 1);
    EXPECT_TRUE(s.studio.project.modified());
    s.studio.project.game.advancedscriptmode = 0;
    f->rebuildPanel();
    EXPECT_FALSE(game->advancedMode()->GetValue());
    // The extensions picture needs a named project.
    wxTEST_DIALOG(game->picture(3)->click(), ExpectMessage("Message", "Please save your project."));
    game->picture(0)->click();  // no window wired in this studio: nothing opens, nothing is asked
}

TEST(ResourcePanel, TenThousandRecordsAreOnePaintedCanvasWithoutAWindowEach) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    Project& p = s.studio.project;
    p.sprites.reserve(10000);
    for (int i = 0; i < 10000; ++i) createSprite(p, i % 2 ? "odd" : "even");
    const auto started = std::chrono::steady_clock::now();
    f->rebuildPanel();
    ui::ResourceCanvas* canvas = f->page(PanelCategory::Sprites)->canvas();
    canvas->Refresh();
    canvas->Update();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    std::printf("panel rebuild and paint with 10,000 sprites: %.1f ms\n", ms);
    EXPECT_EQ(canvas->cellCount(), 10001);
    EXPECT_TRUE(canvas->GetChildren().empty());
    EXPECT_EQ(canvas->GetVirtualSize().y, pageHeight(10001, canvas->columns()) - kHeaderHeight + 10);
    // Scrolled to the end, a click still finds the add tile after the last sprite.
    const Rect last = thumbnailRect(10000, canvas->columns());
    canvas->clickAt(last.x + 5, last.y + 5, false);
    EXPECT_EQ(p.sprites.size(), 10001u);
    f->page(PanelCategory::Sprites)->filterField()->SetValue("odd");
    pump();
    EXPECT_EQ(canvas->shown().size(), 5000u);
}

// Open makes no card up front: the first page of the panel asks for the cards in view.
TEST(ResourcePanel, OpeningALargeProjectShowsTheFirstPageAtAboutTheCostOfTheCoreOpen) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    f->SetClientSize(1280, 800);
    pump();
    ASSERT_TRUE(bench::writeLargeProject(s.folder.path(), "large", bench::largeProjectSize()));
    using Clock = std::chrono::steady_clock;
    const auto msSince = [](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
    };
    double coreMs = 0;
    {
        Studio core(s.dialogs, s.shell, s.clock, s.folder.path());
        const auto started = Clock::now();
        ASSERT_TRUE(openProjectNamed(core, "large"));
        coreMs = msSince(started);
    }
    const auto started = Clock::now();
    wxTEST_DIALOG(f->runCommand(Command::Open), ExpectOpenDialog("large"));
    ui::ResourceCanvas* canvas = f->page(PanelCategory::Sprites)->canvas();
    canvas->Refresh();
    canvas->Update();
    const double windowMs = msSince(started);
    std::printf("Open of the large project until the panel shows its first page: %.0f ms, core Open %.0f ms, "
                "ratio %.2f\n",
                windowMs, coreMs, windowMs / coreMs);
    ASSERT_EQ(s.studio.project.sprites.size(), 2000u);
    // Only the cards of the page in view were made (a page shows a few dozen).
    EXPECT_GT(s.studio.thumbnails.made(), 0u);
    EXPECT_LT(s.studio.thumbnails.made(), 200u);
    const auto drawnScenes = [&] {
        const auto& scenes = s.studio.project.scenes;
        return std::count_if(scenes.begin(), scenes.end(), [](const Scene& r) { return !r.preview.empty(); });
    };
    EXPECT_EQ(drawnScenes(), 0);
    // The Scenes page draws the scenes it shows from their canvas.
    f->panel()->SetSelection(int(PanelCategory::Scenes));
    ui::ResourceCanvas* scenes = f->page(PanelCategory::Scenes)->canvas();
    scenes->Refresh();
    scenes->Update();
    EXPECT_GT(drawnScenes(), 0);
}
