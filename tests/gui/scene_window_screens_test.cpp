// Runs that take pictures and figures of the scene window rather than testing it, so
// they run only when asked: the screenshots when PONDARO_SCREENSHOTS names their
// folder, the figures with --gtest_also_run_disabled_tests --gtest_filter=SceneFigures.*
// (under a virtual screen large enough for a 1,400 x 900 canvas beside the tabs).
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include <wx/bmpcbox.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>

#include "app/file_commands.h"
#include "app/ui/main_frame.h"
#include "app/ui/studio_startup.h"
#include "code_screens.h"
#include "image/codecs.h"
#include "large_scene.h"
#include "scene/scene_render.h"
#include "scene/scene_window.h"
#include "scene/ui/scene_window.h"
#include "support/fake_ports.h"
#include "timing.h"
#include "ui/region_canvas.h"
#include "ui/wx_image.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

ui::MainFrame* startWithSceneWindows(TestStudio& s) {
    writeTestFile(s.folder.path() / "export.js", "//PONDARO_SCENES\n");
    return startWithEveryWindow(s.studio);
}

void showTab(wxWindow* w, int tab) {
    child<wxNotebook>(w, "tabs")->SetSelection(size_t(tab));
    letEventsThrough(150);
}

} // namespace

TEST(SceneScreens, DISABLED_ASampleLevelInEveryTab) {
    const auto samples = std::filesystem::path(PONDARO_SOURCE_DIR) / "samples" / "Projects";
    if (!std::filesystem::is_directory(samples)) GTEST_SKIP() << "no sample projects";
    TestStudio s;
    ui::MainFrame* frame = startWithSceneWindows(s);
    ASSERT_NE(frame, nullptr);
    std::filesystem::copy(samples, s.folder.path() / "Projects", std::filesystem::copy_options::recursive);
    ASSERT_TRUE(openProjectNamed(s.studio, "platformer"));
    frame->rebuildPanel();
    frame->panel()->SetSelection(int(PanelCategory::Scenes));
    frame->editRecord(PanelCategory::Scenes, "level1");
    wxFrame* w = ui::findSceneWindow("level1");
    ASSERT_NE(w, nullptr);
    w->SetPosition(wxPoint(20, 20));
    letEventsThrough(300);
    screenshot("scene-settings");
    showTab(w, 1);
    if (auto* toPlace = child<wxBitmapComboBox>(w, "object-to-place")) {
        toPlace->SetSelection(toPlace->FindString("obj_coin"));
        wxCommandEvent e(wxEVT_COMBOBOX, toPlace->GetId());
        e.SetEventObject(toPlace);
        toPlace->GetEventHandler()->ProcessEvent(e);
    }
    screenshot("scene-objects");
    showTab(w, 2);
    screenshot("scene-background");
    showTab(w, 3);
    screenshot("scene-tiles");
    w->SetSize(wxSize(1500, 950));
    letEventsThrough(300);
    screenshot("scene-tiles-enlarged");
    click(child(w, "done"));
    letEventsThrough(300);
    screenshot("scene-card-in-the-panel");
    for (auto& close : s.studio.closeWindowsHooks) close();
    frame->Destroy();
    letEventsThrough(20);
}

namespace {

struct Opened {
    double seconds = 0;
    double megabytes = 0;
};

// Opens the scene's window and draws its canvas once; the window stays open.
Opened openAndDraw(Studio& studio, wxWindow* main, const std::string& scene) {
    const size_t before = mallinfo2().uordblks;
    const auto start = bench::threadSeconds();
    ui::openSceneWindow(studio, main, scene, {});
    wxWindow* canvas = child(ui::findSceneWindow(scene), "canvas");
    canvas->Refresh();
    canvas->Update();
    Opened o;
    o.seconds = bench::threadSeconds() - start;
    o.megabytes = double(mallinfo2().uordblks - before) / 1e6;
    return o;
}

} // namespace

TEST(SceneFigures, DISABLED_TheLargeSceneInAWindowOf1400By900) {
    TestStudio s;
    ui::MainFrame* frame = startWithSceneWindows(s);
    ASSERT_NE(frame, nullptr);
    Project& p = s.studio.project;
    bench::addLargeSceneResources(p);
    bench::addLargeScene(p, "big", {});
    ASSERT_TRUE(savePng(bench::largeSceneGround(), s.folder.path() / p.workingFolder / "ground.png"));

    const Opened opened = openAndDraw(s.studio, frame, "big");
    wxFrame* w = ui::findSceneWindow("big");
    auto* canvas = child<ui::RegionCanvas>(w, "canvas");
    // The canvas at 1,400 x 900, scrolled to the middle of the scene.
    const wxSize grow = wxSize(1400, 900) - canvas->GetClientSize();
    w->SetClientSize(w->GetClientSize() + grow);
    letEventsThrough(300);
    canvas->Scroll(3500 / 20, 3500 / 20);
    letEventsThrough(100);
    const Rect view = canvas->visibleRegion();

    // Drawing the view: the renderer and the conversion for the window, as a paint does.
    Image copySource(1400, 900);
    copySource.fill({1, 2, 3, 255});
    std::vector<double> copies, draws, paints;
    CanvasPicture picture;
    wxBitmap bitmap;
    SceneEditor probe = openSceneEditor(p, s.folder.path(), "big");
    for (int i = 0; i < 31; ++i) {
        copies.push_back(bench::cpuSecondsOf([&] {
            Image copied = copySource;
            ASSERT_FALSE(copied.empty());
        }));
        draws.push_back(bench::cpuSecondsOf([&] {
            renderScene(p, probe, view, picture);
            ui::toBitmap(picture.image, bitmap);
        }));
        paints.push_back(bench::secondsOf([&] {
            canvas->Refresh(false);
            canvas->Update();
        }));
    }
    const double copy = bench::median(copies), draw = bench::median(draws), paint = bench::median(paints);

    // 200 Shift paint steps placing tiles: the first cell of the ground, dragged over the
    // canvas a grid cell at a time.
    child<wxNotebook>(w, "tabs")->SetSelection(3);
    letEventsThrough(100);
    wxWindow* picker = child(w, "picker");
    auto mouse = [](wxWindow* on, wxEventType type, int x, int y, bool left, bool shift) {
        wxMouseEvent e(type);
        e.SetPosition(wxPoint(x, y));
        e.SetLeftDown(left);
        e.SetShiftDown(shift);
        e.SetEventObject(on);
        on->GetEventHandler()->ProcessEvent(e);
    };
    mouse(picker, wxEVT_LEFT_DOWN, 5, 5, true, false);
    mouse(picker, wxEVT_LEFT_UP, 5, 5, false, false);
    const size_t tilesBefore = p.tiles.size();
    std::vector<double> steps;
    mouse(canvas, wxEVT_LEFT_DOWN, 10, 10, true, true);
    for (int k = 1; k <= 200; ++k)
        steps.push_back(bench::cpuSecondsOf([&] { mouse(canvas, wxEVT_MOTION, 10 + (k % 60) * 20, 10 + (k / 60) * 20, true, true); }));
    mouse(canvas, wxEVT_LEFT_UP, 10, 10, false, true);
    const size_t placed = p.tiles.size() - tilesBefore;

    // One arrow step moving 1,000 selected instances, the list refreshed and its rows in
    // view drawn again.
    child<wxNotebook>(w, "tabs")->SetSelection(1);
    auto* list = child<wxListCtrl>(w, "instances");
    letEventsThrough(100);
    size_t selected = 0;
    for (size_t i = 0; i < p.objects.size() && selected < 1000; ++i)
        if (!p.objects[i].isTemplate() && p.objects[i].scene == "big") {
            p.objects.edit(i, [](GameObject& o) { o.selected = 1; });
            ++selected;
        }
    letEventsThrough(150);  // the tick sees the change made here and refreshes the list
    std::vector<double> arrows;
    for (int k = 0; k < 11; ++k)
        arrows.push_back(bench::cpuSecondsOf([&] {
            wxKeyEvent e(wxEVT_KEY_DOWN);
            e.m_keyCode = k % 2 ? WXK_LEFT : WXK_RIGHT;
            e.SetEventObject(canvas);
            canvas->GetEventHandler()->ProcessEvent(e);
            list->Update();
        }));
    const double arrow = bench::median(arrows);
    EXPECT_EQ(list->GetSelectedItemCount(), 1000);

    // Opening on 2,000 x 2,000 and on 20,000 x 20,000 with the same records.
    bench::addLargeScene(p, "small", {2000, 10000, 20000});
    bench::addLargeScene(p, "huge", {20000, 10000, 20000});
    const Opened small = openAndDraw(s.studio, frame, "small"), huge = openAndDraw(s.studio, frame, "huge");

    const double stepMedian = bench::median(steps), stepMax = *std::max_element(steps.begin(), steps.end());
    std::printf("scene window on 8000 x 8000, 10000 instances, 20000 tiles; canvas view %d x %d at (%d, %d)\n",
                view.width, view.height, view.x, view.y);
    std::printf("plain copy of a 1400 x 900 picture (median of 31, CPU): %.3f ms\n", copy * 1e3);
    std::printf("one repaint, core drawing and conversion for the window (median of 31, CPU): %.3f ms = %.2f x "
                "the copy\n",
                draw * 1e3, draw / copy);
    std::printf("one repaint on the screen, as the desktop shows it (median of 31, wall clock): %.3f ms = %.2f x "
                "the copy\n",
                paint * 1e3, paint / copy);
    std::printf("Shift paint steps placing tiles (%zu of 200 placed): median %.1f us, slowest %.3f ms = %.2f x "
                "one repaint\n",
                placed, stepMedian * 1e6, stepMax * 1e3, stepMax / draw);
    std::printf("arrow step moving 1000 selected instances with the list refreshed (median of 11, CPU): %.3f ms = "
                "%.2f x one repaint\n",
                arrow * 1e3, arrow / draw);
    std::printf("opening the window and drawing it once: 8000 x 8000 %.1f ms, %.1f MB; 2000 x 2000 %.1f ms, %.1f MB; "
                "20000 x 20000 %.1f ms, %.1f MB\n",
                opened.seconds * 1e3, opened.megabytes, small.seconds * 1e3, small.megabytes, huge.seconds * 1e3,
                huge.megabytes);
    for (auto& close : s.studio.closeWindowsHooks) close();
    frame->Destroy();
    letEventsThrough(20);
}
