#pragma once

#include "content/ContentLoadResult.h"
#include "content/ContentParseReport.h"
#include "content/PictureCheckRecord.h"

namespace velmora {

// Loads the content of the current directory as the program starts on it:
// "menl.dat", every picture of its groups and help pages (items whose clip
// is missing lose their sound mark), and the sound marker's picture. Stops
// being usable at the first failure, which the result names. `report`, when
// given, receives where reading the content file stopped. `record`, when
// given, spares reading the pictures it holds unchanged and keeps those that
// pass (see PictureCheckRecord); the caller reads and writes it. Touches
// nothing shared besides the record, so any thread may call it; a failure is
// a value, never thrown.
ContentLoadResult LoadContent(ContentParseReport* report = nullptr, PictureCheckRecord* record = nullptr);

}  // namespace velmora
