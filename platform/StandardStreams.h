// Standard input kept in a file for reading back, and standard output written, both under the stop signals.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace quillora {

// A file in the temporary folder that has no name from the start, or loses it at once where the file system
// cannot make such files (on Windows: one the system deletes when its last handle closes); it is gone when it is
// destroyed, however the program ends.
class StandardInputSpool
{
public:
    // Throws Failure when no such file can be made.
    StandardInputSpool();
    ~StandardInputSpool();
    StandardInputSpool(const StandardInputSpool&) = delete;
    StandardInputSpool& operator=(const StandardInputSpool&) = delete;

    // Copies all of standard input into the file (a pipe cannot be read twice). Throws Failure when reading or
    // writing fails, StopSignalCaught when a stop signal comes, even while it waits on a pipe.
    void fill();
    // A path that opens the file again.
    QString path() const;

private:
    // The descriptor, or on Windows the handle, of the file.
    qintptr handle_ = -1;
    // The path that opens it again where the file keeps its name.
    QString path_;
};

// Writes all of bytes to standard output, going on after a short write. Throws Failure ("Broken pipe" when the
// reader has gone), StopSignalCaught when a stop signal comes, even while it waits on a full pipe.
void writeStandardOutput(QByteArrayView bytes);

} // namespace quillora
