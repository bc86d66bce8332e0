#include "core/LoadError.h"

namespace velmora {

const char* LoadErrorText(LoadError error)
{
    switch (error) {
    case LoadError::None: return "no error";
    case LoadError::NoFile: return "no file";
    case LoadError::IsFolder: return "is a folder";
    case LoadError::NotRegularFile: return "not a regular file (a named pipe, a device or a socket)";
    case LoadError::Unreadable: return "cannot be read";
    case LoadError::BadName: return "the name holds a control byte, so it names no file";
    case LoadError::OverBudget: return "the content's decoded pictures would take more than their memory budget";
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
