#pragma once

#include <string>
#include <string_view>

namespace velmora::tool {

// Builds a content file ("menl.dat") in the form the program reads, one
// element a line: the header, the menu groups with their title entries and
// items, the help section and the presentation section. Texts are given in
// UTF-8 and stored as Windows-1250.
class ContentFileWriter {
public:
    // The header, followed by `comment` as a comment line when it is not empty.
    explicit ContentFileWriter(std::string_view comment = {});

    void Group(std::string_view name, std::string_view fileName, bool indented, bool hasPicture);
    void TitleEntry(std::string_view name, std::string_view fileName) { Entry('|', name, fileName); }
    void Item(std::string_view name, std::string_view fileName) { Entry('-', name, fileName); }

    void BeginHelpPages() { text_ += "P\xA8\r\n"; }
    // A help page opened for the group whose file name is `key`, `gap`
    // pixels below the page before it.
    void HelpPage(std::string_view key, std::string_view fileName, int gap);

    void BeginPresentation() { text_ += "R\xA8\r\n"; }
    void Link(std::string_view caption, std::string_view target) { Entry('|', caption, target); }
    void PresentationPage(std::string_view caption, std::string_view fileName) { Entry('-', caption, fileName); }

    // The file's bytes so far.
    const std::string& Text() const { return text_; }

private:
    void Entry(char keyword, std::string_view name, std::string_view fileName);
    void AppendQuoted(std::string_view utf8);

    std::string text_;
};

}  // namespace velmora::tool
