// Finds a window's control by its object name, as a test reaches a control it cannot see as a member.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <stdexcept>
#include <string>

namespace quillora::testing {

inline const QObject& asObject(const QObject& object)
{
    return object;
}
inline const QObject& asObject(const QObject* object)
{
    return *object;
}
template <typename Window> const QObject& asObject(const std::unique_ptr<Window>& window)
{
    return *window;
}

// The control of that type and name anywhere below the window; throws when there is none, so a renamed
// control fails the test that uses it.
template <typename Control, typename Window> Control* find(const Window& window, const char* name)
{
    const QObject& owner = asObject(window);
    for (QObject* candidate : owner.findChildren<QObject*>(QLatin1String(name))) {
        if (auto* control = dynamic_cast<Control*>(candidate))
            return control;
    }
    throw std::logic_error(std::string("no control named ") + name);
}

} // namespace quillora::testing
