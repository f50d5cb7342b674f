// Test runner for widget tests: one QApplication for the whole run, offscreen
// unless the caller chose a platform, and a fresh TMPDIR so no real settings are touched.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir tmp; // created under the caller's TMPDIR before we replace it
    setenv("TMPDIR", tmp.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
