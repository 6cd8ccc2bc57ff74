// The main menu's procedures as its error box names them.
#pragma once

namespace quillora::menulabels {

constexpr const char* startUp = "Form1.Form_Load";
constexpr const char* openSingleTextWindow = "Form1.PushButton1_Click";
constexpr const char* openBatchWindow = "Form1.PushButton2_Click";

} // namespace quillora::menulabels
