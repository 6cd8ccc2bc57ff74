// The batch window's procedures as its error box names them.
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
