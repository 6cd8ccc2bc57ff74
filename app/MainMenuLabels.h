// The main menu's procedures and their steps as its error box names and numbers them.
#pragma once

namespace quillora::menulabels {

constexpr const char* startUp = "Form1.Form_Load";
constexpr const char* openSingleTextWindow = "Form1.PushButton1_Click";
constexpr const char* openBatchWindow = "Form1.PushButton2_Click";

} // namespace quillora::menulabels

// The numbered steps of each procedure.
namespace quillora::startupsteps {
constexpr int skin = 100;
constexpr int captionIconAndTitle = 102;
constexpr int handCursorExists = 104;
constexpr int loadHandCursor = 106;
constexpr int webSite = 108;
constexpr int recordSamples = 110;
constexpr int batchWasLast = 132;
constexpr int showBatch = 134;
constexpr int hideForBatch = 136;
constexpr int singleTextWasLast = 138;
constexpr int showSingleText = 140;
constexpr int hideForSingleText = 142;
constexpr int clearFormStart = 144;
} // namespace quillora::startupsteps

// Both buttons: the conversion window shows, the menu hides.
namespace quillora::opensteps {
constexpr int showWindow = 100;
constexpr int hide = 102;
} // namespace quillora::opensteps
