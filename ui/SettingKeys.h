// Every key the program stores its settings under, with its default: stored files rely on these names.
#pragma once

#include <QLatin1StringView>

namespace quillora {

struct SettingKey
{
    QLatin1StringView name;
    // The value read when nothing is stored; keys whose default is worked out when read have none.
    QLatin1StringView defaultValue;
};

namespace settingkeys {
// The window open when the program last ended: "2" single text, "3" batch, "0" the menu.
inline constexpr SettingKey formStart{QLatin1StringView("FormStart"), QLatin1StringView("0")};
// The recorded sample files, scrambled.
inline constexpr SettingKey sampleFiles{QLatin1StringView("Snapshot"), {}};
// The single-text window's typed text.
inline constexpr SettingKey typedText{QLatin1StringView("Text1"), {}};
// The batch results' folder; its default is the desktop folder.
inline constexpr SettingKey destinationFolder{QLatin1StringView("Text5"), {}};
inline constexpr SettingKey extension{QLatin1StringView("Extension"), QLatin1StringView("txt")};
// The folder last walked by "Add All Text File(s) In Folder".
inline constexpr SettingKey lastFolder{QLatin1StringView("LastFolder"), {}};
// The folder last picked for the results.
inline constexpr SettingKey lastDestinationFolder{QLatin1StringView("LastFolderDot"), {}};
inline constexpr SettingKey resultsToFolder{QLatin1StringView("Option1"), QLatin1StringView("1")};
// The code page of files without a mark, by its number ("1251"); absent, the locale's language decides.
inline constexpr SettingKey ansiCodePage{QLatin1StringView("AnsiCodePage"), {}};
inline constexpr SettingKey resultsInPlace{QLatin1StringView("Option2"), QLatin1StringView("0")};
} // namespace settingkeys

} // namespace quillora
