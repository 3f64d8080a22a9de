#pragma once
// The project file: Projects/<name>.xml beside the folder Projects/<name>/ that holds
// the frame images (<imgfolder>/), backgrounds (<imgfolder>/) and sounds (<audfolder>/).
// Paths are relative to `root`, the program's current folder.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/status.h"
#include "project/model.h"

namespace pondaro {

// What the files of a project may hold at most.
inline constexpr FileLimit kProjectFileLimit{"a project file", 256LL << 20};
inline constexpr FileLimit kSoundFileLimit{"a sound or music file", 1LL << 30};

// The memory the decoded pictures of the open project may take in all: frame images and
// background pictures (a tile shows part of its background's picture and holds no
// pixels of its own). A project file whose pictures would need more is refused.
inline constexpr long long kPictureBudgetBytes = 1LL << 30;

// A project file as read, before any of it reaches the open project: the records, and
// the pictures of the frames and backgrounds decoded from the project's folder.
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
    // The frame pictures as read: what their files held, for Save to leave them alone
    // while neither changes.
    SavedFiles savedFiles;
};

std::filesystem::path projectsFolder(const std::filesystem::path& root);
std::filesystem::path projectFilePath(const std::filesystem::path& root, const std::string& name);

// Parses project file bytes. Refuses (with a message naming `fileLabel`) a file that is
// empty, not well-formed, from a newer program version, or whose lists hold fewer
// items than their count. Nothing outside `out` is touched.
Status parseProjectXml(std::string_view bytes, const std::string& fileLabel, ProjectFileData& out);

// Loads and parses Projects/<name>.xml, after checking the name is a usable file name,
// then decodes the frame images and background pictures from the project's folder
// into `out`. A picture that is missing or cannot be decoded is no failure (its frame
// has no image, its background no picture). Refused, with a message and nothing kept:
// a project file or media file that is there but is no regular file (a link, pipe or
// device) or is larger than its kind can be; a project folder or media folder that
// leads outside `root`; pictures that would need more than `pictureBudget` bytes of
// memory in all (a merge passes what the open project leaves of kPictureBudgetBytes).
Status loadProjectFile(const std::filesystem::path& root, const std::string& name, ProjectFileData& out,
                       long long pictureBudget = kPictureBudgetBytes);

// Reads loaded data into the project: with merge false into an emptied project (the
// caller has reset it), with merge true appended to the open one. Clashing names are
// renamed, references follow the renames, the sounds, musics and background files are
// copied from the project `name`'s folder into the working folder, and each tile read
// shows its background's picture. Cannot fail: a missing media file is not an error,
// and one that cannot be copied stays where it is, in `uncopiedMedia`, for Save to take
// from there. Returns the names of those files, for the user to be told. Ends by
// restarting the identity counter from the record counts.
std::vector<std::string> readIntoProject(Project& p, ProjectFileData&& data, const std::string& name, bool merge,
                                         const std::filesystem::path& root);

// The whole read: load, parse and read into the project. On a refused file the
// project is left exactly as it was. Media that could not be copied is in
// `uncopiedMedia`.
Status readProject(Project& p, const std::string& name, bool merge, const std::filesystem::path& root);

// Which media files a Save writes: those that differ from what the project folder
// holds (the files of `Project::savedFiles` still as recorded are left alone), or all
// of them. Both leave the same files on disk.
enum class SaveWrites { Changed, All };

// Writes the project under its name: the XML file, frame PNGs and the media copied
// from the working folder (or from where a file stayed that could not be copied
// there), each file replaced by renaming a complete new one over it (a link there is
// replaced, never written through). A media file that cannot be copied fails the save,
// naming it, after the XML is written. Refused, writing nothing, when the project's
// folder or a media folder leads outside `root`. Temporary files that an interrupted
// save left in the project's folders are removed first. Clears the modified flag on
// success. Records what it wrote in `savedFiles`. With SaveWrites::Changed the project
// file, like each media file, is written only when what it would hold differs from
// what this project last wrote into it, or the file is not as it was left then (its
// size, time or identity changed: edited, replaced or removed outside the studio).
Status writeProject(Project& p, const std::filesystem::path& root, SaveWrites writes = SaveWrites::Changed);

// A fingerprint of every value the project file of `p` holds, taken without making
// the text: equal fingerprints mean the same file (almost surely), so a Save leaves a
// project file alone that it wrote with the fingerprint it would write now.
uint64_t projectFileFingerprint(const Project& p);

// The XML text Save writes for the project (no files touched).
std::string projectXml(const Project& p);

// Writes that text into `file` in one pass, piece by piece, replacing the file
// atomically; the old file stays whole when this fails.
Status writeProjectXml(const Project& p, const std::filesystem::path& file);

} // namespace pondaro
