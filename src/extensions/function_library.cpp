#include "extensions/function_library.h"

#include <expat.h>

#include "base/files.h"
#include "base/integer_reader.h"
#include "base/text.h"
#include "base/xml_text.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

struct LibraryParse {
    int depth = 0;
    int rootChildren = 0;
    bool countSeen = false;
    long long count = 0;
    long long items = 0;
    bool inItem = false;
    std::vector<GameFunction> functions;
};

void onStart(void* user, const XML_Char*, const XML_Char** attrs) {
    auto* st = static_cast<LibraryParse*>(user);
    ++st->depth;
    if (st->depth == 2) {
        ++st->rootChildren;
        if (st->rootChildren == 1)
            for (size_t a = 0; attrs[a]; a += 2)
                if (std::string_view(attrs[a]) == "count") {
                    st->countSeen = true;
                    st->count = readInteger(attrs[a + 1]);
                }
    } else if (st->depth == 3 && st->rootChildren == 1) {
        st->inItem = st->items < st->count;
        ++st->items;
        if (!st->inItem) return;
        GameFunction& f = st->functions.emplace_back();
        for (size_t a = 0; attrs[a]; a += 2) {
            std::string_view key = attrs[a];
            if (key == "name") f.name = attrs[a + 1];
            else if (key == "params") f.params = attrs[a + 1];
            else if (key == "description") f.description = attrs[a + 1];
        }
    }
}

void onEnd(void* user, const XML_Char*) {
    auto* st = static_cast<LibraryParse*>(user);
    if (st->depth == 3) st->inItem = false;
    --st->depth;
}

void onText(void* user, const XML_Char* s, int len) {
    auto* st = static_cast<LibraryParse*>(user);
    if (st->depth == 3 && st->inItem) st->functions.back().code.append(s, size_t(len));
}

} // namespace

std::string functionLibraryXml(const std::vector<const GameFunction*>& functions, const std::string& author,
                               const std::string& description) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    out += "<pondaro_functions version=\"" + std::to_string(kProgramVersion) + "\" author=\"";
    appendXmlEscaped(out, author, true);
    out += "\" description=\"";
    appendXmlEscaped(out, description, true);
    out += "\">\r\n    <fns count=\"" + std::to_string(functions.size()) + "\">\r\n";
    for (const GameFunction* f : functions) {
        out += "        <fn name=\"";
        appendXmlEscaped(out, f->name, true);
        out += "\" params=\"";
        appendXmlEscaped(out, f->params, true);
        out += "\" description=\"";
        appendXmlEscaped(out, f->description, true);
        out += "\">";
        appendXmlEscaped(out, f->code, false);
        out += "</fn>\r\n";
    }
    out += "    </fns>\r\n</pondaro_functions>\r\n";
    return out;
}

std::string libraryFileName(const std::string& chosen) {
    std::string name;
    for (size_t i = 0; i < chosen.size();) {
        if (chosen.compare(i, 4, ".xml") == 0) i += 4;
        else name += chosen[i++];
    }
    return name + ".xml";
}

bool exportFunctionLibrary(const Project& p, Dialogs& dialogs, const std::vector<bool>& ticked,
                           const std::string& author, const std::string& description, const std::string& chosen) {
    if (chosen.empty()) return false;
    const fs::path file = libraryFileName(chosen);
    if (fileSize(file) > 0 && !dialogs.ask("Message", "File exists. Overwrite?")) return false;
    std::vector<const GameFunction*> functions;
    for (size_t i = 0; i < p.fns.size(); ++i)
        if (i < ticked.size() && ticked[i]) functions.push_back(&p.fns[i]);
    if (Status s = writeFileAtomic(file, functionLibraryXml(functions, author, description)); !s) {
        dialogs.error("The functions could not be exported: " + s.message());
        return false;
    }
    return true;
}

Status parseFunctionLibrary(std::string_view bytes, const std::string& label, std::vector<GameFunction>& out) {
    out.clear();
    LibraryParse st;
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser) return Status::failure("Out of memory.");
    XML_SetUserData(parser, &st);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);
    bool ok = bytes.size() <= size_t(INT32_MAX) &&
              XML_Parse(parser, bytes.data(), int(bytes.size()), 1) != XML_STATUS_ERROR;
    std::string why = ok ? "" : XML_ErrorString(XML_GetErrorCode(parser));
    XML_ParserFree(parser);
    if (!ok) return Status::failure("The file " + label + " is not a function library: " + why + ".");
    if (!st.countSeen) return Status::failure("The file " + label + " is not a function library: it has no function list.");
    if (st.items < st.count)
        return Status::failure("The function library " + label + " is damaged: it announces " + std::to_string(st.count) +
                               " functions but holds " + std::to_string(st.items) + ".");
    out = std::move(st.functions);
    return Status::success();
}

Status importFunctionLibrary(Project& p, const fs::path& file) {
    std::string bytes;
    // A file the user chose in the file dialog.
    if (Status s = readFile(file, bytes, kFunctionLibraryLimit, Links::Followed); !s) return Status::failure("The function library could not be read: " + s.message());
    std::vector<GameFunction> functions;
    if (Status s = parseFunctionLibrary(bytes, "'" + file.filename().string() + "'", functions); !s) return s;
    for (GameFunction& f : functions) {
        while (p.fns.contains(f.name)) f.name += "_2";
        f.uid = p.nextIdentity();
        p.fns.add(std::move(f));
    }
    if (!functions.empty()) p.markModified();
    return Status::success();
}

bool hasFunctionsToExport(const Project& p, Dialogs& dialogs) {
    if (!p.fns.empty()) return true;
    dialogs.message("There is nothing to export.");
    return false;
}

bool exportChosenFunctions(const Project& p, Dialogs& dialogs, const std::vector<bool>& ticked,
                           const std::string& author, const std::string& description) {
    const std::string chosen = dialogs.chooseFileToSave("Exporting functions...", "XML files | *.xml", {});
    if (chosen.empty()) return false;
    return exportFunctionLibrary(p, dialogs, ticked, author, description, chosen);
}

bool importChosenFunctions(Project& p, Dialogs& dialogs) {
    const std::string chosen = dialogs.chooseFileToOpen("Select functions to import", "XML files|*.xml");
    if (chosen.empty()) return false;
    const size_t before = p.fns.size();
    if (Status s = importFunctionLibrary(p, chosen); !s) {
        dialogs.error(s.message());
        return false;
    }
    return p.fns.size() > before;
}

} // namespace pondaro
