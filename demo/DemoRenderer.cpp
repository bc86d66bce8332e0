#include "demo/DemoRenderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace velmora::tool::demo {

namespace {

const QColor kInk(0, 0, 0);
const QColor kPageTitle(0x2F, 0x5D, 0x8A);
const QColor kSymbol(0x12, 0x2B, 0x57);
const QColor kGrid(0xB8, 0xC4, 0xD0);
const QColor kHeaderFill(0xE7, 0xEC, 0xF1);
constexpr int kPageWidth = 1024;
constexpr int kPageHeight = 768;
// The first page's two links sit on the lower left of the page area, from 80
// pixels above its bottom; at the smallest area (640 x 480) that is the last
// 128 rows of the page. The first page keeps them, and a gap, white.
constexpr int kLinkStrip = 136;

QFont EmojiFont(int pixelSize)
{
    QFont font(QStringLiteral("Noto Color Emoji"));
    font.setPixelSize(pixelSize);
    return font;
}

QFont TextFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Colour emoji turn into rather pale greys; a gamma curve over the area of
// the emoji darkens the mid-tones so that the outlines read clearly in grey
// while white stays white.
void DarkenEmoji(QImage& image, const QRect& area)
{
    std::array<QRgb, 256> curve{};
    for (int level = 0; level < 256; ++level) {
        const int dark = static_cast<int>(std::lround(255.0 * std::pow(level / 255.0, 1.8)));
        curve[level] = qRgb(dark, dark, dark);
    }
    const QRect clipped = area.intersected(image.rect());
    for (int row = clipped.top(); row <= clipped.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int col = clipped.left(); col <= clipped.right(); ++col)
            line[col] = curve[static_cast<std::size_t>(qGray(line[col]))];
    }
}

QImage WhiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The largest pixel size, up to `largest`, at which `text` fits `width`.
int FittingPixelSize(const QString& text, int width, int largest, bool bold)
{
    for (int size = largest; size > 8; --size) {
        if (QFontMetrics(TextFont(size, bold)).horizontalAdvance(text) <= width)
            return size;
    }
    return 8;
}

// One table of the chart: a header row, a header column and cells of symbols.
struct ChartTable {
    QStringList columns;
    QStringList rows;
    std::vector<QStringList> cells;  // one list per row, one text per column
};

void DrawPageTitle(QPainter& painter, const QString& title, int pageNumber)
{
    painter.fillRect(0, 0, kPageWidth, 72, kPageTitle);
    painter.setPen(Qt::white);
    painter.setFont(TextFont(30, true));
    painter.drawText(QRect(32, 0, kPageWidth - 140, 72), Qt::AlignVCenter | Qt::AlignLeft, title);
    painter.setFont(TextFont(20));
    painter.drawText(QRect(kPageWidth - 140, 0, 110, 72), Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("%1 / %2").arg(pageNumber).arg(DemoRenderer::PresentationPageCount()));
}

void DrawTable(QPainter& painter, const ChartTable& table, const QRect& area, int symbolSize)
{
    const int headerWidth = 200;
    const int headerHeight = 64;
    const int columnWidth = (area.width() - headerWidth) / static_cast<int>(table.columns.size());
    const int rowHeight = (area.height() - headerHeight) / static_cast<int>(table.rows.size());
    const int right = area.left() + headerWidth + columnWidth * static_cast<int>(table.columns.size());
    const int bottom = area.top() + headerHeight + rowHeight * static_cast<int>(table.rows.size());

    painter.fillRect(area.left(), area.top(), right - area.left(), headerHeight, kHeaderFill);
    painter.fillRect(area.left(), area.top(), headerWidth, bottom - area.top(), kHeaderFill);
    painter.setPen(kInk);
    painter.setFont(TextFont(14, true));
    for (int c = 0; c < table.columns.size(); ++c) {
        const QRect cell(area.left() + headerWidth + c * columnWidth, area.top(), columnWidth, headerHeight);
        painter.drawText(cell.adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, table.columns[c]);
    }
    painter.setFont(TextFont(16, true));
    for (int r = 0; r < table.rows.size(); ++r) {
        const QRect cell(area.left(), area.top() + headerHeight + r * rowHeight, headerWidth, rowHeight);
        painter.drawText(cell.adjusted(10, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                         table.rows[r]);
    }
    painter.setPen(kSymbol);
    for (int r = 0; r < table.rows.size(); ++r) {
        for (int c = 0; c < table.columns.size(); ++c) {
            const QRect cell(area.left() + headerWidth + c * columnWidth, area.top() + headerHeight + r * rowHeight,
                             columnWidth, rowHeight);
            const QString& text = table.cells[r][c];
            painter.setFont(TextFont(FittingPixelSize(text, columnWidth - 12, symbolSize, false)));
            painter.drawText(cell, Qt::AlignCenter, text);
        }
    }
    painter.setPen(QPen(kGrid, 1));
    for (int r = 0; r <= table.rows.size(); ++r) {
        const int y = area.top() + headerHeight + r * rowHeight;
        painter.drawLine(area.left(), y, right, y);
    }
    painter.drawLine(area.left(), area.top(), right, area.top());
    for (int c = 0; c <= table.columns.size(); ++c) {
        const int x = area.left() + headerWidth + c * columnWidth;
        painter.drawLine(x, area.top(), x, bottom);
    }
    painter.drawLine(area.left(), area.top(), area.left(), bottom);
}

const QStringList kMannerRows = {
    QStringLiteral("Zwarte"),       QStringLiteral("Nosowe"),
    QStringLiteral("Drżące"),       QStringLiteral("Uderzeniowe"),
    QStringLiteral("Szczelinowe"),  QStringLiteral("Szczelinowe boczne"),
    QStringLiteral("Aproksymanty"), QStringLiteral("Aproksymanty boczne"),
};

ChartTable FrontConsonants()
{
    return {{QStringLiteral("Dwuwargowe"), QStringLiteral("Wargowo-zębowe"), QStringLiteral("Zębowe"),
             QStringLiteral("Dziąsłowe"), QStringLiteral("Zadziąsłowe"), QStringLiteral("Retrofleksyjne")},
            kMannerRows,
            {{"p  b", "", "", "t  d", "", "ʈ  ɖ"},
             {"m", "ɱ", "", "n", "", "ɳ"},
             {"ʙ", "", "", "r", "", ""},
             {"", "ⱱ", "", "ɾ", "", "ɽ"},
             {"ɸ  β", "f  v", "θ  ð", "s  z", "ʃ  ʒ", "ʂ  ʐ"},
             {"", "", "", "ɬ  ɮ", "", ""},
             {"", "ʋ", "", "ɹ", "", "ɻ"},
             {"", "", "", "l", "", "ɭ"}}};
}

ChartTable BackConsonants()
{
    return {{QStringLiteral("Podniebienne"), QStringLiteral("Miękkopodniebienne"), QStringLiteral("Języczkowe"),
             QStringLiteral("Gardłowe"), QStringLiteral("Krtaniowe")},
            kMannerRows,
            {{"c  ɟ", "k  ɡ", "q  ɢ", "", "ʔ"},
             {"ɲ", "ŋ", "ɴ", "", ""},
             {"", "", "ʀ", "", ""},
             {"", "", "", "", ""},
             {"ç  ʝ", "x  ɣ", "χ  ʁ", "ħ  ʕ", "h  ɦ"},
             {"", "", "", "", ""},
             {"j", "ɰ", "", "", ""},
             {"ʎ", "ʟ", "", "", ""}}};
}

ChartTable OtherConsonants()
{
    return {{QStringLiteral("Symbole"), QStringLiteral("Opis")},
            {QStringLiteral("Mlaski"), QStringLiteral("Iniekcyjne"), QStringLiteral("Ejektywne"),
             QStringLiteral("Inne spółgłoski"), QStringLiteral("Zwarto-szczelinowe")},
            {{"ʘ  ǀ  ǃ  ǂ  ǁ", "wargowy, zębowy, zadziąsłowy, podniebienny, boczny"},
             {"ɓ  ɗ  ʄ  ɠ  ʛ", "dwuwargowa, zębowa, podniebienna, miękkopodniebienna, języczkowa"},
             {"pʼ  tʼ  kʼ  sʼ", "zwarte i szczelinowe ejektywne"},
             {"ʍ  w  ɥ  ʜ  ʢ  ʡ  ɕ  ʑ  ɺ  ɧ", "m.in. ɕ ʑ: polskie ś i ź"},
             {"t͡s  d͡z  t͡ʃ  d͡ʒ  t͡ɕ  d͡ʑ", "łuk łączy dwa symbole jednej głoski"}}};
}

ChartTable Diacritics()
{
    return {{QStringLiteral("Znak"), QStringLiteral("Przykład"), QStringLiteral("Znak"), QStringLiteral("Przykład")},
            {QStringLiteral("Bezdźwięczność, dźwięczność"), QStringLiteral("Przydech, nosowość"),
             QStringLiteral("Zębowość, sylabiczność"), QStringLiteral("Palatalizacja, labializacja"),
             QStringLiteral("Niesylabiczność, centralizacja"), QStringLiteral("Akcent główny, poboczny"),
             QStringLiteral("Długość, półdługość")},
            {{"◌̥", "n̥  d̥", "◌̬", "s̬  t̬"},
             {"◌ʰ", "tʰ  dʰ", "◌̃", "ẽ  õ"},
             {"◌̪", "t̪  d̪", "◌̩", "n̩  l̩"},
             {"◌ʲ", "tʲ  dʲ", "◌ʷ", "tʷ  dʷ"},
             {"◌̯", "e̯  o̯", "◌̈", "ë  ä"},
             {"ˈ", "ˈmama", "ˌ", "ˌpʲɛrvɔˈtnɨ"},
             {"ː", "eː", "ˑ", "eˑ"}}};
}

ChartTable PolishSounds()
{
    return {{QStringLiteral("Litery"), QStringLiteral("IPA"), QStringLiteral("Przykład"), QStringLiteral("Litery"),
             QStringLiteral("IPA"), QStringLiteral("Przykład")},
            {QStringLiteral("Szumiące"), QStringLiteral("Szumiące dźwięczne"), QStringLiteral("Ciszące"),
             QStringLiteral("Ciszące dźwięczne"), QStringLiteral("Syczące"), QStringLiteral("Syczące dźwięczne"),
             QStringLiteral("Drżąca, półsamogłoska"), QStringLiteral("Boczna, nosowa")},
            {{"sz", "ʂ", "szafa", "cz", "t͡ʂ", "czapka"},
             {"ż, rz", "ʐ", "żaba, rzeka", "dż", "d͡ʐ", "dżem"},
             {"ś, si", "ɕ", "śnieg", "ć, ci", "t͡ɕ", "ćma"},
             {"ź, zi", "ʑ", "źrebak", "dź, dzi", "d͡ʑ", "dźwig"},
             {"s", "s", "sowa", "c", "t͡s", "cebula"},
             {"z", "z", "zebra", "dz", "d͡z", "dzwon"},
             {"r", "r", "rower", "ł", "w", "łyżka"},
             {"l", "l", "lody", "ń, ni", "ɲ", "koń"}}};
}

void DrawVowelChart(QPainter& painter)
{
    // Corners of the vowel trapezoid: close front, close back, open back, open front.
    const QPointF closeFront(260, 170), closeBack(840, 170), openBack(840, 690), openFront(550, 690);
    const auto along = [](QPointF a, QPointF b, double t) { return a + (b - a) * t; };
    painter.setPen(QPen(kGrid, 3));
    painter.drawPolygon(QPolygonF({closeFront, closeBack, openBack, openFront}));
    for (double t : {1.0 / 3.0, 2.0 / 3.0}) {
        painter.drawLine(along(closeFront, openFront, t), along(closeBack, openBack, t));
    }
    const QPointF closeCentral = along(closeFront, closeBack, 0.5);
    const QPointF openCentral = along(openFront, openBack, 0.5);
    painter.drawLine(closeCentral, openCentral);

    painter.setPen(kInk);
    painter.setFont(TextFont(18, true));
    painter.drawText(QRectF(closeFront.x() - 60, 110, 120, 30), Qt::AlignCenter, QStringLiteral("Przednie"));
    painter.drawText(QRectF(closeCentral.x() - 60, 110, 120, 30), Qt::AlignCenter, QStringLiteral("Centralne"));
    painter.drawText(QRectF(closeBack.x() - 60, 110, 120, 30), Qt::AlignCenter, QStringLiteral("Tylne"));
    const QStringList heights = {QStringLiteral("Przymknięte"), QStringLiteral("Półprzymknięte"),
                                 QStringLiteral("Półotwarte"), QStringLiteral("Otwarte")};
    for (int h = 0; h < 4; ++h) {
        const QPointF left = along(closeFront, openFront, h / 3.0);
        painter.drawText(QRectF(20, left.y() - 15, left.x() - 90, 30), Qt::AlignVCenter | Qt::AlignRight, heights[h]);
    }

    struct VowelPair {
        double height;  // 0 close .. 1 open
        double place;   // 0 front .. 1 back
        const char* unrounded;
        const char* rounded;
    };
    const VowelPair vowels[] = {
        {0.0, 0.0, "i", "y"},     {0.0, 0.5, "ɨ", "ʉ"},     {0.0, 1.0, "ɯ", "u"},     {1 / 3.0, 0.0, "e", "ø"},
        {1 / 3.0, 0.5, "ɘ", "ɵ"}, {1 / 3.0, 1.0, "ɤ", "o"}, {2 / 3.0, 0.0, "ɛ", "œ"}, {2 / 3.0, 0.5, "ɜ", "ɞ"},
        {2 / 3.0, 1.0, "ʌ", "ɔ"}, {1.0, 0.0, "a", "ɶ"},     {1.0, 1.0, "ɑ", "ɒ"},
    };
    painter.setFont(TextFont(34));
    painter.setPen(kSymbol);
    for (const VowelPair& vowel : vowels) {
        const QPointF front = along(closeFront, openFront, vowel.height);
        const QPointF back = along(closeBack, openBack, vowel.height);
        const QPointF at = along(front, back, vowel.place);
        painter.setBrush(kSymbol);
        painter.drawEllipse(at, 5, 5);
        painter.drawText(QRectF(at.x() - 56, at.y() - 24, 48, 48), Qt::AlignCenter, QString::fromUtf8(vowel.unrounded));
        painter.drawText(QRectF(at.x() + 8, at.y() - 24, 48, 48), Qt::AlignCenter, QString::fromUtf8(vowel.rounded));
    }
    painter.drawText(QRectF(along(closeCentral, openCentral, 0.5) - QPointF(24, 24), QSizeF(48, 48)), Qt::AlignCenter,
                     QStringLiteral("ə"));
    painter.setPen(kInk);
    painter.setFont(TextFont(16));
    painter.drawText(QRect(40, 720, kPageWidth - 80, 30), Qt::AlignLeft,
                     QStringLiteral("W parach symbol z prawej oznacza samogłoskę zaokrągloną."));
}

}  // namespace

QImage DemoRenderer::ItemPicture(const QString& emoji, const QString& word) const
{
    QImage image = WhiteImage(320, 280);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(EmojiFont(160));
    painter.drawText(QRect(0, 0, 320, 210), Qt::AlignCenter, emoji);
    DarkenEmoji(image, QRect(0, 0, 320, 210));
    painter.setPen(kInk);
    painter.setFont(TextFont(FittingPixelSize(word, 300, 44, true), true));
    painter.drawText(QRect(0, 210, 320, 66), Qt::AlignCenter, word);
    return image;
}

QImage DemoRenderer::GroupBanner(const QString& emoji, const QString& name, bool indented) const
{
    // At the menu's scale of 0.36 these sizes give 176 x 50 and 140 x 36
    // pixels: inside a plain tile of 181 x 52 and an indented one of 145 x 38.
    const int width = indented ? 390 : 490;
    const int height = indented ? 100 : 140;
    QImage image = WhiteImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(EmojiFont(height - 24));
    painter.drawText(QRect(0, 0, height, height), Qt::AlignCenter, emoji);
    DarkenEmoji(image, QRect(0, 0, height, height));
    painter.setPen(kInk);
    const int textWidth = width - height - 16;
    painter.setFont(TextFont(FittingPixelSize(name, textWidth, indented ? 56 : 66, true), true));
    painter.drawText(QRect(height + 8, 0, textWidth, height), Qt::AlignVCenter | Qt::AlignLeft, name);
    return image;
}

QImage DemoRenderer::Icon(const QString& emoji, int size) const
{
    QImage image = WhiteImage(size, size);
    QPainter painter(&image);
    painter.setFont(EmojiFont(size * 4 / 5));
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, emoji);
    DarkenEmoji(image, image.rect());
    return image;
}

QImage DemoRenderer::HelpPage(const QString& heading, const QStringList& paragraphs) const
{
    constexpr int kWidth = 1200;
    constexpr int kMargin = 80;
    const QFont headingFont = TextFont(52, true);
    const QFont bodyFont = TextFont(34);
    const QRect column(kMargin, 0, kWidth - 2 * kMargin, 100000);
    const int headingHeight = QFontMetrics(headingFont).boundingRect(column, Qt::TextWordWrap, heading).height();
    std::vector<int> paragraphHeights;
    int height = kMargin + headingHeight + 50;
    for (const QString& paragraph : paragraphs) {
        paragraphHeights.push_back(QFontMetrics(bodyFont).boundingRect(column, Qt::TextWordWrap, paragraph).height());
        height += paragraphHeights.back() + 34;
    }
    height += kMargin;

    QImage image = WhiteImage(kWidth, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(kInk);
    int y = kMargin;
    painter.setFont(headingFont);
    painter.drawText(QRect(kMargin, y, column.width(), headingHeight), Qt::TextWordWrap, heading);
    y += headingHeight + 20;
    painter.fillRect(kMargin, y, column.width(), 4, kInk);
    y += 30;
    painter.setFont(bodyFont);
    for (int i = 0; i < paragraphs.size(); ++i) {
        painter.drawText(QRect(kMargin, y, column.width(), paragraphHeights[i]), Qt::TextWordWrap, paragraphs[i]);
        y += paragraphHeights[i] + 34;
    }
    return image;
}

int DemoRenderer::PresentationPageCount()
{
    return 6;
}

QImage DemoRenderer::PresentationPage(int index) const
{
    QImage image = WhiteImage(kPageWidth, kPageHeight);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect tableArea(32, 100, kPageWidth - 64, kPageHeight - 130);
    switch (index) {
    case 0:
        DrawPageTitle(painter, QStringLiteral("Spółgłoski płucne: od warg do dziąseł"), 1);
        DrawTable(
            painter, FrontConsonants(),
            QRect(tableArea.left(), tableArea.top(), tableArea.width(), kPageHeight - kLinkStrip - tableArea.top()),
            30);
        break;
    case 1:
        DrawPageTitle(painter, QStringLiteral("Spółgłoski płucne: od podniebienia do krtani"), 2);
        DrawTable(painter, BackConsonants(), tableArea, 30);
        break;
    case 2:
        DrawPageTitle(painter, QStringLiteral("Spółgłoski niepłucne i inne symbole"), 3);
        DrawTable(painter, OtherConsonants(), tableArea, 28);
        break;
    case 3:
        DrawPageTitle(painter, QStringLiteral("Samogłoski"), 4);
        DrawVowelChart(painter);
        break;
    case 4:
        DrawPageTitle(painter, QStringLiteral("Znaki diakrytyczne i prozodia"), 5);
        DrawTable(painter, Diacritics(), tableArea, 30);
        break;
    default:
        DrawPageTitle(painter, QStringLiteral("Głoski języka polskiego"), 6);
        DrawTable(painter, PolishSounds(), tableArea, 26);
        break;
    }
    painter.setPen(QColor(0x70, 0x70, 0x70));
    painter.setFont(TextFont(13));
    painter.drawText(QRect(32, kPageHeight - 26, kPageWidth - 64, 20), Qt::AlignRight,
                     QStringLiteral("Międzynarodowy alfabet fonetyczny (IPA) — plansze programu Velmora"));
    return image;
}

}  // namespace velmora::tool::demo
