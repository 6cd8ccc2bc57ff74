// New unnamed files made ahead on a thread of their own, for one folder at a time: making a file costs the file
// system more than writing a small one, and the run converts the next file meanwhile. While one lives, every new
// replacing file is taken from it, so that no caller in between has to pass it on.
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
    // Keeps at most mostReady files ready; without a thread of its own it keeps none. Until it is destroyed, new
    // replacing files come from it rather than from one made before it.
    explicit FilesAhead(std::size_t mostReady = defaultMostReady);
    // Closes the files not taken: without a name, they leave nothing behind.
    ~FilesAhead();
    FilesAhead(const FilesAhead&) = delete;
    FilesAhead& operator=(const FilesAhead&) = delete;

    // Closes the files ready and makes no more until a file is asked for again.
    void giveBack();

    static constexpr std::size_t defaultMostReady = 16;

private:
    friend int takeFileMadeAhead(const QString& folder);

    // A new unnamed file in folder, open for writing, or -1 when none is ready; files for another folder are
    // dropped and the thread turns to this one.
    int take(const QString& folder);
    void work();
    void dropAll();

    std::mutex mutex_;
    std::condition_variable changed_;
    QString folder_;
    std::deque<int> handles_;
    const std::size_t mostReady_;
    bool ending_ = false;
    // The one that was taken from before this one was made.
    FilesAhead* before_ = nullptr;
    BackgroundWork thread_;
};

// A new unnamed file in folder, open for writing, from the files made ahead that live, or -1 when none is ready.
int takeFileMadeAhead(const QString& folder);

// A new unnamed file in folder, open for writing, or -1 where the system makes none; and its closing.
int makeUnnamedFile(const QString& folder);
void closeUnnamedFile(int handle);

} // namespace quillora
