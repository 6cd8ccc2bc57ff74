// Window colours, the application title, the optional skin file and the program icon.
#include "ui/Styling.h"

#include "platform/ApplicationTitle.h"
#include "platform/FileFacts.h"
#include "platform/NativeFileFacts.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using quillora::testing::writeFile;

namespace {

// Shows a colour of its own as the system's button face for the length of a test.
class DistinctButtonFace
{
public:
    DistinctButtonFace()
        : saved_(QApplication::palette())
    {
        QPalette palette = saved_;
        palette.setColor(QPalette::Button, QColor(0x12, 0x9a, 0x45));
        QApplication::setPalette(palette);
    }
    ~DistinctButtonFace() { QApplication::setPalette(saved_); }
    QColor colour() const { return QColor(0x12, 0x9a, 0x45); }

private:
    QPalette saved_;
};

struct SampleWindow
{
    SampleWindow()
    {
        QPalette white = window.palette();
        white.setColor(QPalette::Window, Qt::white);
        window.setPalette(white);
        QPalette buttonFace = button->palette();
        buttonFace.setColor(QPalette::Button, Qt::white);
        button->setPalette(buttonFace);
    }
    QColor background(const QWidget* widget) const { return widget->palette().color(QPalette::Window); }

    QWidget window;
    QGroupBox* frame = new QGroupBox(QStringLiteral("Frame"), &window);
    QLabel* label = new QLabel(QStringLiteral("Label"), frame);
    QRadioButton* option = new QRadioButton(QStringLiteral("Option"), &window);
    QCheckBox* check = new QCheckBox(QStringLiteral("Check"), &window);
    QPushButton* button = new QPushButton(QStringLiteral("Button"), &window);
    QPlainTextEdit* text = new QPlainTextEdit(&window);
};

TEST(SetSystemColors, PaintsWindowFramesLabelsAndOptionsInTheSystemButtonFace)
{
    DistinctButtonFace face;
    SampleWindow sample;
    const QColor textBase = sample.text->palette().color(QPalette::Base);
    quillora::SetSystemColors(&sample.window);

    for (const QWidget* widget : {static_cast<QWidget*>(&sample.window), static_cast<QWidget*>(sample.frame),
                                  static_cast<QWidget*>(sample.label), static_cast<QWidget*>(sample.option),
                                  static_cast<QWidget*>(sample.check)}) {
        EXPECT_EQ(sample.background(widget), face.colour()) << widget->metaObject()->className();
        EXPECT_TRUE(widget->autoFillBackground()) << widget->metaObject()->className();
    }
    // Push buttons keep their white face and text boxes their own colours.
    EXPECT_EQ(sample.button->palette().color(QPalette::Button), QColor(Qt::white));
    EXPECT_EQ(sample.text->palette().color(QPalette::Base), textBase);
}

class ApplySkinTest : public ::testing::Test
{
protected:
    QString folder() const { return QDir::toNativeSeparators(programFolder.path()); }
    QString skinPath() const { return programFolder.path() + QStringLiteral("/x/o.cjs"); }

    DistinctButtonFace face;
    SampleWindow menu;
    QTemporaryDir programFolder;
    quillora::NativeFileFacts nativeFacts;
};

TEST_F(ApplySkinTest, WithoutTheSkinFileTheMenuKeepsItsWhiteBackground)
{
    EXPECT_FALSE(quillora::ApplySkin(&menu.window, folder(), nativeFacts));
    EXPECT_EQ(menu.background(&menu.window), QColor(Qt::white));

    // A folder of that name is no skin file.
    ASSERT_TRUE(QDir().mkpath(skinPath()));
    EXPECT_FALSE(quillora::ApplySkin(&menu.window, folder(), nativeFacts));
    EXPECT_EQ(menu.background(&menu.window), QColor(Qt::white));
}

TEST_F(ApplySkinTest, TheSkinFileGivesTheMenuTheButtonFaceColours)
{
    writeFile(skinPath(), QByteArray("any content: the file is only looked for"));
    EXPECT_TRUE(quillora::ApplySkin(&menu.window, folder(), nativeFacts));
    EXPECT_EQ(menu.background(&menu.window), face.colour());
    EXPECT_EQ(menu.background(menu.frame), face.colour());
    EXPECT_EQ(menu.button->palette().color(QPalette::Button), QColor(Qt::white));
}

// Native facts, except that chosen paths carry extra attribute bits.
class MarkedFileFacts : public quillora::NativeFileFacts
{
public:
    std::optional<quint32> attributes(const QString& path) override
    {
        std::optional<quint32> value = NativeFileFacts::attributes(path);
        if (value && QDir::cleanPath(QDir::fromNativeSeparators(path)) == marked)
            *value |= extra;
        return value;
    }
    QString marked;
    quint32 extra = 0;
};

TEST_F(ApplySkinTest, AHiddenOrSystemSkinFileDoesNotCount)
{
    writeFile(skinPath(), QByteArray("skin"));
    for (const quint32 bit : {quillora::attribute::hidden, quillora::attribute::system}) {
        MarkedFileFacts facts;
        facts.marked = QDir::cleanPath(skinPath());
        facts.extra = bit;
        EXPECT_FALSE(quillora::ApplySkin(&menu.window, folder(), facts)) << bit;
        EXPECT_EQ(menu.background(&menu.window), QColor(Qt::white)) << bit;
    }
    // Read-only and archive files are normal files.
    MarkedFileFacts facts;
    facts.marked = QDir::cleanPath(skinPath());
    facts.extra = quillora::attribute::readOnly | quillora::attribute::archive;
    EXPECT_TRUE(quillora::ApplySkin(&menu.window, folder(), facts));
}

TEST(ApplicationTitle, TheProductNameWithoutItsLastWordWithinFortyCharacters)
{
    using quillora::appTitleFor;
    // No space: the whole name.
    EXPECT_EQ(appTitleFor(QStringLiteral("Quillora")), QStringLiteral("Quillora"));
    EXPECT_EQ(appTitleFor(QStringLiteral("Corvanta Quillora 2021")), QStringLiteral("Corvanta Quillora"));
    // Without its last word exactly 40 characters: kept as it is.
    const QString forty = QString(19, QChar(u'a')) + QChar(u' ') + QString(20, QChar(u'b'));
    EXPECT_EQ(appTitleFor(forty + QStringLiteral(" last")), forty);
    // Still longer: shortened word by word.
    EXPECT_EQ(appTitleFor(forty + QStringLiteral("c last")), QString(19, QChar(u'a')));
    // A single word longer than 40 characters is cut to 40.
    EXPECT_EQ(appTitleFor(QString(50, QChar(u'q')) + QStringLiteral(" last")), QString(40, QChar(u'q')));
    EXPECT_EQ(appTitleFor(QString(50, QChar(u'q'))), QString(40, QChar(u'q')));
}

TEST(ApplicationTitle, EachWindowTakesCaptionIconAndTitle)
{
    quillora::setApplicationTitle(QStringLiteral("something else"));
    QWidget window;
    quillora::setCaptionIconAndTitle(&window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillora"));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(quillora::programIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(quillora::applicationTitle(), QStringLiteral("Quillora"));
}

} // namespace
