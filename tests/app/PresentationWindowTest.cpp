#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/PresentationWindow.h"
#include "content/ContentSet.h"
#include "graphics/Bitmap.h"
#include "support/GuiApplication.h"
#include "support/JpegFiles.h"
#include "support/TestFiles.h"
#include "toolkit/Desktop.h"
#include "toolkit/WindowFrame.h"

namespace velmora::app {
namespace {

using test::Bytes;

Bytes Jpeg(const QImage& image, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    const QByteArray& data = buffer.data();
    return Bytes(data.begin(), data.end());
}

Bytes SolidJpeg(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return Jpeg(image);
}

// Qt writes no CMYK JPEG; libjpeg does.
Bytes CmykJpeg(int width, int height)
{
    return test::EncodeJpeg(
        width, height, 4, JCS_CMYK, [](jpeg_compress_struct&) {},
        [](std::vector<unsigned char>& row) { std::fill(row.begin(), row.end(), 0x40); });
}

struct PageFile {
    std::string name;
    std::optional<Bytes> bytes;  // none: the file is missing
};

struct LinkEntry {
    std::string caption;  // Windows-1250, as in the content file
    std::string target;
};

// A presentation window over pages written to a fresh content directory,
// with a recorder in place of the desktop's opener.
struct PresentationFixture : test::NeedsGuiApplication {
    PresentationFixture(const std::vector<PageFile>& pages, const std::vector<LinkEntry>& links = {}) : cwd(dir.Path())
    {
        for (const PageFile& page : pages) {
            if (page.bytes)
                dir.Write("Data/pre/" + page.name + ".dat", *page.bytes);
            auto item = std::make_unique<ContentItem>();
            item->name = page.name;
            item->fileName = page.name;
            item->flags = kInPresentation;
            content.presentation.AddChild(std::move(item));
        }
        for (const LinkEntry& link : links) {
            auto item = std::make_unique<ContentItem>();
            item->name = link.caption;
            item->fileName = link.target;
            content.presentation.title.AddChild(std::move(item));
        }
        DesktopServices services;
        services.open = [this](const QString& target) { opened.push_back(target); };
        services.beep = [] {};
        // Sized by its construction alone, for the offscreen screen of 800 x 800.
        window = std::make_unique<PresentationWindow>(content, QColor(0xE7, 0xEC, 0xF1), nullptr, services);
    }

    void Show()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Waits for the refresh the showing schedules.
    bool WaitForRefresh()
    {
        return QTest::qWaitFor([&] { return !window->ScaledBitmap().Empty(); }, 3000);
    }

    QRgb PagePixel(int x, int y) const { return window->PageBox().parentWidget()->grab().toImage().pixel(x, y); }

    test::TempDir dir;
    test::CurrentDirGuard cwd;
    ContentSet content;
    std::vector<QString> opened;
    std::unique_ptr<PresentationWindow> window;
};

bool Near(QRgb pixel, const QColor& colour)
{
    return std::abs(qRed(pixel) - colour.red()) < 24 && std::abs(qGreen(pixel) - colour.green()) < 24 &&
           std::abs(qBlue(pixel) - colour.blue()) < 24;
}

std::vector<PageFile> RedPages(int count)
{
    std::vector<PageFile> pages;
    for (int i = 0; i < count; ++i)
        pages.push_back({std::string("p").append(std::to_string(i + 1)), SolidJpeg(40 + i, 30, Qt::red)});
    return pages;
}

TEST(PresentationWindow, CounterButtonsAndLinksFollowThePage)
{
    struct Row {
        int pages;
        int nextClicks;
        const char* counter;
        bool previousEnabled;
        bool nextEnabled;
        bool linksVisible;
    };
    const Row rows[] = {
        {3, 0, "Strona 1 / 3", false, true, true},  {3, 1, "Strona 2 / 3", true, true, false},
        {3, 2, "Strona 3 / 3", true, false, false}, {3, 5, "Strona 3 / 3", true, false, false},
        {1, 0, "Strona 1 / 1", false, false, true}, {1, 2, "Strona 1 / 1", false, false, true},
        {0, 0, "Strona 0 / 0", false, false, true}, {11, 10, "Strona 11 / 11", true, false, false},
    };
    for (const Row& row : rows) {
        PresentationFixture presentation(RedPages(row.pages), {{"Jeden", "a"}, {"Dwa", "b"}});
        presentation.Show();
        for (int i = 0; i < row.nextClicks; ++i)
            presentation.window->ShowNextPage();
        PresentationWindow& window = *presentation.window;
        EXPECT_EQ(window.PageLabel().text().toStdString(), row.counter) << row.pages << "/" << row.nextClicks;
        EXPECT_EQ(window.PreviousButton().isEnabled(), row.previousEnabled) << row.counter;
        EXPECT_EQ(window.NextButton().isEnabled(), row.nextEnabled) << row.counter;
        EXPECT_EQ(window.Link(1).isVisible(), row.linksVisible) << row.counter;
        EXPECT_EQ(window.Link(2).isVisible(), row.linksVisible) << row.counter;
        // Back to the first page, the links show again.
        for (int i = 0; i < row.nextClicks; ++i)
            QTest::mouseClick(&window.PreviousButton(), Qt::LeftButton);
        EXPECT_TRUE(window.Link(1).isVisible()) << row.counter;
        EXPECT_EQ(window.PageIndex(), 0) << row.counter;
    }
}

TEST(PresentationWindow, ReopensOnThePageLeftAndKeepsThePictureOfAMissingPage)
{
    PresentationFixture presentation({{"p1", SolidJpeg(64, 48, Qt::red)},
                                      {"p2", std::nullopt},
                                      {"p3", SolidJpeg(32, 32, Qt::blue)},
                                      {"p4", SolidJpeg(50, 20, Qt::green)}});
    presentation.Show();
    PresentationWindow& window = *presentation.window;
    EXPECT_EQ(window.PageBitmap().Width(), 64);

    QTest::mouseClick(&window.NextButton(), Qt::LeftButton);
    EXPECT_EQ(window.PageLabel().text(), QStringLiteral("Strona 2 / 4"));
    EXPECT_EQ(window.PageBitmap().Width(), 64) << "the missing page leaves the previous picture";
    EXPECT_TRUE(Near(presentation.PagePixel(320, 240), Qt::red));

    QTest::mouseClick(&window.NextButton(), Qt::LeftButton);
    EXPECT_EQ(window.PageBitmap().Width(), 32);
    EXPECT_TRUE(Near(presentation.PagePixel(320, 240), Qt::blue));

    window.reject();
    EXPECT_FALSE(window.isVisible());
    presentation.Show();
    EXPECT_EQ(window.PageLabel().text(), QStringLiteral("Strona 3 / 4"));
    EXPECT_EQ(window.PageIndex(), 2);
    EXPECT_EQ(window.PageBitmap().Width(), 32);
}

TEST(PresentationWindow, PageAreaFollowsTheScreenSize)
{
    PresentationFixture presentation(RedPages(1));
    PresentationWindow& window = *presentation.window;
    ASSERT_EQ(Desktop::ScreenSize(nullptr), QSize(800, 800));  // the offscreen screen
    EXPECT_EQ(window.PageBox().size(), QSize(640, 480)) << "as constructed";
    // The whole window around the page area, the window manager's frame
    // included.
    const QSize around = (window.size() - window.PageBox().size()).grownBy(WindowFrame::Of(window));
    struct Row {
        QSize screen;
        QSize area;
    };
    const Row rows[] = {
        {{1280, 1024}, {1024, 768}},
        {QSize(1024, 768) + around, {1024, 768}},
        {QSize(1023, 768) + around, {800, 600}},
        {QSize(1024, 767) + around, {800, 600}},
        {{1024, 768}, {800, 600}},
        {{800, 600}, {640, 480}},
        {{640, 480}, {640, 480}},
        {{0, 0}, {640, 480}},
    };
    for (const Row& row : rows) {
        window.SizeForScreen(row.screen);
        EXPECT_EQ(window.PageBox().size(), row.area) << row.screen.width() << "x" << row.screen.height();
    }
    // Never smaller than the smallest page area.
    presentation.window->resize(100, 100);
    EXPECT_EQ(presentation.window->PageBox().size(), QSize(640, 480));
}

TEST(PresentationWindow, PagesAreFittedAndCentred)
{
    struct Row {
        const char* name;
        QSize page;
        QRect fitted;  // in the 640 x 480 page area
    };
    const Row rows[] = {
        {"wide", {400, 100}, {0, 160, 640, 160}},
        {"tall", {100, 400}, {260, 0, 120, 480}},
        {"same shape", {320, 240}, {0, 0, 640, 480}},
        {"larger", {1600, 1200}, {0, 0, 640, 480}},
    };
    for (const Row& row : rows) {
        PresentationFixture presentation({{"p", SolidJpeg(row.page.width(), row.page.height(), Qt::red)}});
        presentation.Show();
        ASSERT_TRUE(presentation.WaitForRefresh()) << row.name;
        const Bitmap& scaled = presentation.window->ScaledBitmap();
        EXPECT_EQ(QSize(scaled.Width(), scaled.Height()), row.fitted.size()) << row.name;
        const QRect& r = row.fitted;
        EXPECT_TRUE(Near(presentation.PagePixel(r.center().x(), r.center().y()), Qt::red)) << row.name;
        EXPECT_TRUE(Near(presentation.PagePixel(r.left() + 2, r.top() + 2), Qt::red)) << row.name;
        EXPECT_TRUE(Near(presentation.PagePixel(r.right() - 2, r.bottom() - 2), Qt::red)) << row.name;
        if (r.top() > 0) {
            EXPECT_TRUE(Near(presentation.PagePixel(r.center().x(), r.top() - 3), Qt::white)) << row.name;
        }
        if (r.left() > 0) {
            EXPECT_TRUE(Near(presentation.PagePixel(r.left() - 3, r.center().y()), Qt::white)) << row.name;
        }
    }
}

TEST(PresentationWindow, BadPageFilesNeverCrashAndDecodableOnesAreShown)
{
    const Bytes good = SolidJpeg(90, 70, Qt::green);
    QImage grey(90, 70, QImage::Format_Grayscale8);
    grey.fill(128);
    QImage colour(90, 70, QImage::Format_RGB32);
    colour.fill(Qt::blue);
    Bytes corrupt = good;
    for (std::size_t i = corrupt.size() / 3; i < corrupt.size() - 2; i += 7)
        corrupt[i] = static_cast<std::uint8_t>(corrupt[i] * 31 + 17);
    struct Row {
        const char* name;
        Bytes bytes;
        std::optional<QSize> shown;  // none: refused, the first page stays
        bool mayBeRefused;           // decodable by some builds of the decoder only
    };
    const Row rows[] = {
        {"progressive", Jpeg(colour, true), QSize(90, 70), false},
        {"greyscale", Jpeg(grey), QSize(90, 70), false},
        {"cmyk", CmykJpeg(90, 70), QSize(90, 70), true},
        {"truncated", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)), std::nullopt,
         false},
        {"corrupt", corrupt, std::nullopt, false},
        {"not a picture", Bytes{'h', 'e', 'l', 'l', 'o'}, std::nullopt, false},
        {"empty", Bytes{}, std::nullopt, false},
        {"huge declared size", test::WithDeclaredSize(good, 65000, 65000), std::nullopt, false},
        {"huge progressive", test::WithDeclaredSize(Jpeg(colour, true), 60000, 50000), std::nullopt, false},
    };
    for (const Row& row : rows) {
        PresentationFixture presentation({{"first", SolidJpeg(33, 22, Qt::red)}, {"second", row.bytes}});
        presentation.Show();
        presentation.window->ShowNextPage();
        const Bitmap& page = presentation.window->PageBitmap();
        const QSize size(page.Width(), page.Height());
        EXPECT_EQ(presentation.window->PageLabel().text(), QStringLiteral("Strona 2 / 2")) << row.name;
        if (row.shown && !(row.mayBeRefused && size == QSize(33, 22))) {
            EXPECT_EQ(size, *row.shown) << row.name;
        } else {
            EXPECT_EQ(size, QSize(33, 22)) << row.name << ": the previous page stays";
        }
    }
}

TEST(PresentationWindow, LinksOpenTheirTargetUnchanged)
{
    struct Row {
        const char* name;
        std::vector<LinkEntry> links;
        QString firstCaption;
        QString firstHint;
        std::vector<QString> opened;  // after clicking link 1, then link 2
    };
    const QString wiki = QString::fromUtf8("https://pl.wikipedia.org/wiki/Międzynarodowy_alfabet_fonetyczny");
    const Row rows[] = {
        {"two links",
         {{"IPA", "https://www.example.org/ipa?x=1&y=%20"},
          {"Wiki", "https://pl.wikipedia.org/wiki/Mi\xea"
                   "dzynarodowy_alfabet_fonetyczny"}},
         "IPA",
         "https://www.example.org/ipa?x=1&y=%20",
         {"https://www.example.org/ipa?x=1&y=%20", wiki}},
        {"three links, two used",
         {{"A", "docs/a.pdf"}, {"B", "b.html"}, {"C", "c.html"}},
         "A",
         "docs/a.pdf",
         {"docs/a.pdf", "b.html"}},
        {"one link: blank labels, the first still opens", {{"A", "a.html"}}, "", "", {"a.html"}},
        {"no links", {}, "", "", {}},
        {"an empty target", {{"A", ""}, {"B", "b"}}, "A", "", {"", "b"}},
    };
    for (const Row& row : rows) {
        PresentationFixture presentation(RedPages(2), row.links);
        presentation.Show();
        PresentationWindow& window = *presentation.window;
        EXPECT_EQ(window.Link(1).text(), row.firstCaption) << row.name;
        EXPECT_EQ(window.Link(1).toolTip(), row.firstHint) << row.name;
        QTest::mouseClick(&window.Link(1), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(&window.Link(2), Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(presentation.opened, row.opened) << row.name;
    }
}

TEST(PresentationWindow, PageKeysTurnPagesWhereverTheFocusIs)
{
    PresentationFixture presentation(RedPages(5), {{"Jeden", "a"}, {"Dwa", "b"}});
    presentation.Show();
    PresentationWindow& window = *presentation.window;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(window.NextButton().hasFocus()) << "Space turns the page on opening";
    struct Step {
        Qt::Key key;
        int page;
    };
    const Step steps[] = {
        {Qt::Key_Space, 1}, {Qt::Key_Right, 2},  {Qt::Key_PageDown, 3}, {Qt::Key_Right, 4}, {Qt::Key_Right, 4},
        {Qt::Key_Left, 3},  {Qt::Key_PageUp, 2}, {Qt::Key_Home, 0},     {Qt::Key_Left, 0},  {Qt::Key_End, 4},
    };
    for (const Step& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.key);
        EXPECT_EQ(window.PageIndex(), step.page) << QKeySequence(step.key).toString().toStdString();
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Link(1).focusPolicy() & Qt::TabFocus) << "a link with a caption is reached with Tab";
}

TEST(PresentationWindow, ShowsModallyAndEscapeCloses)
{
    PresentationFixture presentation(RedPages(2));
    bool refreshed = false;
    QTimer::singleShot(0, presentation.window.get(), [&] {
        refreshed = presentation.WaitForRefresh();
        QTest::keyClick(presentation.window.get(), Qt::Key_Escape);
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, presentation.window.get(), &QDialog::accept);
    safety.start(10000);
    EXPECT_EQ(presentation.window->exec(), QDialog::Rejected);
    EXPECT_TRUE(safety.isActive()) << "closed by the safety timer, not by Escape";
    EXPECT_TRUE(refreshed);
}

}  // namespace
}  // namespace velmora::app
