// Builds the Services bundle from the doubles.
#include "platform/testing/TestServices.h"

#include <QDir>

namespace quillora::testing {

TestServices::TestServices()
    : settings(settingsFolder.path())
{
    settings.tellUnreadableTo(messages);
}

QString TestServices::setting(const QString& key, const QString& defaultValue)
{
    return settings.get(QStringLiteral("Corvanta"), QStringLiteral("Quillora"), key, defaultValue);
}

void TestServices::setSetting(const QString& key, const QString& value)
{
    settings.save(QStringLiteral("Corvanta"), QStringLiteral("Quillora"), key, value);
}

Services TestServices::services()
{
    return Services{messages,
                    dialogs,
                    shell,
                    events,
                    settings,
                    random,
                    *fileFacts,
                    QDir::toNativeSeparators(programFolder.path()),
                    [this] { ++endProgramCalls; }};
}

} // namespace quillora::testing
