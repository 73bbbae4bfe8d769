#include "tools/assetgen/Quantize.h"

#include <algorithm>
#include <map>

namespace ik::art {

namespace {

struct Entry {
    uint32_t colour;
    uint32_t count;
};

int channel(uint32_t c, int which) { return (c >> (8 * which)) & 0xFF; }

struct Bucket {
    std::vector<Entry> entries;

    int widestChannel(int& spread) const {
        int best = 0;
        spread = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const Entry& e : entries) {
                lo = std::min(lo, channel(e.colour, ch));
                hi = std::max(hi, channel(e.colour, ch));
            }
            if (hi - lo > spread) {
                spread = hi - lo;
                best = ch;
            }
        }
        return best;
    }

    uint32_t average() const {
        double sum[3] = {0, 0, 0};
        double total = 0;
        for (const Entry& e : entries) {
            for (int ch = 0; ch < 3; ++ch) sum[ch] += channel(e.colour, ch) * double(e.count);
            total += e.count;
        }
        uint32_t out = 0;
        for (int ch = 0; ch < 3; ++ch) out |= static_cast<uint32_t>(sum[ch] / total + 0.5) << (8 * ch);
        return out;
    }
};

int distance(uint32_t a, uint32_t b) {
    int d = 0;
    for (int ch = 0; ch < 3; ++ch) {
        int v = channel(a, ch) - channel(b, ch);
        d += v * v;
    }
    return d;
}

}  // namespace

std::vector<uint32_t> quantize(const std::vector<uint32_t>& pixels, int colours, uint32_t keep) {
    std::map<uint32_t, uint32_t> histogram;
    bool hasKeep = false;
    for (uint32_t p : pixels) {
        if (p == keep) hasKeep = true;
        else
            ++histogram[p];
    }
    int room = colours - (hasKeep ? 1 : 0);
    if (static_cast<int>(histogram.size()) <= room) return pixels;

    std::vector<Bucket> buckets(1);
    for (auto [colour, count] : histogram) buckets[0].entries.push_back({colour, count});
    while (static_cast<int>(buckets.size()) < room) {
        // Split the bucket with the widest colour spread at its weighted median.
        int pick = -1, pickSpread = 0, pickChannel = 0;
        for (size_t i = 0; i < buckets.size(); ++i) {
            if (buckets[i].entries.size() < 2) continue;
            int spread;
            int ch = buckets[i].widestChannel(spread);
            if (spread > pickSpread) {
                pick = static_cast<int>(i);
                pickSpread = spread;
                pickChannel = ch;
            }
        }
        if (pick < 0) break;
        auto& entries = buckets[pick].entries;
        std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
            return channel(a.colour, pickChannel) < channel(b.colour, pickChannel);
        });
        uint64_t total = 0, half = 0;
        for (const Entry& e : entries) total += e.count;
        size_t cut = 0;
        while (cut < entries.size() - 1 && (half += entries[cut].count) * 2 < total) ++cut;
        cut = std::max<size_t>(cut, 1);
        Bucket upper{std::vector<Entry>(entries.begin() + static_cast<long>(cut), entries.end())};
        entries.resize(cut);
        buckets.push_back(std::move(upper));
    }

    std::vector<uint32_t> palette;
    for (const Bucket& b : buckets) palette.push_back(b.average());
    std::map<uint32_t, uint32_t> nearest;
    for (auto [colour, count] : histogram) {
        uint32_t best = palette[0];
        for (uint32_t p : palette)
            if (distance(colour, p) < distance(colour, best)) best = p;
        if (best == keep) best ^= 0x000400;  // never let a colour fall onto the key
        nearest[colour] = best;
    }
    std::vector<uint32_t> out(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) out[i] = pixels[i] == keep ? keep : nearest[pixels[i]];
    return out;
}

}  // namespace ik::art
