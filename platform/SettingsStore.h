// The per-user settings store: text values addressed by application, section and key.
#pragma once

#include <QString>

namespace quillora {

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored value, or the default when the key is absent.
    virtual QString get(const QString& application, const QString& section, const QString& key,
                        const QString& defaultValue)
        = 0;
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
