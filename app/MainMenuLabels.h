// The main menu's procedures as its error box names them.
#pragma once

#include "platform/ErrorReport.h"

namespace quillora::menulabels {

// The text after "in " in the error box of a procedure.
inline QString origin(const char* label)
{
    return ErrorReport::programOrigin(QLatin1String(label));
}

constexpr const char* startUp = "Form1.Form_Load";
constexpr const char* openSingleTextWindow = "Form1.PushButton1_Click";
constexpr const char* openBatchWindow = "Form1.PushButton2_Click";

} // namespace quillora::menulabels
