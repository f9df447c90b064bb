// Runs the front end's tests under an English locale: sizes and byte
// counts then read 1,024.00 KB and 4,294,967,295 whatever the machine's.
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
