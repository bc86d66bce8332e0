// velmora-content dump DIR: the content tree as the program loads it, as JSON.

#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "content/ContentLoad.h"
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
            {"title",
             {{"flags", group.title.flags}, {"image", ImageSize(group.title)}, {"children", Entries(group.title)}}},
            {"children", Entries(group)}};
}

}  // namespace

const char* const kDumpHelp = "usage: velmora-content dump DIR\n"
                              "Loads DIR/menl.dat, every picture it names and the sound marker, as the program\n"
                              "does with DIR as its current directory, and prints the content tree as one JSON\n"
                              "object. When the content file is refused, prints {\"error\": MESSAGE} and exits 1;\n"
                              "when a picture fails, the program does not start: the tree read is printed with\n"
                              "\"loadResources\": false and \"error\" naming the first failure, and it exits 1.\n";

int RunDump(const Arguments& args)
{
    if (!EnterContentDirectory("dump", args[0]))
        return kExitBadFile;

    const ContentLoadResult load = LoadContent();
    if (load.Content() == nullptr) {
        std::cout << json{{"error", load.Failure().message}}.dump() << '\n';
        FinishStandardOutput("dump");
        return Fail("dump", load.Failure().message);
    }
    const ContentSet& data = load.Content()->set;
    json groups = json::array();
    for (const auto& group : data.menuItems)
        groups.push_back(MenuItem(*group));
    json result = {
        {"menuItems", groups},
        {"helpPages", Entries(data.helpPages)},
        {"presentation", {{"links", Entries(data.presentation.title)}, {"pages", Entries(data.presentation)}}},
        {"loadResources", load.Ok()}};
    if (!load.Ok())
        result["error"] = load.Failure().message;
    std::cout << result.dump(2) << '\n';
    if (!FinishStandardOutput("dump"))
        return kExitBadFile;
    // The program refuses content that fails to load, whatever was read.
    return load.Ok() ? kExitOk : Fail("dump", load.Failure().message);
}

}  // namespace velmora::tool
