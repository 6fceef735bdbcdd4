// Test entry: the Qt Sql driver wants a core application around it.
#include <QCoreApplication>

#include "ScratchUserFolders.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const ScratchUserFolders folders;
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
