// The options QGuiApplication and QApplication take out of the arguments, with one dash or two.
#include "app/QtOwnOptions.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>

namespace quillora {

namespace {
constexpr std::array<QByteArrayView, 19> optionsWithValue
    = {"platform",    "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
       "qwindowicon", "qwindowtitle",       "style",         "stylesheet", "session",
       "display",     "geometry",           "title",         "name",       "font",
       "fn",          "background",         "foreground",    "button"};
constexpr std::array<QByteArrayView, 6> optionsAlone
    = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

// The option's name without its dashes, or empty for an argument that is not an option.
QByteArrayView optionName(QByteArrayView argument)
{
    if (!argument.startsWith('-') || argument.size() < 2)
        return {};
    return argument.sliced(argument.startsWith("--") ? 2 : 1);
}

template <std::size_t N> bool listed(const std::array<QByteArrayView, N>& names, QByteArrayView name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}
} // namespace

bool onlyQtOptions(int argc, const char* const argv[])
{
    for (int index = 1; index < argc; ++index) {
        const QByteArrayView argument(argv[index]);
        const QByteArrayView name = optionName(argument);
        // -qmljsdebugger carries its value after "=".
        if (listed(optionsAlone, name) || name.startsWith("qmljsdebugger="))
            continue;
        if (!listed(optionsWithValue, name) || index + 1 >= argc)
            return false;
        ++index;
    }
    return true;
}

bool namesQtPlatform(int argc, const char* const argv[])
{
    for (int index = 1; index < argc; ++index) {
        if (optionName(QByteArrayView(argv[index])) == "platform")
            return true;
    }
    return false;
}

} // namespace quillora
