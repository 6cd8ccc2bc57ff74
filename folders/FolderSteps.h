// The numbered steps that an error box names for the folder walk, and for the part of "Add All Text File(s) In
// Folder" that gathers a tree's files.
#pragma once

namespace quillora {

// The walk below one folder, reported under the walk's own procedure.
namespace walksteps {
constexpr int notAFolder = 102;
constexpr int pathTooLong = 104;
constexpr int letEventsThrough = 106;
constexpr int walkable = 108;
constexpr int walkFoundFolders = 118;
constexpr int foundIsFolder = 120;
constexpr int foundLetEventsThrough = 122;
constexpr int foundWalkable = 124;
constexpr int keepFound = 126;
} // namespace walksteps

// The tree's files, reported under "Add All Text File(s) In Folder".
namespace treesteps {
constexpr int startFolder = 116;
constexpr int collectFolders = 118;
constexpr int dropSeparator = 120;
constexpr int listFiles = 122;
constexpr int startsWithTilde = 124;
constexpr int filePath = 126;
constexpr int keepFile = 128;
constexpr int addFiles = 130;
} // namespace treesteps

} // namespace quillora
