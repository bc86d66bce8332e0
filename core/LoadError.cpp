#include "core/LoadError.h"

namespace velmora {

const char* LoadErrorText(LoadError error)
{
    switch (error) {
    case LoadError::None: return "no error";
    case LoadError::NoFile: return "no file";
    case LoadError::TooLarge: return "too large";
    case LoadError::BadFormat: return "bad format";
    case LoadError::BadMagic: return "bad magic (not TBB1 or TBBs)";
    case LoadError::DimensionsOutOfRange: return "dimensions out of range";
    case LoadError::PackedLengthOutOfRange: return "packed length out of range";
    case LoadError::ShortData: return "short data";
    case LoadError::PackedLeftOver: return "packed stream left over";
    case LoadError::PackedShort: return "packed stream short";
    }
    return "unknown error";
}

}  // namespace velmora
