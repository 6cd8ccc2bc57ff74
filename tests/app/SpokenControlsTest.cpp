// What a screen reader finds in every window: each control has a name and a description, no two controls of a
// window read alike, and every caption fits its control.
#include "app/Application.h"
#include "app/MainMenu.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"
#include "windows/batch/BatchWindow.h"
#include "windows/single/SingleTextWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QSet>
#include <QStyle>

namespace quillora {
namespace {

// The program's own controls; Qt's inner parts (viewports, scroll bars, headers) carry "qt_" names or none.
QList<QWidget*> controlsOf(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* child : window->findChildren<QWidget*>())
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_")))
            controls.append(child);
    return controls;
}

TEST(SpokenControls, EveryControlHasANameAndADescriptionOfItsOwn)
{
    testing::TestServices doubles;
    Application program(doubles.services());
    program.start();
    QWidget* windows[] = {&program.mainMenu(), &program.singleTextWindow(), &program.batchWindow()};
    for (QWidget* window : windows) {
        QSet<QString> heard;
        const QList<QWidget*> controls = controlsOf(window);
        EXPECT_GE(controls.size(), 2) << window->objectName().toStdString();
        for (QWidget* control : controls) {
            const std::string where = (window->objectName() + u'.' + control->objectName()).toStdString();
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(spoken, nullptr) << where;
            const QString name = spoken->text(QAccessible::Name);
            const QString description = spoken->text(QAccessible::Description);
            EXPECT_FALSE(name.isEmpty()) << where;
            EXPECT_FALSE(description.isEmpty()) << where;
            EXPECT_FALSE(heard.contains(name + u'\n' + description)) << where << " reads like another control";
            heard.insert(name + u'\n' + description);
            if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                if (button->text() != QStringLiteral("...")) {
                    EXPECT_EQ(name, button->text()) << where;
                }
                // The caption and the frame or mark around it: Qt's own margin on each side, plus the round mark
                // of an option button and its gap.
                const QStyle* style = button->style();
                int room = button->width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
                if (button->inherits("QRadioButton"))
                    room = button->width() - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button)
                        - style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
                EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), room) << where << " is clipped";
            }
        }
    }
    const struct
    {
        QWidget* window;
        const char* control;
        QString name;
    } boxes[] = {
        {windows[1], "inputText", QStringLiteral("Text To Convert")},
        {windows[1], "resultText", QStringLiteral("Converted Text")},
        {windows[2], "fileListView", QStringLiteral("Text File(s)")},
        {windows[2], "destinationFolder", QStringLiteral("Destination Folder")},
    };
    for (const auto& box : boxes)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(testing::find<QWidget>(box.window, box.control))
                      ->text(QAccessible::Name),
                  box.name)
            << box.control;
}

} // namespace
} // namespace quillora
