#include <gtest/gtest.h>

#include <QCoreApplication>

#include "app/QtPolish.h"
#include "support/GuiApplication.h"

namespace velmora::app {
namespace {

// Qt's own texts the program shows: the scroll bars' context menu and the
// message boxes' standard buttons.
TEST(QtPolishTest, QtsOwnTextsArePolish)
{
    test::GuiApplication();
    ASSERT_TRUE(InstallQtPolish());
    EXPECT_EQ(QCoreApplication::translate("QScrollBar", "Scroll here"), QString::fromUtf8("Przewiń tutaj"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Anuluj"));
}

}  // namespace
}  // namespace velmora::app
