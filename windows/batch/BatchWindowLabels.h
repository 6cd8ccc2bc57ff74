// The batch window's procedures and their steps as its error box names and numbers them.
#pragma once

#include <QString>

namespace quillora::batchlabels {

constexpr const char* load = "Form3.Form_Load";
constexpr const char* goBack = "Form3.PushButton1_Click";
constexpr const char* addTextFiles = "Form3.PushButton3_Click";
constexpr const char* addAllTextFilesInFolder = "Form3.PushButton11_Click";
constexpr const char* clearList = "Form3.PushButton12_Click";
constexpr const char* startConverting = "Form3.PushButton13_Click";
constexpr const char* addSampleFiles = "Form3.PushButton14_Click";
constexpr const char* browseForDestination = "Form3.PushButton15_Click";

} // namespace quillora::batchlabels

// The numbered steps of each procedure.
namespace quillora::loadsteps {
constexpr int systemColors = 100;
constexpr int captionIconAndTitle = 102;
constexpr int handCursorExists = 104;
constexpr int loadHandCursor = 106;
constexpr int listColumnWidth = 108;
constexpr int destinationFolder = 110;
constexpr int resultsToFolder = 112;
constexpr int resultsInPlace = 114;
constexpr int oneOptionChosen = 116;
constexpr int destinationEnabled = 118;
} // namespace quillora::loadsteps

namespace quillora::gobacksteps {
constexpr int showMainMenu = 100;
constexpr int hide = 102;
} // namespace quillora::gobacksteps

namespace quillora::clearliststeps {
constexpr int notBusy = 100;
constexpr int clear = 102;
} // namespace quillora::clearliststeps

namespace quillora::samplesteps {
constexpr int addSamples = 100;
} // namespace quillora::samplesteps

// Also the steps of files dropped on the list.
namespace quillora::addfilessteps {
constexpr int chooseFiles = 100;
constexpr int addOneFile = 102;
constexpr int letEventsThrough = 104;
constexpr int addFile = 106;
} // namespace quillora::addfilessteps

// Steps 116 to 130, the tree's files, are those of the folder walk's caller.
namespace quillora::addfoldersteps {
constexpr int proposedExtension = 100;
constexpr int askExtension = 102;
constexpr int extensionGiven = 104;
constexpr int saveExtension = 106;
constexpr int lastFolder = 108;
constexpr int chooseFolder = 110;
constexpr int saveLastFolder = 112;
constexpr int busy = 114;
constexpr int idle = 132;
} // namespace quillora::addfoldersteps

namespace quillora::browsesteps {
constexpr int lastFolder = 100;
constexpr int chooseFolder = 102;
constexpr int saveLastFolder = 104;
constexpr int showFolder = 106;
} // namespace quillora::browsesteps
