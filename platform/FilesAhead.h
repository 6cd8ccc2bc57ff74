// New unnamed files made ahead on a thread of their own, for one folder at a time: making a file costs the file
// system more than writing a small one, and the run converts the next file meanwhile.
#pragma once

#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace quillora {

class FilesAhead
{
public:
    FilesAhead();
    // Closes the files not taken: without a name, they leave nothing behind.
    ~FilesAhead();
    FilesAhead(const FilesAhead&) = delete;
    FilesAhead& operator=(const FilesAhead&) = delete;

    // A new unnamed file in folder, open for writing, or -1 when none is ready; files for another folder are
    // dropped and the thread turns to this one.
    int take(const QString& folder);

    static constexpr std::size_t kept = 16;

private:
    void work();
    void dropAll();

    std::mutex mutex_;
    std::condition_variable changed_;
    QString folder_;
    std::deque<int> handles_;
    bool ending_ = false;
    std::thread thread_;
};

// A new unnamed file in folder, open for writing, or -1 where the system makes none; and its closing.
int makeUnnamedFile(const QString& folder);
void closeUnnamedFile(int handle);

} // namespace quillora
