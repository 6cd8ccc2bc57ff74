// Starts Quillora: first holds the standard descriptors open; then with arguments the command line, which needs no
// display; without, the application object, the real platform services, then the main menu's start-up.
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DesktopIdentity.h"
#include "platform/FileSettingsStore.h"
#include "platform/NativeFileFacts.h"
#include "platform/ProgramFolders.h"
#include "platform/QtEventPump.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtShell.h"
#include "platform/StandardDescriptors.h"
#include "platform/StdRandomSource.h"
#include "ui/FocusFrameStyle.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    quillora::holdStandardDescriptors();
    if (argc > 1)
        return quillora::runCommandLine(argc, argv);
    QApplication application(argc, argv);
    quillora::setDesktopIdentity();
    QApplication::setStyle(new quillora::FocusFrameStyle);
    QApplication::setQuitOnLastWindowClosed(false);

    quillora::QtMessageBoxes messages;
    quillora::QtFileDialogs dialogs;
    quillora::QtShell shell;
    quillora::QtEventPump events;
    quillora::FileSettingsStore settings(quillora::FileSettingsStore::userRoot());
    settings.tellUnreadableTo(messages);
    quillora::StdRandomSource random;
    quillora::NativeFileFacts facts;
    quillora::Application program(quillora::Services{
        messages, dialogs, shell, events, settings, random, facts,
        QDir::toNativeSeparators(quillora::programDataFolder(QCoreApplication::applicationDirPath())),
        [] { QCoreApplication::exit(0); }});
    program.start();
    return QApplication::exec();
}
