// Pipes, sockets and devices given where a text file is expected: every reader refuses them at once.
#include "engine/FileBytes.h"
#include "engine/TextReaders.h"
#include "platform/Failure.h"
#include "platform/NativeFileFacts.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <functional>
#include <future>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillora {
namespace {

// The failure a reader hands back, thrown as the lower procedures throw theirs.
void textOrThrow(const OrFailure<FileText>& text)
{
    if (!text)
        throw Failure(text.failure().description);
}

// The description a read throws, or "read" when it returns.
QString outcome(const std::function<void()>& read)
{
    try {
        read();
        return QStringLiteral("read");
    } catch (const Failure& failure) {
        return failure.description();
    }
}

// Makes a socket file at path; its descriptor stays open until the test ends.
int bindSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || size_t(name.size()) >= sizeof(address.sun_path))
        return -1;
    std::copy(name.begin(), name.end(), address.sun_path);
    return ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 ? fd : -1;
}

TEST(SpecialFiles, EveryReaderRefusesAPipeASocketAndADeviceWithoutWaiting)
{
    QTemporaryDir folder;
    const QString pipe = folder.filePath(QStringLiteral("pipe.txt"));
    const QString socket = folder.filePath(QStringLiteral("socket.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const int socketFd = bindSocket(socket);
    ASSERT_GE(socketFd, 0);

    const std::pair<const char*, std::function<void(const QString&)>> readers[] = {
        {"FileHasBOM", [](const QString& path) { FileHasBOM(path); }},
        {"ReadFileToString",
         [](const QString& path) {
             NativeFileFacts facts;
             textOrThrow(ReadFileToString(path, ReadingMode::Whole, localeAnsiCodePage(), facts));
         }},
        {"ReadFileToString in file",
         [](const QString& path) {
             NativeFileFacts facts;
             textOrThrow(ReadFileToString(path, ReadingMode::InFile, localeAnsiCodePage(), facts));
         }},
        {"readFileBytes", [](const QString& path) { readFileBytes(path); }},
        {"scanFileBytes", [](const QString& path) { scanFileBytes(path, 0, false); }},
        {"fileLength", [](const QString& path) { fileLength(path); }},
    };
    for (const QString& path : {pipe, socket, QStringLiteral("/dev/zero")}) {
        for (const auto& [name, read] : readers) {
            // A reader that waits for a writer would hang the test; it is let go by opening the pipe for writing.
            auto result = std::async(std::launch::async, [&] { return outcome([&] { read(path); }); });
            if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
                ADD_FAILURE() << name << " is still waiting on " << path.toStdString();
                const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
                result.wait();
                ::close(writer);
                continue;
            }
            EXPECT_EQ(result.get(), QStringLiteral("Path/File access error")) << name << " " << path.toStdString();
        }
    }
    ::close(socketFd);
}

} // namespace
} // namespace quillora

#endif
