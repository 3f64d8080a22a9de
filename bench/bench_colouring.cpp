// Colouring a 20,000-line script from scratch, and again after a one-character edit
// near its top (only the lines whose carried state changes are coloured again).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "code/colouring.h"
#include "timing.h"

using namespace pondaro;
using bench::median;

namespace {

std::string script(size_t lines) {
    const char* pattern[] = {
        "function step_%zu(a, b) {",
        "    var speed = lengthdir_x(4, direction) + 0.5; // move",
        "    if (keyboard_check(vk_left)) { x -= speed; } else { x += 2.25; }",
        "    draw_text(10, 20, \"score: \" + score + ' lives');",
        "    /* a comment",
        "       that goes on */ instance_create(x, y, bullet);",
        "}",
    };
    std::string out;
    char buf[160];
    for (size_t i = 0; i < lines; ++i) {
        std::snprintf(buf, sizeof buf, pattern[i % 7], i);
        out += buf;
        out += "\r\n";
    }
    return out;
}

} // namespace

int main() {
    std::vector<KeywordEntry> engine = {{"lengthdir_x", "Fn", "lengthdir_x(len, dir)", ""},
                                        {"keyboard_check", "Fn", "keyboard_check(key)", ""},
                                        {"draw_text", "Fn", "draw_text(x, y, text)", ""},
                                        {"instance_create", "Fn", "instance_create(x, y, obj)", ""},
                                        {"score", "Var", "n/a", ""},
                                        {"direction", "Var", "n/a", ""},
                                        {"vk_left", "Cons", "", ""}};
    ColourWords words = studioColourWords(engine, nullptr);
    const std::string text = script(20000);
    std::vector<double> full, edit;
    size_t recoloured = 0;
    for (int run = 0; run < 7; ++run) {
        ColouredText coloured(&words);
        auto t0 = std::chrono::steady_clock::now();
        coloured.setText(text);
        auto t1 = std::chrono::steady_clock::now();
        recoloured = coloured.editLine(3, "    draw_text(10, 20, \"score: \" + score + ' lives'));");
        auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(coloured.line(19999));
        full.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        edit.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    std::printf("colour 20,000 lines from scratch (median of 7): %.2f ms\n", median(full));
    std::printf("colour again after a one-character edit near the top (median of 7): %.4f ms, %zu line(s)\n",
                median(edit), recoloured);
    std::printf("from-scratch-to-edit ratio: %.0f\n", median(full) / std::max(median(edit), 1e-6));
    return 0;
}
