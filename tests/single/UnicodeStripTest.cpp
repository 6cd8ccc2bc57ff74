// The window as painted: the strips show their texts on the window's colour. With QUILLORA_SCREENSHOT set to a
// file name, the picture of the window with a text loaded and converted is saved there.
#include "SingleTextFixture.h"
#include "ui/Styling.h"

#include <QImage>
#include <QPixmap>

namespace quillora::testing {
namespace {

// Pixels of a part of the window that differ clearly from the strip's background.
int inkIn(const QImage& picture, const QRect& area, const QColor& background)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor colour = picture.pixelColor(x, y);
            if (qAbs(colour.lightness() - background.lightness()) > 80)
                ++ink;
        }
    }
    return ink;
}

TEST_F(SingleTextTest, TheStripsShowTheLoadedAndTheConvertedText)
{
    writeFile(file(QStringLiteral("poem.txt")),
              QString::fromUtf16(u"Quillora puts every word on a line of its own \u2014 caf\u00E9, \u00FCber, "
                                 u"\u4E2D\u6587 and \u03B1\u03B2\u03B3 included.")
                  .toUtf8());
    open();
    form->show();
    const auto stripArea
        = [this](const UnicodeStrip* strip) { return QRect(strip->mapTo(form.get(), QPoint(0, 0)), strip->size()); };
    const QColor face = buttonFaceColour();
    QImage before = form->grab().toImage();
    EXPECT_EQ(inkIn(before, stripArea(find<UnicodeStrip>(form, "inputStrip")), face), 0);
    EXPECT_EQ(inkIn(before, stripArea(find<UnicodeStrip>(form, "resultStrip")), face), 0);

    load(file(QStringLiteral("poem.txt")));
    find<QPushButton>(form, "startConverting")->click();
    QCoreApplication::processEvents();
    const QImage after = form->grab().toImage();
    EXPECT_GT(inkIn(after, stripArea(find<UnicodeStrip>(form, "inputStrip")), face), 100);
    EXPECT_GT(inkIn(after, stripArea(find<UnicodeStrip>(form, "resultStrip")), face), 20);
    EXPECT_EQ(after.pixelColor(2, after.height() / 2), face);

    const QString target = qEnvironmentVariable("QUILLORA_SCREENSHOT");
    if (!target.isEmpty()) {
        EXPECT_TRUE(after.save(target)) << target.toStdString();
    }
}

} // namespace
} // namespace quillora::testing
