// main() of the test programs that need Qt: an application object on the
// offscreen platform (fonts, windows and dialogs without a screen).
#include "ArgumentosSemTela.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    zandoval::ArgumentosSemTela argumentos;
    QApplication app(argumentos.argc, argumentos.argv());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
