// Starts Quillora: first holds the standard descriptors open; then with arguments the command line, which needs no
// display; without (or with Qt's own options only), the application object, the real platform services, then the
// main menu's start-up.
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DesktopIdentity.h"
#include "app/QtOwnOptions.h"
#include "app/Usage.h"
#include "platform/DisplayPresence.h"
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
#include <cstdio>

int main(int argc, char* argv[])
{
    quillora::holdStandardDescriptors();
    if (!quillora::onlyQtOptions(argc, argv))
        return quillora::runCommandLine(argc, argv);
    // Qt would abort without a word a user could act on.
    if (!quillora::displayPresent(quillora::namesQtPlatform(argc, argv))) {
        std::fputs((quillora::noDisplayLine() + u'\n').toLocal8Bit().constData(), stderr);
        return 1;
    }
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
