// The secondary windows: building one help page in idle time, opening the
// help window, and changing the presentation's page.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/HelpWindow.h"
#include "app/PresentationWindow.h"
#include "content/ContentItem.h"
#include "content/ContentSet.h"
#include "support/GuiApplication.h"
#include "support/TestFiles.h"
#include "toolkit/IdleSlot.h"

namespace velmora::app {
namespace {

QApplication& Application()
{
    return test::GuiApplication();
}

// A text-like page: lines of ink strokes on white, anti-aliased edges.
std::unique_ptr<ContentItem> HelpPage(int width, int height, const std::string& key)
{
    auto page = std::make_unique<ContentItem>();
    page->name = key;
    page->flags = kHasPicture;
    page->value = 30;
    auto picture = std::make_shared<CoveragePicture>();
    picture->SetSize(width, height);
    std::mt19937 random(7);
    std::uint8_t* pixels = picture->Data();
    for (int y = 0; y < height; ++y) {
        const bool textLine = (y / 14) % 2 == 0 && y % 14 < 11;
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] =
                textLine && random() % 3 == 0 ? static_cast<std::uint8_t>(128 + random() % 128) : 0;
    }
    page->image = std::move(picture);
    return page;
}

// Constructed first in the set-ups, so the application exists before any
// widget member.
struct NeedsApplication {
    NeedsApplication() { Application(); }
};

struct HelpSetUp : NeedsApplication {
    explicit HelpSetUp(int pageCount)
    {
        for (int i = 0; i < pageCount; ++i)
            pages.AddChild(HelpPage(1200, 1700, "page" + std::to_string(i)));
        mainWindow.setGeometry(0, 0, 1100, 1000);
        window = std::make_unique<HelpWindow>(pages, QColor(0xE7, 0xEC, 0xF1), mainWindow);
    }

    ContentItem pages;
    QWidget mainWindow;
    std::unique_ptr<HelpWindow> window;
};

void BuildOneHelpPage(benchmark::State& state)
{
    HelpSetUp help(1);
    help.window->SetZoom(layout::HelpZoom::Percent70);
    help.window->PrepareToShow("");
    ContentItem& page = *help.pages.ChildAt(0);
    for (auto _ : state) {
        page.Invalidate(Scope::Self);
        bool done = true;
        help.window->BuildPagesOnIdle(done);
        if (!page.prepared)
            state.SkipWithError("page not built");
    }
    IdleSlot::Clear();
}
BENCHMARK(BuildOneHelpPage)->Unit(benchmark::kMillisecond);

// Opening to the first paint: layout, placing the view at the key, showing
// and painting the visible pages (grey boxes, or built pages when the
// argument is 1).
void OpenHelpToFirstPaint(benchmark::State& state)
{
    HelpSetUp help(60);
    if (state.range(0) == 1) {
        help.window->PrepareToShow("");
        bool done = false;
        while (!done) {
            done = true;
            help.window->BuildPagesOnIdle(done);
        }
    }
    for (auto _ : state) {
        help.window->PrepareToShow("page30");
        help.window->show();
        help.window->PagePanel().repaint();
        state.PauseTiming();
        IdleSlot::Clear();
        help.window->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenHelpToFirstPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A photo-like 1600 x 1200 page: smooth gradients with some noise.
test::Bytes PageJpeg(int variant)
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    std::mt19937 random(static_cast<unsigned>(variant));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgb((x / 7 + variant * 40) % 256, (y / 5) % 256, (x + y) / 12 % 256 ^ (random() % 16)));
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("Arial"), 48));
    painter.drawText(QRect(100, 100, 1400, 1000), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Plansza %1: spółgłoski zwarte, szczelinowe i nosowe").arg(variant));
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return test::Bytes(buffer.data().begin(), buffer.data().end());
}

void ChangePresentationPage(benchmark::State& state)
{
    Application();
    test::TempDir dir;
    test::CurrentDirGuard cwd(dir.Path());
    ContentSet content;
    for (int i = 1; i <= 2; ++i) {
        dir.Write("Data/pre/ipa" + std::to_string(i) + ".dat", PageJpeg(i));
        auto page = std::make_unique<ContentItem>();
        page->fileName = "ipa" + std::to_string(i);
        content.presentation.AddChild(std::move(page));
    }
    PresentationWindow window(content, QColor(0xE7, 0xEC, 0xF1));
    window.SizeForScreen({1280, 1024});
    window.show();
    QApplication::processEvents();
    bool forward = true;
    for (auto _ : state) {
        if (forward)
            window.ShowNextPage();
        else
            window.ShowPreviousPage();
        forward = !forward;
    }
    state.counters["area_width"] = window.PageBox().width();
    state.counters["area_height"] = window.PageBox().height();
}
BENCHMARK(ChangePresentationPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::app
