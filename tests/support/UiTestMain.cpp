#include <QApplication>
#include <gtest/gtest.h>

// Screen tests need one QApplication for the whole binary; CTest selects the
// offscreen platform so no display is needed. Listing the tests (as CTest's
// discovery does) needs no application at all.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
