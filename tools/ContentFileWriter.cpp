#include "tools/ContentFileWriter.h"

#include "core/TextEncoding.h"

namespace velmora::tool {

ContentFileWriter::ContentFileWriter(std::string_view comment) : text_("F\xA8\r\n")
{
    if (comment.empty())
        return;
    text_ += "@ ";
    text_ += Utf8ToCp1250(std::string(comment));
    text_ += " @\r\n";
}

void ContentFileWriter::Group(std::string_view name, std::string_view fileName, bool indented, bool hasPicture)
{
    text_ += indented ? "##" : "#";
    AppendQuoted(name);
    text_ += ' ';
    AppendQuoted(fileName);
    text_ += hasPicture ? " B\r\n" : "\r\n";
}

void ContentFileWriter::HelpPage(std::string_view key, std::string_view fileName, int gap)
{
    text_ += " -";
    AppendQuoted(key);
    text_ += ' ';
    AppendQuoted(fileName);
    text_ += ' ';
    AppendQuoted(std::to_string(gap));
    text_ += "\r\n";
}

void ContentFileWriter::Entry(char keyword, std::string_view name, std::string_view fileName)
{
    text_ += ' ';
    text_ += keyword;
    AppendQuoted(name);
    text_ += ' ';
    AppendQuoted(fileName);
    text_ += "\r\n";
}

void ContentFileWriter::AppendQuoted(std::string_view utf8)
{
    text_ += '"';
    text_ += Utf8ToCp1250(std::string(utf8));
    text_ += '"';
}

}  // namespace velmora::tool
