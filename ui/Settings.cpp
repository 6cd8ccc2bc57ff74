// Reads and writes settings under the program's application and section names.
#include "ui/Settings.h"

#include "engine/AnsiDecoder.h"
#include "engine/Utf8Check.h"
#include "platform/Failure.h"

namespace quillora {

namespace {
const QString application = QStringLiteral("Corvanta");
const QString section = QStringLiteral("Quillora");

QString storedText(SettingsStore& store, const QString& key, const StoredValue& found, const QString& defaultValue)
{
    if (found.state != StoredValue::State::Stored)
        return defaultValue;
    if (checkUtf8(found.bytes).valid)
        return QString::fromUtf8(found.bytes);
    // Edited by hand in the user's code page; the code page's own setting cannot name itself.
    const AnsiCodePage page = key == settingkeys::ansiCodePage.name ? localeAnsiCodePage() : storedAnsiCodePage(store);
    return decodeAnsi(found.bytes, page);
}
} // namespace

QString GetSetting(SettingsStore& store, const QString& key, const QString& defaultValue)
{
    return storedText(store, key, store.read(application, section, key, defaultValue), defaultValue);
}

SettingRead ReadSetting(SettingsStore& store, const SettingKey& key)
{
    SettingRead read;
    read.found = store.read(application, section, key.name, key.defaultValue);
    read.text = storedText(store, key.name, read.found, key.defaultValue);
    return read;
}

void SaveSetting(SettingsStore& store, const QString& key, const QString& value)
{
    store.save(application, section, key, value);
}

QString GetSetting(SettingsStore& store, const SettingKey& key)
{
    return GetSetting(store, key.name, key.defaultValue);
}

QString GetSetting(SettingsStore& store, const SettingKey& key, const QString& defaultValue)
{
    return GetSetting(store, key.name, defaultValue);
}

void SaveSetting(SettingsStore& store, const SettingKey& key, const QString& value)
{
    SaveSetting(store, key.name, value);
}

void SaveSettingQuietly(SettingsStore& store, const SettingKey& key, const QString& value)
{
    try {
        SaveSetting(store, key, value);
    } catch (const Failure&) { }
}

void SaveSettingLater(SettingsStore& store, const SettingKey& key, const QString& value)
{
    try {
        store.saveLater(application, section, key.name, value);
    } catch (const Failure&) { }
}

AnsiCodePage storedAnsiCodePage(SettingsStore& store)
{
    return ansiCodePageFromSetting(GetSetting(store, settingkeys::ansiCodePage));
}

bool settingAsBoolean(const QString& value)
{
    const QString trimmed = value.trimmed();
    if (trimmed.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool number = false;
    const double parsed = trimmed.toDouble(&number);
    return number && parsed != 0.0;
}

QString booleanSetting(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace quillora
