#include "support/TextContrast.h"

#include <QColor>
#include <gtest/gtest.h>

using namespace TextContrast;

TEST(TextContrast, Ratio_SpansOneToTwentyOneWhicheverColourComesFirst)
{
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(QColor(200, 60, 60), QColor(200, 60, 60)), 1.0, 1e-9);
    // Dark grey on a saturated red: the unreadable pair the list used to draw.
    EXPECT_LT(contrastRatio(QColor(Qt::darkGray), QColor(200, 30, 30)), 1.5);
    EXPECT_NEAR(relativeLuminance(QColor(128, 128, 128)), 0.2158605, 1e-6);
}

TEST(TextContrast, ReadableText_IsBlackOrWhiteAndReadableOnEveryColour)
{
    EXPECT_EQ(readableTextColor(Qt::yellow), QColor(Qt::black));
    EXPECT_EQ(readableTextColor(QColor(0, 0, 128)), QColor(Qt::white));
    EXPECT_EQ(readableTextColor(Qt::white), QColor(Qt::black));
    EXPECT_EQ(readableTextColor(Qt::black), QColor(Qt::white));
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                const QColor background(r, g, b);
                const QColor text = readableTextColor(background);
                EXPECT_GE(contrastRatio(text, background), readableRatio)
                    << r << ',' << g << ',' << b;
                EXPECT_GE(
                    contrastRatio(text, background),
                    contrastRatio(text == QColor(Qt::black) ? Qt::white : Qt::black, background));
            }
        }
    }
}
