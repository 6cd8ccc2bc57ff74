// New unnamed files made ahead on a thread of their own, for one folder at a time: making a file costs the file
// system more than writing a small one, and the run converts the next file meanwhile.
#pragma once

#include "platform/BackgroundWork.h"

#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace quillora {

class FilesAhead
{
public:
    // Keeps at most kept files ready; without a thread of its own it keeps none.
    explicit FilesAhead(std::size_t kept = mostKept);
    // Closes the files not taken: without a name, they leave nothing behind.
    ~FilesAhead();
    FilesAhead(const FilesAhead&) = delete;
    FilesAhead& operator=(const FilesAhead&) = delete;

    // A new unnamed file in folder, open for writing, or -1 when none is ready; files for another folder are
    // dropped and the thread turns to this one.
    int take(const QString& folder);
    // Closes the files ready and makes no more until the next take.
    void giveBack();

    static constexpr std::size_t mostKept = 16;

private:
    void work();
    void dropAll();

    std::mutex mutex_;
    std::condition_variable changed_;
    QString folder_;
    std::deque<int> handles_;
    const std::size_t kept_;
    bool ending_ = false;
    BackgroundWork thread_;
};

// A new unnamed file in folder, open for writing, or -1 where the system makes none; and its closing.
int makeUnnamedFile(const QString& folder);
void closeUnnamedFile(int handle);

} // namespace quillora
