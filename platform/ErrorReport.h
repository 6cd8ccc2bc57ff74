// The error report of a procedure: runs its numbered steps, shows "Application Error" for a failed step, goes on.
#pragma once

#include "platform/Failure.h"
#include "platform/MessageBoxes.h"

#include <QString>
#include <functional>

namespace quillora {

class ErrorReport
{
public:
    // How a failed step is told: the procedure it failed in, its line and the failure's description.
    using Teller = std::function<void(const QString& origin, int line, const QString& description)>;

    // origin is the text after "in ", e.g. "Quillora2021/08/31.Form3.PushButton13_Click".
    ErrorReport(MessageBoxes& boxes, QString origin);
    // Tells each failure through teller instead of the error box, for work that is not done in a window.
    ErrorReport(Teller teller, QString origin);

    // The origin of a procedure of this program: "Quillora2021/08/31." followed by its label.
    static QString programOrigin(const QString& label);
    static QString programOrigin(const char* label) { return programOrigin(QString::fromLatin1(label)); }
    // Tells each failure in the "Application Error" box.
    static Teller boxTeller(MessageBoxes& boxes);
    static QString supportAddress();
    // The whole text of the error box.
    static QString boxText(const QString& description, const QString& origin, int line);

    // Runs one step; a failure is reported and false returned, so the procedure goes on with its next step.
    template <typename Step> bool step(int line, Step&& run)
    {
        line_ = line;
        if (const std::optional<StepFailure> failure = tryStep(line, std::forward<Step>(run))) {
            report(line, failure->description);
            return false;
        }
        return true;
    }

    // Tests a choice; a test that fails counts as true, so the branch below it runs next.
    template <typename Test> bool choice(int line, Test&& test)
    {
        bool result = true;
        step(line, [&] { result = test(); });
        return result;
    }

    void report(int line, const QString& description);
    // Shows the box for a failure a procedure handed back: under that procedure's label when the failed step is
    // its own, else under this report's origin.
    void report(const StepFailure& failure);

    int currentLine() const { return line_; }
    int failureCount() const { return failures_; }
    const QString& origin() const { return origin_; }

private:
    Teller teller_;
    QString origin_;
    int line_ = 0;
    int failures_ = 0;
};

} // namespace quillora
