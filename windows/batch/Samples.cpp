// Records and adds the sample files; the recorded list is kept scrambled in the settings.
#include "windows/batch/Samples.h"

#include "engine/Windows1252.h"
#include "folders/FileListing.h"
#include "folders/Paths.h"
#include "platform/NativeSeparator.h"
#include "ui/Settings.h"

#include <optional>

namespace quillora {

namespace {

// The Windows-1252 code of character, or nothing when the code page lacks it (or it is NUL).
std::optional<int> codeOf(QChar character)
{
    if (character.unicode() == 0)
        return std::nullopt;
    const int code = windows1252Code(character.unicode());
    if (code == u'?' && character != QChar(u'?'))
        return std::nullopt;
    return code;
}

template <typename Shift> QString shiftEach(const QString& text, const QString& key, EventPump& events, Shift shift)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        const std::optional<int> code = codeOf(character);
        if (code && !key.isEmpty()) {
            const int keyCode = windows1252Code(key.at(i % key.size()).unicode());
            result.append(QChar(windows1252Character(static_cast<unsigned char>(shift(*code, keyCode)))));
        } else {
            result.append(character);
        }
        events.letEventsThrough();
    }
    return result;
}

} // namespace

QString sampleListKey()
{
    return QStringLiteral("tovmerik");
}

QString samplesFolder(const QString& programFolder)
{
    return programFolder + nativeSeparator() + QStringLiteral("Samples");
}

QString ScrambleText(const QString& text, const QString& key, EventPump& events)
{
    return shiftEach(text, key, events, [](int code, int keyCode) {
        const int sum = code + keyCode;
        return sum > 255 ? sum - 255 : sum;
    });
}

QString UnscrambleText(const QString& text, const QString& key, EventPump& events)
{
    return shiftEach(text, key, events, [](int code, int keyCode) {
        const int difference = code - keyCode;
        return difference < 1 ? difference + 255 : difference;
    });
}

void RecordSampleFiles(SettingsStore& settings, const QString& programFolder, EventPump& events, FileFacts& facts)
{
    const QString folder = samplesFolder(programFolder) + nativeSeparator();
    QStringList paths;
    for (const QString& name : ListFilesInFolder(samplesFolder(programFolder), QStringLiteral("*.*"), facts))
        paths.append(folder + name);
    SaveSetting(settings, settingkeys::sampleFiles, ScrambleText(paths.join(QChar(u'|')), sampleListKey(), events));
}

void AddSampleFiles(FileListModel& list, Services& services)
{
    const QString recorded
        = UnscrambleText(GetSetting(services.settings, settingkeys::sampleFiles), sampleListKey(), services.events);
    for (const QString& path : recorded.split(QChar(u'|'))) {
        if (FileExists(path, services.fileFacts) && !ListViewHasItem(list.entries(), path))
            list.append(path);
    }
    if (!services.messages.askYesNo(QStringLiteral(
            "Would you like this software to open the folder where these sample files are stored (so that you can "
            "view them before working with them)?")))
        return;
#ifdef Q_OS_WIN
    services.shell.open(QChar(u'"') + samplesFolder(services.programFolder) + nativeSeparator() + QChar(u'"'));
#else
    services.shell.open(samplesFolder(services.programFolder) + nativeSeparator());
#endif
}

} // namespace quillora
