// A failed step: the short description that the error box shows, in the platform's usual words.
#pragma once

#include <QString>
#include <exception>

namespace quillora {

class Failure : public std::exception
{
public:
    explicit Failure(QString description, int number = 0)
        : description_(std::move(description))
        , number_(number)
    { }

    const QString& description() const { return description_; }
    // The classic error number (70 permission denied, 76 path not found, ...), 0 when there is none.
    int number() const { return number_; }
    const char* what() const noexcept override { return "quillora::Failure"; }

    static Failure permissionDenied() { return Failure(QStringLiteral("Permission denied"), 70); }
    // A file that cannot be replaced because its folder takes no new files.
    static Failure permissionDeniedInFolder(const QString& folder)
    {
        return Failure(QStringLiteral("Permission denied: cannot replace files in the folder ") + folder, 70);
    }
    static Failure fileNotFound() { return Failure(QStringLiteral("File not found"), 53); }
    static Failure pathNotFound() { return Failure(QStringLiteral("Path not found"), 76); }
    static Failure overflow() { return Failure(QStringLiteral("Overflow"), 6); }
    static Failure invalidArgument() { return Failure(QStringLiteral("Invalid procedure call or argument"), 5); }
    static Failure diskFull() { return Failure(QStringLiteral("Disk full"), 61); }
    static Failure outOfMemory() { return Failure(QStringLiteral("Out of memory"), 7); }
    static Failure deviceIo() { return Failure(QStringLiteral("Device I/O error"), 57); }
    // A pipe, socket or device where a file was expected.
    static Failure notAFile() { return Failure(QStringLiteral("Path/File access error"), 75); }
    static Failure typeMismatch() { return Failure(QStringLiteral("Type mismatch"), 13); }

private:
    QString description_;
    int number_;
};

} // namespace quillora
