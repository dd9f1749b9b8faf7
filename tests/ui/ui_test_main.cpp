// The window tests run on Qt's offscreen platform unless another one is asked for, with the program's
// own application object, so the error reporting and fonts are those of the program.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "app/application.hpp"
#include "app/startup.hpp"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    velmora::VelmoraApplication application(argc, argv);
    velmora::prepare_application();
    return RUN_ALL_TESTS();
}
