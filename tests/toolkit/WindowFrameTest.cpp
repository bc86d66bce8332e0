#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QWidget>

#include "support/GuiApplication.h"
#include "toolkit/WindowFrame.h"

namespace velmora {
namespace {

// Asking for a window's frame makes that window's native window, and no
// other: a widget made native makes its parent's children native too, and
// then every child of the main window would paint through an X window of
// its own once a dialog it owns had been asked.
TEST(WindowFrame, MakesTheNativeWindowOfTheAskedWindowOnly)
{
    test::GuiApplication();
    QWidget owner;
    auto* child = new QLabel(QStringLiteral("child"), &owner);
    owner.show();
    QDialog dialog(&owner);

    WindowFrame::Of(dialog);

    EXPECT_NE(dialog.windowHandle(), nullptr);
    EXPECT_EQ(child->internalWinId(), 0u);
    EXPECT_FALSE(child->testAttribute(Qt::WA_NativeWindow));
}

}  // namespace
}  // namespace velmora
