#pragma once
// The engine word list: keywords.dat (records of three lines: a prefix character and
// the word, the syntax, the description) followed by the 82 key constants.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"

namespace pondaro {

struct KeywordEntry {
    std::string word;
    std::string kind;  // "Fn", "Var" or "Cons"
    std::string syntax;
    std::string description;
    bool operator==(const KeywordEntry&) const = default;
};

// The key constants the engine defines as key codes, in their fixed order.
const std::vector<std::string>& keyConstants();

// Reads keywords.dat text: "!" marks a function, "." a variable, "#" a constant; a
// record whose first line starts with anything else is skipped. Lines may end with
// CR LF, CR or LF. Only the entries of the file (no constants).
std::vector<KeywordEntry> parseKeywords(std::string_view text);

// What keywords.dat may hold at most.
inline constexpr FileLimit kKeywordsFileLimit{"a word list", 16LL << 20};

// The whole list: keywords.dat (when it exists, is not empty and can be read) of `root`,
// or else the one installed beside `programFolder` (studio_files.h), then the key
// constants with empty syntax and description.
std::vector<KeywordEntry> loadKeywords(const std::filesystem::path& root,
                                       const std::filesystem::path& programFolder = {});

} // namespace pondaro
