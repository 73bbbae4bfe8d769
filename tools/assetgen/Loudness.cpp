#include "tools/assetgen/Loudness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ik::audio_measure {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Biquad {
    double b0, b1, b2, a1, a2;  // normalised by a0
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double run(double x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The head's acoustic effect: a +4 dB shelf above about 1.5 kHz.
Biquad shelf(int rate) {
    const double gain = std::pow(10.0, 4.0 / 40), w = 2 * kPi * 1500 / rate;
    const double alpha = std::sin(w) / (2 / std::sqrt(2.0)), c = std::cos(w), root = 2 * std::sqrt(gain) * alpha;
    const double a0 = (gain + 1) - (gain - 1) * c + root;
    return {gain * ((gain + 1) + (gain - 1) * c + root) / a0, -2 * gain * ((gain - 1) + (gain + 1) * c) / a0,
            gain * ((gain + 1) + (gain - 1) * c - root) / a0, 2 * ((gain - 1) - (gain + 1) * c) / a0,
            ((gain + 1) - (gain - 1) * c - root) / a0};
}

// The revised low-frequency B curve: a high pass at 38 Hz.
Biquad highPass(int rate) {
    const double w = 2 * kPi * 38 / rate, alpha = std::sin(w) / (2 * 0.5), c = std::cos(w), a0 = 1 + alpha;
    return {(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

double toLufs(double meanSquare) {
    return meanSquare > 0 ? -0.691 + 10 * std::log10(meanSquare) : -std::numeric_limits<double>::infinity();
}

}  // namespace

double integratedLoudness(const std::vector<float>& interleaved, int channels, int rate) {
    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    if (frames == 0) return -std::numeric_limits<double>::infinity();
    // K-weighted power of each frame, summed over the speakers.
    std::vector<double> power(frames, 0.0);
    for (int ch = 0; ch < channels; ++ch) {
        Biquad pre = shelf(rate), rlb = highPass(rate);
        for (size_t i = 0; i < frames; ++i) {
            double y = rlb.run(pre.run(interleaved[i * channels + ch]));
            power[i] += y * y * (channels == 1 ? 2 : 1);
        }
    }
    const size_t block = std::min(frames, static_cast<size_t>(rate * 0.4));
    const size_t hop = std::max<size_t>(1, block / 4);
    std::vector<double> blocks;
    for (size_t start = 0; start + block <= frames; start += hop) {
        double sum = 0;
        for (size_t i = start; i < start + block; ++i) sum += power[i];
        blocks.push_back(sum / block);
    }
    auto gatedMean = [&](double gateLufs) {
        double sum = 0;
        size_t count = 0;
        for (double b : blocks)
            if (toLufs(b) > gateLufs) {
                sum += b;
                ++count;
            }
        return count ? sum / count : 0.0;
    };
    const double absolute = gatedMean(-70);
    if (absolute <= 0) return -std::numeric_limits<double>::infinity();
    return toLufs(gatedMean(toLufs(absolute) - 10));
}

Figures measure(const std::vector<float>& interleaved, int channels, int rate) {
    Figures f;
    f.lufs = integratedLoudness(interleaved, channels, rate);
    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    double peak = 0, sum[2] = {0, 0}, lr = 0, ll = 0, rr = 0;
    for (size_t i = 0; i < frames; ++i) {
        double left = interleaved[i * channels], right = interleaved[i * channels + channels - 1];
        peak = std::max({peak, std::fabs(left), std::fabs(right)});
        sum[0] += left;
        sum[1] += right;
    }
    for (int ch = 0; ch < 2; ++ch) f.dc[ch] = frames ? sum[ch] / frames : 0;
    for (size_t i = 0; i < frames; ++i) {
        double left = interleaved[i * channels] - f.dc[0], right = interleaved[i * channels + channels - 1] - f.dc[1];
        lr += left * right;
        ll += left * left;
        rr += right * right;
    }
    f.peakDb = peak > 0 ? 20 * std::log10(peak) : -std::numeric_limits<double>::infinity();
    f.correlation = ll > 0 && rr > 0 ? lr / std::sqrt(ll * rr) : 1;
    return f;
}

}  // namespace ik::audio_measure
