#pragma once
// The project file: Projects/<name>.xml beside the folder Projects/<name>/ that holds
// the frame images (<imgfolder>/), backgrounds (<imgfolder>/) and sounds (<audfolder>/).
// Paths are relative to `root`, the program's current folder.
#include <filesystem>
#include <string>
#include <vector>

#include "base/status.h"
#include "project/model.h"

namespace pondaro {

// A project file as parsed, before any of it reaches the open project.
struct ProjectFileData {
    int version = 0;
    std::string title;
    int advancedscriptmode = 0;
    std::string imgfolder;
    std::string audfolder;
    std::string functions;
    std::string variables;
    std::string comments;
    std::vector<Sprite> sprites;
    std::vector<Frame> frames;
    std::vector<Sound> sounds;
    std::vector<Music> musics;
    std::vector<Background> backgrounds;
    std::vector<Font> fonts;
    std::vector<GameObject> objects;
    std::vector<Script> scripts;
    std::vector<Scene> scenes;
    std::vector<Layer> layers;
    std::vector<Tile> tiles;
    std::vector<GameFunction> fns;
    std::vector<Point> points;
};

std::filesystem::path projectsFolder(const std::filesystem::path& root);
std::filesystem::path projectFilePath(const std::filesystem::path& root, const std::string& name);

// Parses project file bytes. Refuses (with a message naming `fileLabel`) a file that is
// empty, not well-formed, from a newer program version, or whose lists hold fewer
// items than their count. Nothing outside `out` is touched.
Status parseProjectXml(std::string_view bytes, const std::string& fileLabel, ProjectFileData& out);

// Loads and parses Projects/<name>.xml, after checking the name is a usable file name.
Status loadProjectFile(const std::filesystem::path& root, const std::string& name, ProjectFileData& out);

// Reads parsed data into the project: with merge false into an emptied project (the
// caller has reset it), with merge true appended to the open one. Clashing names are
// renamed, references follow the renames, media is copied into the working folder and
// frame images are loaded from the project `name`'s folder. Cannot fail: a missing
// media file is not an error, and one that cannot be copied stays where it is, in
// `uncopiedMedia`, for Save to take from there. Returns the names of those files, for
// the user to be told. Ends by restarting the identity counter from the record counts.
std::vector<std::string> readIntoProject(Project& p, ProjectFileData&& data, const std::string& name, bool merge,
                                         const std::filesystem::path& root);

// The whole read: load, parse and read into the project. On a refused file the
// project is left exactly as it was. Media that could not be copied is in
// `uncopiedMedia`.
Status readProject(Project& p, const std::string& name, bool merge, const std::filesystem::path& root);

// Writes the project under its name: the XML file (replaced atomically), frame PNGs
// and the media copied from the working folder (or from where a file stayed that could
// not be copied there). A media file that cannot be copied fails the save, naming it,
// after the XML is written. Clears the modified flag on success.
Status writeProject(Project& p, const std::filesystem::path& root);

// The XML text Save writes for the project (no files touched).
std::string projectXml(const Project& p);

} // namespace pondaro
