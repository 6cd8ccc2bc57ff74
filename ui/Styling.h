// Window styling shared by the three windows: colours, application title, optional skin, icon and hand cursor.
#pragma once

#include "platform/FileFacts.h"

#include <QColor>
#include <QIcon>
#include <QString>

class QWidget;

namespace quillora {

class WindowPointer;

QString productName();
// The system colour for button faces.
QColor buttonFaceColour();
// The button-face colour on the window's background and on its frames, labels, option buttons and check boxes.
void SetSystemColors(QWidget* window);
// The product name without its last word, shortened word by word to 40 characters; a name without a space
// is the title whole, and a single word longer than 40 characters is cut at 40.
void SetAppTitle();
QString appTitleFor(const QString& productName);
// With the skin file "x/o.cjs" beside the program, the main menu takes the button-face colours. Returns whether
// the skin file was found.
bool ApplySkin(QWidget* mainMenu, const QString& programFolder, FileFacts& facts);
QIcon programIcon();
// The prologue of every window: caption "Quillora", icon, application title.
void setCaptionIconAndTitle(QWidget* window);
QString handCursorPath(const QString& programFolder);
// Loads a cursor file as the window's custom pointer image; throws "Invalid picture" when it is not one.
void loadCustomPointerImage(WindowPointer& pointer, const QString& path);
// Loads "HAND-M.CUR" from beside the program as the custom image when the file exists; throws as above.
void loadHandCursor(WindowPointer& pointer, const QString& programFolder, FileFacts& facts);

} // namespace quillora
