// The program's settings: application "Corvanta", section "Quillora".
#pragma once

#include "engine/AnsiCodePage.h"
#include "platform/SettingsStore.h"
#include "ui/SettingKeys.h"

namespace quillora {

// A setting as read: its text, and what the store found.
struct SettingRead
{
    QString text;
    StoredValue found;
};

// The stored text of key, read as a text file is read: UTF-8 when it is valid, else in the user's code page; the
// default when the key is missing or its value cannot be read.
SettingRead ReadSetting(SettingsStore& store, const SettingKey& key);

QString GetSetting(SettingsStore& store, const QString& key, const QString& defaultValue);
// The stored value of key, or its default.
QString GetSetting(SettingsStore& store, const SettingKey& key);
QString GetSetting(SettingsStore& store, const SettingKey& key, const QString& defaultValue);
// Throws Failure when the value cannot be stored.
void SaveSetting(SettingsStore& store, const QString& key, const QString& value);
void SaveSetting(SettingsStore& store, const SettingKey& key, const QString& value);
// For handlers without an error report: a value that cannot be stored is left as it was.
void SaveSettingQuietly(SettingsStore& store, const SettingKey& key, const QString& value);
// The same without waiting for the write where the store can write later: the latest value is what ends up stored.
void SaveSettingLater(SettingsStore& store, const SettingKey& key, const QString& value);

// The code page of files without a mark: the stored "AnsiCodePage", else the locale's.
AnsiCodePage storedAnsiCodePage(SettingsStore& store);

// A stored Boolean: "True"/"False" or a decimal number, 0 meaning False; anything else counts as False.
bool settingAsBoolean(const QString& value);
QString booleanSetting(bool value);

} // namespace quillora
