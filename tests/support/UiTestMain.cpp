#include <QApplication>
#include <gtest/gtest.h>

// Screen tests need one QApplication for the whole binary; CTest selects the
// offscreen platform so no display is needed.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
