#pragma once
// What the record property windows share: their titles, and how a window hands its
// fields to its record's apply step (project/naming.h) and shows the refusals.
#include <string>
#include <string_view>

#include "base/ports.h"
#include "project/model.h"
#include "project/naming.h"

namespace pondaro {

// "Sound properties - " + name, "Object properties - " + name and so on.
std::string propertiesWindowTitle(ResourceKind kind, const std::string& name);
// "The sound jump no longer exists.": said when a window is asked for a record that went.
std::string recordGoneMessage(ResourceKind kind, const std::string& name);

// The index the apply step gets for the record the window edits: past the end when no
// record has the name any more (the apply step then refuses with a message).
template <class Record>
size_t indexForApply(const Table<Record>& table, std::string_view name) {
    const size_t found = table.find(name);
    return found == Table<Record>::npos ? table.size() : found;
}

// Shows each refusal of an apply step as an error (title "Error"), one box per failed
// check. True when the record took the fields.
bool showApplyResult(const ApplyResult& result, Dialogs& dialogs);

} // namespace pondaro
