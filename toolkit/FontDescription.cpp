#include "toolkit/FontDescription.h"

#include "toolkit/FontHeight.h"

#include <QString>

namespace velmora {

QFont FontDescription::ApplyTo(QFont inherited) const
{
    if (!IsSet())
        return inherited;
    if (family != nullptr)
        inherited.setFamily(QString::fromUtf8(family));
    inherited.setBold(bold);
    inherited.setUnderline(underline);
    if (height <= 0)
        return inherited;
    return heightKind == Height::Cell ? FontHeight::WithCellHeight(inherited, height)
                                      : FontHeight::WithCharacterHeight(inherited, height);
}

}  // namespace velmora
