#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

#include "app/AboutWindow.h"
#include "support/GuiApplication.h"
#include "toolkit/Desktop.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/FramePlacement.h"

namespace velmora::app {
namespace {

TEST(AboutWindow, IsCentredInTheWorkArea)
{
    struct Row {
        QRect workArea;
        QSize outer;
        QPoint place;
    };
    const Row rows[] = {
        {{0, 0, 1024, 738}, {469, 476}, {277, 131}},
        {{60, 0, 1024, 738}, {469, 476}, {337, 131}},
        {{0, 30, 1280, 994}, {469, 476}, {405, 289}},
        {{0, 0, 400, 300}, {469, 476}, {-34, -88}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CentredIn(row.workArea, row.outer), row.place) << row.workArea.x();
}

TEST(AboutWindow, EachShowingBeepsFocusesOkAndEnterCloses)
{
    test::GuiApplication();
    int beeps = 0;
    std::vector<QString> opened;
    DesktopServices services;
    services.beep = [&] { ++beeps; };
    services.open = [&](const QString& target) { opened.push_back(target); };
    AboutWindow window(nullptr, services);
    EXPECT_EQ(window.Parts().versionLabel->text(), QStringLiteral("1.0 Demo"));

    for (int showing = 1; showing <= 2; ++showing) {
        bool focused = false;
        QPoint place;
        QTimer::singleShot(0, &window, [&] {
            focused = QTest::qWaitFor([&] { return window.OkButton().hasFocus(); }, 2000);
            place = window.pos();
            QTest::keyClick(&window, showing == 1 ? Qt::Key_Return : Qt::Key_Escape);
        });
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, &window, [&] { window.done(7); });
        safety.start(10000);
        const int result = window.exec();
        EXPECT_EQ(result, showing == 1 ? QDialog::Accepted : QDialog::Rejected) << showing;
        EXPECT_EQ(beeps, showing);
        EXPECT_TRUE(focused) << showing;
        EXPECT_EQ(place, CentredIn(Desktop::WorkArea(&window), window.frameGeometry().size()));
    }

    QTest::mouseClick(window.Parts().webLink, Qt::LeftButton);
    QTest::mouseClick(window.Parts().mailLink, Qt::LeftButton);
    const std::vector<QString> expected = {QStringLiteral("https://velmora.example.org/"),
                                           QStringLiteral("mailto:kontakt@velmora.example.org?subject=[Velmora Demo]")};
    EXPECT_EQ(opened, expected);
}

}  // namespace
}  // namespace velmora::app
