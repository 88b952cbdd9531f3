#include "support/ImageFile.h"

#include "TestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(ImageFile, Save_FormatBySuffixAndReadableBack)
{
    ScratchDir dir;
    QImage image(7, 5, QImage::Format_RGB888);
    image.fill(Qt::red);
    image.setPixelColor(0, 0, Qt::blue);
    ASSERT_TRUE(saveImageFile(image, dir.file("view.png")));
    ASSERT_TRUE(saveImageFile(image, dir.file("view.JPG")));
    const QImage png(dir.file("view.png"), "png");
    EXPECT_EQ(png.size(), QSize(7, 5));
    EXPECT_EQ(png.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(QImage(dir.file("view.JPG"), "jpg").size(), QSize(7, 5));
}

TEST(ImageFile, Save_FailureKeepsTheEarlierFile)
{
    ScratchDir dir;
    const QString path = dir.write("view.png", "earlier");
    QImage image(3, 3, QImage::Format_RGB888);
    image.fill(Qt::green);
    EXPECT_FALSE(saveImageFile(image, dir.file("view.unknownformat")));
    EXPECT_FALSE(saveImageFile(QImage(), path));
    EXPECT_FALSE(saveImageFile(image, QString()));
    EXPECT_FALSE(saveImageFile(image, dir.file("missing/view.png")));
    EXPECT_EQ(readBytes(path), QByteArray("earlier"));
}

TEST(ImageFile, Save_FullDiskKeepsTheEarlierFileAndSaysWhy)
{
    const FullFileSystem disk;
    if (!disk.skipReason().isEmpty())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString path = disk.writeThenFill("view.png", "earlier");
    QImage image(64, 64, QImage::Format_RGB888);
    image.fill(Qt::green);
    QString reason;
    EXPECT_FALSE(saveImageFile(image, path, &reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(readBytes(path), QByteArray("earlier"));
}
