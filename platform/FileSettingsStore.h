// The settings store on disk: one small file per key, replaced whole by a rename on every write.
#pragma once

#include "platform/SettingsStore.h"

namespace quillora {

class FileSettingsStore : public SettingsStore
{
public:
    // root is the folder that holds one folder per application.
    explicit FileSettingsStore(QString root);
    // The user's store: the platform's per-user configuration folder (~/.config on Linux).
    static QString userRoot();

    // An empty name addresses nothing: reading gives the default, writing fails with "Invalid procedure call".
    QString get(const QString& application, const QString& section, const QString& key,
                const QString& defaultValue) override;
    void save(const QString& application, const QString& section, const QString& key, const QString& value) override;

    QString valuePath(const QString& application, const QString& section, const QString& key) const;

private:
    QString root_;
};

} // namespace quillora
