// Times two resamplers a user of Qt or libvips would reach for on the pairs
// given as arguments (SW SH DW DH ...), one thread, in-memory 24-bit images.
// Prints one line per peer and pair: "peer sw sh dw dh seconds-per-resize".

#include <QCoreApplication>
#include <QImage>
#include <QThreadPool>
#include <vips/vips.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Seconds per call: the best of five rounds of at least 0.2 s each.
double TimePerCall(const std::function<void()>& call)
{
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        int calls = 0;
        const auto start = Clock::now();
        std::chrono::duration<double> elapsed{};
        do {
            call();
            ++calls;
            elapsed = Clock::now() - start;
        } while (elapsed.count() < 0.2);
        best = std::min(best, elapsed.count() / calls);
    }
    return best;
}

std::vector<unsigned char> NoisePixels(int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    std::mt19937 random(77);
    for (unsigned char& value : pixels)
        value = static_cast<unsigned char>(random());
    return pixels;
}

double TimeQt(const std::vector<unsigned char>& pixels, int sw, int sh, int dw, int dh)
{
    const QImage source(pixels.data(), sw, sh, sw * 3, QImage::Format_RGB888);
    const QImage check = source.scaled(dw, dh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (check.width() != dw || check.height() != dh)
        return -1;
    return TimePerCall([&] {
        const QImage scaled = source.scaled(dw, dh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (scaled.isNull())
            std::abort();
    });
}

double TimeVips(const std::vector<unsigned char>& pixels, int sw, int sh, int dw, int dh)
{
    VipsImage* source = vips_image_new_from_memory(pixels.data(), pixels.size(), sw, sh, 3, VIPS_FORMAT_UCHAR);
    const double hscale = static_cast<double>(dw) / sw;
    const double vscale = static_cast<double>(dh) / sh;
    bool sizeMatches = true;
    const double seconds = TimePerCall([&] {
        VipsImage* scaled = nullptr;
        if (vips_resize(source, &scaled, hscale, "vscale", vscale, "kernel", VIPS_KERNEL_LINEAR, nullptr) != 0)
            std::abort();
        std::size_t size = 0;
        void* memory = vips_image_write_to_memory(scaled, &size);
        sizeMatches = vips_image_get_width(scaled) == dw && vips_image_get_height(scaled) == dh;
        g_free(memory);
        g_object_unref(scaled);
    });
    g_object_unref(source);
    return sizeMatches ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    if (VIPS_INIT(argv[0]) != 0)
        return 1;
    vips_concurrency_set(1);
    vips_cache_set_max(0);
    for (int i = 1; i + 3 < argc; i += 4) {
        const int sw = std::atoi(argv[i]), sh = std::atoi(argv[i + 1]);
        const int dw = std::atoi(argv[i + 2]), dh = std::atoi(argv[i + 3]);
        const std::vector<unsigned char> pixels = NoisePixels(sw, sh);
        std::printf("qt %d %d %d %d %.9f\n", sw, sh, dw, dh, TimeQt(pixels, sw, sh, dw, dh));
        std::printf("vips %d %d %d %d %.9f\n", sw, sh, dw, dh, TimeVips(pixels, sw, sh, dw, dh));
        std::fflush(stdout);
    }
    vips_shutdown();
    return 0;
}
