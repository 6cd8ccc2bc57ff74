// The single-text window's procedures as its error box names them.
#pragma once

namespace quillora::singlelabels {

constexpr const char* load = "Form2.Form_Load";
constexpr const char* loadTextFromFile = "Form2.PushButton1_Click";
constexpr const char* clearResult = "Form2.PushButton2_Click";
constexpr const char* saveResultToFile = "Form2.PushButton4_Click";
constexpr const char* saveTextToFile = "Form2.PushButton5_Click";
constexpr const char* clearInput = "Form2.PushButton7_Click";
constexpr const char* loadSampleText = "Form2.PushButton8_Click";
constexpr const char* goBack = "Form2.PushButton13_Click";
constexpr const char* startConverting = "Form2.PushButton17_Click";

} // namespace quillora::singlelabels
