// The per-user settings store: text values addressed by application, section and key.
#pragma once

#include <QByteArray>
#include <QString>

namespace quillora {

// What reading one value found.
struct StoredValue
{
    enum class State
    {
        Missing,
        Stored,
        // The value exists but cannot be read: a folder, pipe or device in its place, or no permission.
        Unreadable
    };
    State state = State::Missing;
    // The stored bytes, as they are on disk.
    QByteArray bytes;
    // Why a value that exists cannot be read, in the words of the error box ("Permission denied").
    QString reason;
};

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored bytes of the value. defaultValue is what the program uses when the value is missing or cannot
    // be read: saving that same value leaves a value that cannot be read as it is, so that it is not lost to a
    // default the user never chose.
    virtual StoredValue read(const QString& application, const QString& section, const QString& key,
                             const QString& defaultValue)
        = 0;
    // The stored value as UTF-8, or the default when the key is absent or cannot be read.
    QString get(const QString& application, const QString& section, const QString& key, const QString& defaultValue)
    {
        const StoredValue value = read(application, section, key, defaultValue);
        return value.state == StoredValue::State::Stored ? QString::fromUtf8(value.bytes) : defaultValue;
    }
    // Creates or replaces the value; durable and whole when the call returns.
    virtual void save(const QString& application, const QString& section, const QString& key, const QString& value) = 0;
    // Creates or replaces the value without waiting for the write, where the store can: the latest value given
    // is what ends up stored, a read of the key gives it, and it is stored before the store is destroyed. A value
    // that cannot be stored is left as it was.
    virtual void saveLater(const QString& application, const QString& section, const QString& key, const QString& value)
    {
        save(application, section, key, value);
    }
};

} // namespace quillora
