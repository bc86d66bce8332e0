// The content tool's picture reader (PNG and the other formats Qt reads) on
// arbitrary bytes, down to the ink coverage it packs.

#include <QtGlobal>

#include <cstdint>
#include <string>

#include "tools/PictureFiles.h"

namespace {

// Qt reports every damaged file on standard error; millions of lines would
// slow the fuzzer down to the speed of the terminal.
void DiscardMessage(QtMsgType, const QMessageLogContext&, const QString&)
{}

const bool kQuiet = (qInstallMessageHandler(DiscardMessage), true);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velmora::CoveragePicture coverage;
    std::string error;
    velmora::tool::DecodeCoverage(data, size, coverage, error);
    return 0;
}
