// Applies the shared window colours, the title and the icon.
#include "ui/Styling.h"

#include "folders/Paths.h"
#include "platform/ApplicationTitle.h"
#include "platform/Failure.h"
#include "platform/NativeSeparator.h"
#include "ui/WindowPointer.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

namespace quillora {

namespace {
void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

QColor buttonFaceColour()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

QString productName()
{
    return QStringLiteral("Quillora");
}

void SetSystemColors(QWidget* window)
{
    const QColor face = buttonFaceColour();
    paintBackground(window, face);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (qobject_cast<QGroupBox*>(child) || qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child)
            || qobject_cast<QLabel*>(child))
            paintBackground(child, face);
    }
}

QString appTitleFor(const QString& name)
{
    constexpr qsizetype longest = 40;
    QString title = name;
    do {
        const qsizetype space = title.lastIndexOf(QChar(u' '));
        if (space < 0)
            break;
        title = title.left(space);
    } while (title.size() > longest);
    // A single word longer than 40 characters is cut, so the title stays within its length.
    title.truncate(longest);
    return title;
}

void SetAppTitle()
{
    setApplicationTitle(appTitleFor(productName()));
}

bool ApplySkin(QWidget* mainMenu, const QString& programFolder, FileFacts& facts)
{
    const QChar separator = nativeSeparator();
    const QString skinFolder = programFolder + separator + QStringLiteral("x");
    bool found = false;
    for (const QString& name : facts.listFiles(skinFolder, QStringLiteral("o.cjs"))) {
        const std::optional<quint32> value = facts.attributes(skinFolder + separator + name);
        found = found || (value && (*value & (attribute::hidden | attribute::system)) == 0);
    }
    if (found)
        SetSystemColors(mainMenu);
    return found;
}

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/quillora.svg"));
}

void setCaptionIconAndTitle(QWidget* window)
{
    window->setWindowTitle(productName());
    window->setWindowIcon(programIcon());
    SetAppTitle();
}

QString handCursorPath(const QString& programFolder)
{
    return programFolder + nativeSeparator() + QStringLiteral("HAND-M.CUR");
}

void loadCustomPointerImage(WindowPointer& pointer, const QString& path)
{
    const std::optional<QCursor> cursor = loadCursorFile(path);
    if (!cursor)
        throw Failure(QStringLiteral("Invalid picture"), 481);
    pointer.setCustomImage(*cursor);
}

void loadHandCursor(WindowPointer& pointer, const QString& programFolder, FileFacts& facts)
{
    const QString path = handCursorPath(programFolder);
    if (FileExists(path, facts))
        loadCustomPointerImage(pointer, path);
}

} // namespace quillora
