// Builds and shows the "Application Error" box.
#include "platform/ErrorReport.h"

namespace quillora {

ErrorReport::ErrorReport(MessageBoxes& boxes, QString origin)
    : boxes_(boxes)
    , origin_(std::move(origin))
{ }

QString ErrorReport::programOrigin(const QString& label)
{
    return QStringLiteral("Quillora2021/08/31.") + label;
}

QString ErrorReport::supportAddress()
{
    return QStringLiteral("support@corvanta.example");
}

QString ErrorReport::boxText(const QString& description, const QString& origin, int line)
{
    return description + QStringLiteral("\r\nin ") + origin + QStringLiteral(" at line ") + QString::number(line)
        + QStringLiteral("\r\rPlease email screenshot of this message to ") + supportAddress();
}

void ErrorReport::report(int line, const QString& description)
{
    ++failures_;
    boxes_.show({QStringLiteral("Application Error"), boxText(description, origin_, line), MessageIcon::Exclamation,
                 MessageButtons::Ok});
}

void ErrorReport::report(const StepFailure& failure)
{
    if (failure.procedure.isEmpty()) {
        line_ = failure.line;
        report(failure.line, failure.description);
        return;
    }
    // The procedure's own box: this report's line and count stay as they were, as when it showed the box itself.
    ErrorReport(boxes_, programOrigin(failure.procedure)).report(failure.line, failure.description);
}

} // namespace quillora
