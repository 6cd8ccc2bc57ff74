// The text box's context menu: the entries, texts and order of a plain text box's own menu, with Undo, Redo and
// Select All acting on the whole text rather than on the part shown.
#include "windows/single/TextBoxControl.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QTextCursor>

namespace quillora {

namespace {
// An entry's text, with its key after a tab where menus show keys.
QString entryText(const char* label, std::optional<QKeySequence::StandardKey> key = std::nullopt)
{
    QString text = QString::fromLatin1(label);
    const bool showsKeys = !QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus)
        && QGuiApplication::styleHints()->showShortcutsInContextMenus();
    if (key && showsKeys)
        text += u'\t' + QKeySequence(*key).toString(QKeySequence::NativeText);
    return text;
}

// Adds an entry named, and with the theme's icon, after the freedesktop action it stands for.
template <typename Receiver, typename Slot>
QAction* addEntry(QMenu& menu, const QString& text, const char* name, bool enabled, Receiver* receiver, Slot slot)
{
    QAction* action = menu.addAction(text);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    const QString actionName = QString::fromLatin1(name);
    action->setObjectName(actionName);
    action->setIcon(QIcon::fromTheme(actionName));
    action->setEnabled(enabled);
    return action;
}
} // namespace

void TextBoxControl::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(makeContextMenu());
    menu->exec(event->globalPos());
    followCursor();
}

QMenu* TextBoxControl::makeContextMenu()
{
    auto* menu = new QMenu(this);
    const bool editable = !isReadOnly();
    const bool selected = textCursor().hasSelection();
    if (editable) {
        addEntry(*menu, entryText("&Undo", QKeySequence::Undo), "edit-undo", buffer_->canUndo(), buffer_,
                 &TextBuffer::undo);
        addEntry(*menu, entryText("&Redo", QKeySequence::Redo), "edit-redo", buffer_->canRedo(), buffer_,
                 &TextBuffer::redo);
        menu->addSeparator();
        addEntry(*menu, entryText("Cu&t", QKeySequence::Cut), "edit-cut", selected, this, &TextBoxControl::cut);
    }
    addEntry(*menu, entryText("&Copy", QKeySequence::Copy), "edit-copy", selected, this, &TextBoxControl::copy);
    if (editable) {
        addEntry(*menu, entryText("&Paste", QKeySequence::Paste), "edit-paste", canPaste(), this,
                 &TextBoxControl::paste);
        addEntry(*menu, entryText("Delete"), "edit-delete", selected, this, &TextBoxControl::deleteSelection);
    }
    menu->addSeparator();
    addEntry(*menu, entryText("Select All", QKeySequence::SelectAll), "select-all", !text().isEmpty(), this,
             &TextBoxControl::selectWholeText);
    return menu;
}

void TextBoxControl::deleteSelection()
{
    QTextCursor cursor = textCursor();
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

} // namespace quillora
