#pragma once

#include <QFont>

namespace velmora {

// A font as a window description gives it. An unset family or height keeps
// the inherited one; bold and underline are taken as given whenever a family
// or a height is set, and left alone otherwise.
struct FontDescription {
    enum class Height : unsigned char {
        Character,  // em size in pixels (the descriptions' usual font height)
        Cell,       // ascent + descent in pixels, internal leading included
    };

    const char* family = nullptr;
    int height = 0;
    Height heightKind = Height::Character;
    bool bold = false;
    bool underline = false;

    bool IsSet() const { return family != nullptr || height > 0; }
    // `inherited` changed as this description says.
    QFont ApplyTo(QFont inherited) const;
};

}  // namespace velmora
