#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QWidget>

#include <functional>

#include "support/GuiApplication.h"
#include "toolkit/NativeWindow.h"
#include "toolkit/WindowFrame.h"

namespace velmora {
namespace {

// Making a window's native window, directly or by asking for its frame,
// makes that one and no other: a widget marked native makes its parent's
// children native too, and then every panel of the main window would paint
// through an X window of its own once a dialog it owns had been asked.
TEST(NativeWindow, IsMadeForTheWindowAloneNotForItsOwnersChildren)
{
    struct Row {
        const char* name;
        std::function<void(QWidget&)> make;
    };
    const Row rows[] = {
        {"made directly", [](QWidget& window) { CreateNativeWindow(window); }},
        {"made to ask for the frame", [](QWidget& window) { WindowFrame::Of(window); }},
    };
    test::GuiApplication();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget owner;
        auto* child = new QLabel(QStringLiteral("child"), &owner);
        owner.show();
        QDialog dialog(&owner);

        row.make(dialog);

        EXPECT_NE(dialog.windowHandle(), nullptr);
        EXPECT_EQ(child->internalWinId(), 0u);
        EXPECT_FALSE(child->testAttribute(Qt::WA_NativeWindow));
    }
}

}  // namespace
}  // namespace velmora
