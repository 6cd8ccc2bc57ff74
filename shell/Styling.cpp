// Applies the shared window colours, the title and the icon.
#include "shell/Styling.h"

#include "platform/ApplicationTitle.h"
#include "platform/FileFacts.h"
#include "platform/NativeSeparator.h"
#include "shell/Paths.h"
#include "shell/WindowPointer.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
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

QColor buttonFaceColour(const QWidget* window)
{
    return window->style() ? window->style()->standardPalette().color(QPalette::Button)
                           : window->palette().color(QPalette::Button);
}
} // namespace

QString productName()
{
    return QStringLiteral("Quillora");
}

void SetSystemColors(QWidget* window)
{
    const QColor face = buttonFaceColour(window);
    paintBackground(window, face);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (qobject_cast<QGroupBox*>(child) || qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child)
            || qobject_cast<QLabel*>(child))
            paintBackground(child, face);
    }
}

QString appTitleFor(const QString& name)
{
    QString title = name;
    do {
        const qsizetype space = title.lastIndexOf(QChar(u' '));
        if (space < 0)
            break;
        title = title.left(space);
    } while (title.size() > 40);
    return title;
}

void SetAppTitle()
{
    setApplicationTitle(appTitleFor(productName()));
}

bool ApplySkin(QWidget* mainMenu, const QString& programFolder)
{
    const QChar separator = nativeSeparator();
    const QString skinFolder = programFolder + separator + QStringLiteral("x");
    bool found = false;
    for (const QString& name : fileFacts().listFiles(skinFolder, QStringLiteral("o.cjs"))) {
        const std::optional<quint32> value = fileFacts().attributes(skinFolder + separator + name);
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

void loadHandCursor(WindowPointer& pointer, const QString& programFolder)
{
    const QString path = handCursorPath(programFolder);
    if (!FileExists(path))
        return;
    if (const std::optional<QCursor> cursor = loadCursorFile(path))
        pointer.setCustomImage(*cursor);
}

} // namespace quillora
