// The settings store on disk: one small file per key, replaced whole by a rename on every write.
#pragma once

#include "platform/BackgroundWork.h"
#include "platform/SettingsStore.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <variant>

namespace quillora {

class MessageBoxes;

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

    // A value that exists but cannot be read is told of once, in a notice naming its file and the reason, and kept:
    // saving the default read in its place leaves it as it is, saving another value replaces it.
    // An empty name addresses nothing: reading finds nothing, writing fails with "Invalid procedure call".
    StoredValue read(const QString& application, const QString& section, const QString& key,
                     const QString& defaultValue) override;
    // Where values that cannot be read are told of; without it, a message box of the platform's when the program
    // has windows, else the standard error stream.
    void tellUnreadableTo(MessageBoxes& messages) { messages_ = &messages; }
    void save(const QString& application, const QString& section, const QString& key, const QString& value) override;
    // Hands the value to a writer thread of the store's own; a newer value for the same key replaces one not yet
    // written. Where no thread can be started, the value is written before this returns.
    void saveLater(const QString& application, const QString& section, const QString& key,
                   const QString& value) override;
    // Returns once every value handed to the writer is stored.
    void flush();

    QString valuePath(const QString& application, const QString& section, const QString& key) const;

private:
    void keepUnreadable(const QString& path, const StoredValue& value, const QString& defaultValue);
    // True when value is the default read in place of a value that cannot be read: the file stays as it is.
    bool leavesUnreadable(const QString& path, const QString& value);
    void tellUnreadable(const QString& path, const QString& reason);
    bool writerBusy();
    void writeLaterValues();
    // Writes the values waiting, with lock held between them, until none waits.
    void writeWaiting(std::unique_lock<std::mutex>& lock);
    // Returns, with lock held, once no value for path waits or is being written.
    void waitForWriter(std::unique_lock<std::mutex>& lock, const QString& path);

    QString root_;
    MessageBoxes* messages_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable written_;
    // The latest value not yet written, by file path: the text, or its UTF-8 when it came while the writer was busy.
    std::map<QString, std::variant<QString, QByteArray>> later_;
    QString writing_;
    bool stopping_ = false;
    // The default read in place of each value that cannot be read, by file path, until another value is saved.
    std::map<QString, QString> unreadable_;
    // The files of values that cannot be read already told of, once each in a run.
    std::set<QString> told_;
    BackgroundWork writer_;
};

} // namespace quillora
