#include "toolkit/NativeWindow.h"

#include <QWidget>

namespace velmora {
namespace {

// QWidget::create is protected; a pointer to it taken through a derived
// class may be applied to any widget.
struct Creator : QWidget {
    static void Create(QWidget& window) { (window.*&Creator::create)(0, true, true); }
};

}  // namespace

void CreateNativeWindow(QWidget& window)
{
    Creator::Create(window);
}

}  // namespace velmora
