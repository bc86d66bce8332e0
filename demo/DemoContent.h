#pragma once

#include <string>
#include <vector>

namespace velmora::tool::demo {

// The demo content set, as data. Every text is UTF-8; the writer converts
// what goes into menl.dat to Windows-1250.

struct DemoItem {
    std::string word;      // caption, spoken for the first item of a group
    std::string fileName;  // base file name as menl.dat names it
    std::string emoji;     // what the picture shows
    // The letter case the files have on disk when it differs from fileName,
    // so that the program must match names ignoring case.
    std::string diskName;
};

struct DemoGroup {
    std::string name;
    std::string fileName;
    std::string emoji;  // empty: the group has no picture and shows its name
    bool indented = false;
    std::vector<DemoItem> titleEntries;
    std::vector<DemoItem> items;
};

struct DemoHelpPage {
    std::string key;  // the file name of the group whose help opens here; may be empty
    std::string fileName;
    int gap = 0;
    std::string heading;
    std::vector<std::string> paragraphs;
};

struct DemoLink {
    std::string caption;
    std::string target;
};

struct DemoSet {
    std::vector<DemoGroup> groups;
    std::vector<DemoHelpPage> helpPages;
    std::vector<DemoLink> links;
    std::vector<std::string> presentationPages;  // base names of Data/pre/*.dat
    std::string missingClip;                     // file name of the one item left without a clip
};

DemoSet DemoContentSet();

// The file name an item's files have on disk.
inline const std::string& DiskName(const DemoItem& item)
{
    return item.diskName.empty() ? item.fileName : item.diskName;
}

}  // namespace velmora::tool::demo
