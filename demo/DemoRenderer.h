#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace velmora::tool::demo {

// Draws the demo pictures with Qt's painter on images, without a display.
// Pictures are drawn dark on white; CoverageFromImage turns them into ink.
class DemoRenderer {
public:
    // An exercise picture: the emoji above its word.
    QImage ItemPicture(const QString& emoji, const QString& word) const;
    // A group's picture: the emoji beside the group's name, sized so that the
    // menu's scale of 0.36 fits a plain (or an indented) menu tile.
    QImage GroupBanner(const QString& emoji, const QString& name, bool indented) const;
    // A small picture of the emoji alone (title entries, the sound marker).
    QImage Icon(const QString& emoji, int size) const;
    // A help page of about 1200 pixels' width: a heading and paragraphs.
    QImage HelpPage(const QString& heading, const QStringList& paragraphs) const;
    // Presentation page `index` (0-based) of the phonetic-alphabet chart, in colour.
    QImage PresentationPage(int index) const;
    static int PresentationPageCount();
};

}  // namespace velmora::tool::demo
