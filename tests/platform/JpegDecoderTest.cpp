#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <vector>

#include "platform/JpegDecoder.h"
#include "support/JpegFiles.h"
#include "support/TestFiles.h"

namespace velmora {
namespace {

using test::Bytes;

// A grey JPEG of noise. `scans` 0 writes a baseline file, 1 libjpeg's own
// progression; more gives each AC coefficient its own successive-
// approximation scans (as a hostile file does) until there are that many.
Bytes EncodeGrey(int width, int height, int scans)
{
    std::vector<jpeg_scan_info> script;
    const auto add = [&](int ss, int se, int ah, int al) {
        jpeg_scan_info scan{};
        scan.comps_in_scan = 1;
        scan.Ss = ss;
        scan.Se = se;
        scan.Ah = ah;
        scan.Al = al;
        script.push_back(scan);
    };
    if (scans > 1) {
        add(0, 0, 0, 0);
        for (int k = 1; k < 64; ++k) {
            add(k, k, 0, 10);
            for (int a = 9; a >= 0; --a)
                add(k, k, a + 1, a);
        }
        script.resize(static_cast<std::size_t>(scans));
    }
    std::mt19937 random(7);
    return test::EncodeJpeg(
        width, height, 1, JCS_GRAYSCALE,
        [&](jpeg_compress_struct& info) {
            if (scans == 1)
                jpeg_simple_progression(&info);
            if (scans > 1) {
                info.scan_info = script.data();
                info.num_scans = scans;
            }
        },
        [&](std::vector<unsigned char>& row) {
            for (auto& pixel : row)
                pixel = static_cast<unsigned char>(random());
        });
}

TEST(JpegDecoder, EachLimitRefusesWhatPassesIt)
{
    const Bytes baseline = EncodeGrey(64, 48, 0);
    const Bytes progressive = EncodeGrey(256, 256, 1);
    const Bytes manyScans = EncodeGrey(16, 16, 694);
    Bytes truncated(baseline.begin(), baseline.begin() + static_cast<long>(baseline.size() / 2));
    // A header declaring 10000 x 10000 (within the pixel limit) over a few
    // bytes of data: refused before 300 MB are taken for the page.
    const Bytes tallHeader = test::WithDeclaredSize(EncodeGrey(8, 8, 0), 10000, 10000);
    JpegLimits tightMemory;
    tightMemory.maxDecoderMemory = 64 * 1024;
    JpegLimits fewPixels;
    fewPixels.maxPixels = 64 * 47;
    JpegLimits fewScans;
    fewScans.maxScans = 5;
    const struct {
        const char* name;
        const Bytes& file;
        JpegLimits limits;
        const char* error;  // null: decodes
    } rows[] = {
        {"baseline", baseline, {}, nullptr},
        {"progressive", progressive, {}, nullptr},
        {"progressive past the decoder memory", progressive, tightMemory, "decoder memory"},
        {"baseline past the pixels", baseline, fewPixels, "too large"},
        {"694 scans", manyScans, {}, "more than 100 scans"},
        {"libjpeg's 6 scans past a limit of 5", progressive, fewScans, "more than 5 scans"},
        {"truncated", truncated, {}, ""},
        {"10000 x 10000 over a few bytes", tallHeader, {}, "data ends"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Bitmap bitmap(3, 3);
        std::string error;
        const bool decoded = JpegDecoder::Decode(row.file.data(), row.file.size(), bitmap, &error, row.limits);
        EXPECT_EQ(decoded, row.error == nullptr) << error;
        if (row.error != nullptr) {
            EXPECT_NE(error.find(row.error), std::string::npos) << error;
            EXPECT_EQ(bitmap.Width(), 3) << "a refused page leaves the bitmap as it was";
        }
    }
}

TEST(JpegDecoder, FilesAreReadOnlyWhenRegular)
{
    test::TempDir dir;
    const Bytes page = EncodeGrey(8, 8, 0);
    dir.Write("page.dat", page);
    std::filesystem::create_directories(dir.Path() / "folder.dat");
    ASSERT_EQ(::mkfifo((dir.Path() / "pipe.dat").c_str(), 0600), 0);
    const struct {
        const char* name;
        const char* error;
    } rows[] = {
        {"page.dat", nullptr},
        {"pipe.dat", "not a regular file"},
        {"folder.dat", "is a folder"},
        {"missing.dat", "no file"},
    };
    for (const auto& row : rows) {
        Bitmap bitmap;
        std::string error;
        EXPECT_EQ(JpegDecoder::DecodeFile((dir.Path() / row.name).string(), bitmap, &error), row.error == nullptr)
            << row.name;
        if (row.error != nullptr)
            EXPECT_NE(error.find(row.error), std::string::npos) << row.name << ": " << error;
        else
            EXPECT_EQ(bitmap.Width(), 8);
    }
}

}  // namespace
}  // namespace velmora
