#pragma once

#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace velmora::test {

// One menu group of a made-up content directory.
struct TestGroup {
    std::string name = "Grupa";
    bool indented = false;
    bool picture = true;
    int items = 4;
    int titleEntries = 0;
    bool firstItemClip = true;  // the first item's clip file exists
};

// Picture sizes of the made-up content, before any display scaling.
inline constexpr int kTestItemWidth = 100;
inline constexpr int kTestItemHeight = 80;
inline constexpr int kTestMarkerSize = 40;

// The base file name of item `item` of group `group`.
std::string TestItemFile(int group, int item);

// Writes "menl.dat" for `groups`, a picture for every group, title entry and
// item, a clip for each group's first item (as its row says) and, with
// `withMarker`, the sound-marker picture (all ink).
void WriteTestContent(const TempDir& dir, const std::vector<TestGroup>& groups, bool withMarker = true);

}  // namespace velmora::test
