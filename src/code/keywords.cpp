#include "code/keywords.h"

#include "base/files.h"
#include "base/studio_files.h"
#include "base/text.h"

namespace pondaro {

const std::vector<std::string>& keyConstants() {
    static const std::vector<std::string> names = {
        "vk_0",        "vk_1",      "vk_2",       "vk_3",     "vk_4",        "vk_5",      "vk_6",       "vk_7",
        "vk_8",        "vk_9",      "vk_a",       "vk_add",   "vk_alt",      "vk_b",      "vk_backspace", "vk_c",
        "vk_ctrl",     "vk_d",      "vk_decimal", "vk_delete", "vk_divide",  "vk_down",   "vk_e",       "vk_end",
        "vk_enter",    "vk_escape", "vk_f",       "vk_f1",    "vk_f10",      "vk_f11",    "vk_f12",     "vk_f2",
        "vk_f3",       "vk_f4",     "vk_f5",      "vk_f6",    "vk_f7",       "vk_f8",     "vk_f9",      "vk_g",
        "vk_h",        "vk_home",   "vk_i",       "vk_insert", "vk_j",       "vk_k",      "vk_l",       "vk_left",
        "vk_m",        "vk_multiply", "vk_n",     "vk_num0",  "vk_num1",     "vk_num2",   "vk_num3",    "vk_num4",
        "vk_num5",     "vk_num6",   "vk_num7",    "vk_num8",  "vk_num9",     "vk_o",      "vk_p",       "vk_pagedown",
        "vk_pageup",   "vk_pause",  "vk_q",       "vk_r",     "vk_right",    "vk_s",      "vk_shift",   "vk_space",
        "vk_subtract", "vk_t",      "vk_tab",     "vk_u",     "vk_up",       "vk_v",      "vk_w",       "vk_x",
        "vk_y",        "vk_z",
    };
    return names;
}

std::vector<KeywordEntry> parseKeywords(std::string_view text) {
    text = stripBom(text);
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (end < text.size() && text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    std::vector<KeywordEntry> entries;
    for (size_t i = 0; i < lines.size(); i += 3) {
        std::string_view first = lines[i];
        const char* kind = nullptr;
        if (!first.empty()) {
            if (first[0] == '!') kind = "Fn";
            else if (first[0] == '.') kind = "Var";
            else if (first[0] == '#') kind = "Cons";
        }
        if (!kind) continue;
        KeywordEntry e;
        e.word = std::string(first.substr(1));
        e.kind = kind;
        if (i + 1 < lines.size()) e.syntax = std::string(lines[i + 1]);
        if (i + 2 < lines.size()) e.description = std::string(lines[i + 2]);
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<KeywordEntry> loadKeywords(const std::filesystem::path& root, const std::filesystem::path& programFolder) {
    std::vector<KeywordEntry> entries;
    std::string text;
    const auto file = studioFile(root, programFolder, kKeywordsFile);
    if (fileSize(file) > 0 && readFile(file, text, kKeywordsFileLimit))
        entries = parseKeywords(text);
    for (const auto& name : keyConstants()) entries.push_back({name, "Cons", "", ""});
    return entries;
}

} // namespace pondaro
