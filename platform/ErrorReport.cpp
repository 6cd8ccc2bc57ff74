// Builds and shows the "Application Error" box.
#include "platform/ErrorReport.h"

namespace quillora {

ErrorReport::ErrorReport(MessageBoxes& boxes, QString origin)
    : teller_(boxTeller(boxes))
    , origin_(std::move(origin))
{ }

ErrorReport::Teller ErrorReport::boxTeller(MessageBoxes& boxes)
{
    return [&boxes](const QString& origin, int line, const QString& description) {
        boxes.show({QStringLiteral("Application Error"), boxText(description, origin, line), MessageIcon::Exclamation,
                    MessageButtons::Ok});
    };
}

ErrorReport::ErrorReport(Teller teller, QString origin)
    : teller_(std::move(teller))
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
    teller_(origin_, line, description);
}

void ErrorReport::report(const StepFailure& failure)
{
    if (failure.procedure.isEmpty()) {
        line_ = failure.line;
        report(failure.line, failure.description);
        return;
    }
    // The procedure's own box: this report's line and count stay as they were, as when it showed the box itself.
    teller_(programOrigin(failure.procedure), failure.line, failure.description);
}

} // namespace quillora
