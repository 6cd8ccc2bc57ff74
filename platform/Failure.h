// A failed step: the short description that the error box shows, in the platform's usual words; and a failure
// handed back as a value by procedures that show no box themselves.
#pragma once

#include <QString>
#include <exception>
#include <new>
#include <optional>
#include <variant>

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
    static Failure tooManyFiles() { return Failure(QStringLiteral("Too many files"), 67); }
    static Failure crossDevice() { return Failure(QStringLiteral("Can't rename with different drive"), 74); }
    // A result not put in place because the file at its path is no longer the one read.
    static Failure changedWhileConverted()
    {
        return Failure(QStringLiteral("changed while it was converted, left as it is"));
    }
    // A result not written through a symbolic link that another user owns.
    static Failure othersLink() { return Failure(QStringLiteral("a link owned by another user, left as it is")); }
    // A result not put in place because the old file's access list or attributes could not be kept.
    static Failure attributesNotKept()
    {
        return Failure(QStringLiteral("its access list or attributes could not be kept, left as it is"));
    }
    // A pipe, socket or device where a file was expected.
    static Failure notAFile() { return Failure(QStringLiteral("Path/File access error"), 75); }
    static Failure typeMismatch() { return Failure(QStringLiteral("Type mismatch"), 13); }

private:
    QString description_;
    int number_;
};

// A step that failed in a procedure that shows no box itself: which procedure, which step, and why.
struct StepFailure
{
    // The label of the procedure whose own numbered step failed (e.g. "UTF8.ReadFileToStringUTF"); empty when the
    // step is one of the caller's, to be reported under the caller's label.
    QString procedure;
    int line = 0;
    QString description;
};

// Runs one numbered step; what it throws comes back as the failure of that step, of the caller's procedure.
template <typename Step> std::optional<StepFailure> tryStep(int line, Step&& run)
{
    try {
        run();
        return std::nullopt;
    } catch (const Failure& failure) {
        return StepFailure{QString(), line, failure.description()};
    } catch (const std::bad_alloc&) {
        return StepFailure{QString(), line, Failure::outOfMemory().description()};
    }
}

// A value, or the failed step that kept it from being made.
template <typename T> class OrFailure
{
public:
    OrFailure(T value)
        : value_(std::move(value))
    { }
    OrFailure(StepFailure failure)
        : value_(std::move(failure))
    { }

    explicit operator bool() const { return std::holds_alternative<T>(value_); }
    T& operator*() { return std::get<T>(value_); }
    const T& operator*() const { return std::get<T>(value_); }
    T* operator->() { return &std::get<T>(value_); }
    const T* operator->() const { return &std::get<T>(value_); }
    const StepFailure& failure() const { return std::get<StepFailure>(value_); }

private:
    std::variant<T, StepFailure> value_;
};

} // namespace quillora
