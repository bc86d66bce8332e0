// velmora-content dump DIR: the content tree as the program loads it, as JSON.

#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "content/ContentLayout.h"
#include "content/ContentSet.h"
#include "core/TextEncoding.h"
#include "tools/Commands.h"

namespace velmora::tool {

namespace {

using nlohmann::json;

json ImageSize(const ContentItem& item)
{
    return json::array({item.Picture().Width(), item.Picture().Height()});
}

json Entry(const ContentItem& item)
{
    return {{"name", Cp1250ToUtf8(item.name)},
            {"fileName", Cp1250ToUtf8(item.fileName)},
            {"flags", item.flags},
            {"value", item.value},
            {"image", ImageSize(item)}};
}

json Entries(const ContentItem& parent)
{
    json list = json::array();
    for (const auto& child : parent.children)
        list.push_back(Entry(*child));
    return list;
}

json MenuItem(const MenuGroup& group)
{
    return {{"name", Cp1250ToUtf8(group.name)},
            {"fileName", Cp1250ToUtf8(group.fileName)},
            {"flags", group.flags},
            {"image", ImageSize(group)},
            {"title", {{"flags", group.title.flags}, {"image", ImageSize(group.title)}, {"children", Entries(group.title)}}},
            {"children", Entries(group)}};
}

}  // namespace

const char* const kDumpHelp =
    "usage: velmora-content dump DIR\n"
    "Loads DIR/menl.dat and every picture it names, as the program does with DIR\n"
    "as its current directory, and prints the content tree as one JSON object.\n"
    "When the content file is refused, prints {\"error\": MESSAGE} and exits 1.\n";

int RunDump(const Arguments& args)
{
    if (!EnterContentDirectory("dump", args[0]))
        return kExitBadFile;

    ContentSet data;
    try {
        data.LoadFromFile(std::string(kContentFileName));
    } catch (const ContentError& error) {
        std::cout << json{{"error", error.what()}}.dump() << '\n';
        FinishStandardOutput("dump");
        return Fail("dump", error.what());
    }
    const bool loaded = data.LoadResources();

    json groups = json::array();
    for (const auto& group : data.menuItems)
        groups.push_back(MenuItem(*group));
    const json result = {{"menuItems", groups},
                         {"helpPages", Entries(data.helpPages)},
                         {"presentation", {{"links", Entries(data.presentation.title)}, {"pages", Entries(data.presentation)}}},
                         {"loadResources", loaded}};
    std::cout << result.dump(2) << '\n';
    return FinishStandardOutput("dump") ? kExitOk : kExitBadFile;
}

}  // namespace velmora::tool
