// The numbered steps of "Start Converting" that an error box names: the run over the list, file by file.
#pragma once

#include "engine/ReadingRule.h"

namespace quillora::convertingsteps {

constexpr int emptyList = 104;
constexpr int destinationUsable = 106;
constexpr int entry = 114;
constexpr int percent = 116;
constexpr int caption = 118;
constexpr int letEventsThrough = 120;
constexpr int busy = 122;
// Reading the file by its mark, and again in the code page.
constexpr ReadingRuleLines reading{126, 128, 130, 132, 134};
constexpr int resultPathInFolder = 160;
constexpr int resultPathBesideSource = 164;
constexpr int openResult = 168;
constexpr int writeResult = 172;
// Putting a result in place; its failure may come after later entries have begun.
constexpr int putInPlace = 174;
constexpr int idle = 178;
constexpr int percentCleared = 180;
constexpr int captionCleared = 182;
constexpr int done = 188;
constexpr int folderMissing = 190;

} // namespace quillora::convertingsteps
