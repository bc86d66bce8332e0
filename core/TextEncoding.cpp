#include "core/TextEncoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace velmora {

namespace {

// One iconv descriptor per direction and thread, opened on first use.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~IconvConverter() { iconv_close(cd_); }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    using SkipRule = std::size_t (*)(const char* at);

    // Converts `text`; each input sequence iconv refuses is skipped by as many
    // bytes as `skip` says (at least one) and replaced by `replacement`.
    std::string Convert(const std::string& text, SkipRule skip, const char* replacement)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.reserve(text.size() * 2 + 8);
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &in, &inLeft, &dst, &dstLeft);
            out.append(buffer, dst);
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or cut-off sequence.
            const std::size_t skipped = std::min(std::max<std::size_t>(skip(in), 1), inLeft);
            in += skipped;
            inLeft -= skipped;
            out += replacement;
        }
        return out;
    }

private:
    iconv_t cd_;
};

std::size_t OneByte(const char*)
{
    return 1;
}

std::size_t Utf8SequenceLength(const char* at)
{
    const auto lead = static_cast<unsigned char>(*at);
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

}  // namespace

std::string Cp1250ToUtf8(const std::string& text)
{
    thread_local IconvConverter converter("UTF-8", "CP1250");
    return converter.Convert(text, OneByte, "\xEF\xBF\xBD");
}

std::string Utf8ToCp1250(const std::string& text)
{
    thread_local IconvConverter converter("CP1250", "UTF-8");
    return converter.Convert(text, Utf8SequenceLength, "?");
}

}  // namespace velmora
