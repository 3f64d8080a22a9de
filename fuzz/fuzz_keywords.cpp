#include <cstddef>
#include <cstdint>
#include <string_view>

#include "code/colouring.h"
#include "code/keywords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto entries = pondaro::parseKeywords(text);
    // The same bytes as code to colour, with the words they defined.
    auto words = pondaro::studioColourWords(entries, nullptr);
    pondaro::ColouredText coloured(&words);
    coloured.setText(text);
    if (coloured.lineCount() > 0) coloured.editLine(0, text.substr(0, size / 2));
    (void)pondaro::currentHelpEntry(text, size / 3, entries);
    return 0;
}
