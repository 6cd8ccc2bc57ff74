// Starts Quillora: the application object, the real platform services, then the main menu's start-up.
#include "platform/FileSettingsStore.h"
#include "platform/QtEventPump.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtShell.h"
#include "platform/StdRandomSource.h"
#include "shell/Form1.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);

    quillora::QtMessageBoxes messages;
    quillora::QtFileDialogs dialogs;
    quillora::QtShell shell;
    quillora::QtEventPump events;
    quillora::FileSettingsStore settings(quillora::FileSettingsStore::userRoot());
    quillora::StdRandomSource random;
    quillora::Services services{messages,
                                dialogs,
                                shell,
                                events,
                                settings,
                                random,
                                QDir::toNativeSeparators(QCoreApplication::applicationDirPath()),
                                [] { QCoreApplication::exit(0); }};

    std::unique_ptr<QWidget> single;
    std::unique_ptr<QWidget> batch;
    const auto placeholder = [](std::unique_ptr<QWidget>& window) {
        if (!window)
            window = std::make_unique<QWidget>();
        return window.get();
    };
    quillora::Form1 menu(services, {[&] { return placeholder(single); }, [&] { return placeholder(batch); }});
    menu.Form_Load();
    return QApplication::exec();
}
