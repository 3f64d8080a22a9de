#include <gtest/gtest.h>

#include "resources/record_windows.h"

using namespace pondaro;

// A window asked for a record that went names the record by its kind, in the words of
// the kind's window title.
TEST(RecordWindows, AVanishedRecordIsNamedByItsKindAsItsWindowTitleNamesIt) {
    const struct {
        ResourceKind kind;
        const char* title;
        const char* gone;
    } cases[] = {
        {ResourceKind::Sound, "Sound properties - jump", "The sound jump no longer exists."},
        {ResourceKind::Music, "Music properties - jump", "The music jump no longer exists."},
        {ResourceKind::Background, "Background properties - jump", "The background jump no longer exists."},
        {ResourceKind::Font, "Font properties - jump", "The font jump no longer exists."},
        {ResourceKind::Function, "Function properties - jump", "The function jump no longer exists."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(propertiesWindowTitle(c.kind, "jump"), c.title);
        EXPECT_EQ(recordGoneMessage(c.kind, "jump"), c.gone);
    }
}
