#include "app/start_argument.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProjectFileEnd = ".xml";

std::string notAProjectFile(const std::string& argument) {
    return "'" + argument + "' is not a project the studio can open: a project file is Projects/NAME.xml "
           "in the folder the studio works in.";
}

} // namespace

StartRequest startRequest(const std::vector<std::string>& arguments, const fs::path& currentFolder) {
    StartRequest request{currentFolder, "", ""};
    if (arguments.empty()) return request;
    if (arguments.size() > 1) {
        request.problem = "The studio opens one project at a time: start it with the project's name or the path "
                          "of its file.";
        return request;
    }
    const std::string& argument = arguments.front();
    if (!argument.ends_with(kProjectFileEnd)) {
        // A name: Open checks it like one chosen in its dialog.
        request.project = argument;
        return request;
    }
    const fs::path file = (currentFolder / argument).lexically_normal();
    const std::string fileName = file.filename().string();
    const std::string name = fileName.substr(0, fileName.size() - kProjectFileEnd.size());
    const fs::path projects = file.parent_path();
    if (name.empty() || projects.filename() != "Projects") {
        request.problem = notAProjectFile(argument);
        return request;
    }
    request.folder = projects.parent_path();
    if (request.folder.empty()) request.folder = ".";
    request.project = name;
    return request;
}

Status enterFolder(const fs::path& folder) {
    std::error_code ec;
    fs::current_path(folder, ec);
    if (ec) return Status::failure("The studio cannot work in the folder '" + folder.string() + "': " + ec.message());
    return Status::success();
}

} // namespace pondaro
