#include <QApplication>
#include <gtest/gtest.h>

// Widget tests share one application object; they run under a real or virtual display.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
