// The settings store on disk: one small file per key, replaced whole by a rename on every write.
#pragma once

#include "platform/BackgroundWork.h"
#include "platform/SettingsStore.h"

#include <condition_variable>
#include <map>
#include <mutex>

namespace quillora {

class FileSettingsStore : public SettingsStore
{
public:
    // root is the folder that holds one folder per application.
    explicit FileSettingsStore(QString root);
    // Stores the values still waiting for the writer.
    ~FileSettingsStore() override;
    FileSettingsStore(const FileSettingsStore&) = delete;
    FileSettingsStore& operator=(const FileSettingsStore&) = delete;
    // The user's store: the platform's per-user configuration folder (~/.config on Linux).
    static QString userRoot();

    // An empty name addresses nothing: reading gives the default, writing fails with "Invalid procedure call".
    QString get(const QString& application, const QString& section, const QString& key,
                const QString& defaultValue) override;
    void save(const QString& application, const QString& section, const QString& key, const QString& value) override;
    // Hands the value to a writer thread of the store's own; a newer value for the same key replaces one not yet
    // written. Where no thread can be started, the value is written before this returns.
    void saveLater(const QString& application, const QString& section, const QString& key,
                   const QString& value) override;
    // Returns once every value handed to the writer is stored.
    void flush();

    QString valuePath(const QString& application, const QString& section, const QString& key) const;

private:
    void writeLaterValues();
    // Writes the values waiting, with lock held between them, until none waits.
    void writeWaiting(std::unique_lock<std::mutex>& lock);
    // Returns, with lock held, once no value for path waits or is being written.
    void waitForWriter(std::unique_lock<std::mutex>& lock, const QString& path);

    QString root_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable written_;
    // The latest value not yet written, by file path.
    std::map<QString, QString> later_;
    QString writing_;
    bool stopping_ = false;
    BackgroundWork writer_;
};

} // namespace quillora
