#include "app/MainWindowLook.h"

#include "core/TextEncoding.h"
#include "toolkit/FontHeight.h"

namespace velmora::app {

namespace look {

Colour CoreColour(const QColor& colour)
{
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

QString Text(const std::string& contentText)
{
    return QString::fromStdString(Cp1250ToUtf8(contentText));
}

QFont ArialWithCellHeight(int cellHeight, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(bold);
    return FontHeight::WithCellHeight(font, cellHeight);
}

}  // namespace look

}  // namespace velmora::app
