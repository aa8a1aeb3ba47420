#pragma once

// A small reader and spectrum for the rendered WAV files: 16-bit PCM, the channels averaged.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

namespace zembra::test {

struct Wav {
    int rate = 0;
    std::vector<double> samples; // mono, full scale 1
};

// The file's samples as one channel; empty when the file is not 16-bit PCM WAVE.
inline Wav ReadWav(const QString& path)
{
    Wav wav;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return wav;
    }
    const QByteArray bytes = file.readAll();
    auto little = [&bytes](qsizetype at, int count) {
        std::uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i) {
            value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
        }
        return value;
    };
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return wav;
    }
    int channels = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = little(at + 4, 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (little(body, 2) != 1 || little(body + 14, 2) != 16) {
                return wav;
            }
            channels = static_cast<int>(little(body + 2, 2));
            wav.rate = static_cast<int>(little(body + 4, 4));
        } else if (id == "data" && channels > 0) {
            const qsizetype frames = std::min(size, bytes.size() - body) / (2 * channels);
            wav.samples.resize(static_cast<std::size_t>(frames));
            for (qsizetype f = 0; f < frames; ++f) {
                double sum = 0;
                for (int c = 0; c < channels; ++c) {
                    std::int16_t sample = 0;
                    std::memcpy(&sample, bytes.constData() + body + (f * channels + c) * 2, 2);
                    sum += sample / 32768.0;
                }
                wav.samples[static_cast<std::size_t>(f)] = sum / channels;
            }
            return wav;
        }
        at = body + size + (size & 1);
    }
    return wav;
}

// The magnitude of the Hann-windowed spectrum at `hz` over `seconds` from `start`.
inline double MagnitudeAt(const Wav& wav, double start, double seconds, double hz)
{
    const auto first = static_cast<std::size_t>(std::max(0.0, start * wav.rate));
    const std::size_t count = std::min(static_cast<std::size_t>(seconds * wav.rate),
                                       wav.samples.size() > first ? wav.samples.size() - first : 0);
    double re = 0;
    double im = 0;
    const double step = 2 * std::numbers::pi * hz / wav.rate;
    for (std::size_t n = 0; n < count; ++n) {
        const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * n / count);
        const double value = wav.samples[first + n] * window;
        re += value * std::cos(step * n);
        im -= value * std::sin(step * n);
    }
    return count ? 2 * std::hypot(re, im) / count : 0.0;
}

struct Peak {
    double hz = 0;
    double magnitude = 0;
};

// The highest point of the spectrum within `cents` of `hz`: a coarse search, then a parabola
// through the best point and its neighbours on a fine grid.
inline Peak PeakNear(const Wav& wav, double start, double seconds, double hz, double cents = 50)
{
    const double low = hz * std::pow(2.0, -cents / 1200);
    const double high = hz * std::pow(2.0, cents / 1200);
    Peak best;
    double step = 0.5 / seconds;
    for (double f = low; f <= high; f += step) {
        const double m = MagnitudeAt(wav, start, seconds, f);
        if (m > best.magnitude) {
            best = {f, m};
        }
    }
    step /= 20;
    for (double f = best.hz - 10 * step; f <= best.hz + 10 * step; f += step) {
        const double m = MagnitudeAt(wav, start, seconds, f);
        if (m > best.magnitude) {
            best = {f, m};
        }
    }
    const double a = std::log(MagnitudeAt(wav, start, seconds, best.hz - step));
    const double b = std::log(best.magnitude);
    const double c = std::log(MagnitudeAt(wav, start, seconds, best.hz + step));
    const double denominator = a - 2 * b + c;
    if (denominator < 0) {
        best.hz += step * 0.5 * (a - c) / denominator;
    }
    return best;
}

// The mean power of the samples over `seconds` from `start`.
inline double Power(const Wav& wav, double start, double seconds)
{
    const auto first = static_cast<std::size_t>(std::max(0.0, start * wav.rate));
    const auto last = std::min(wav.samples.size(), first + static_cast<std::size_t>(seconds * wav.rate));
    double sum = 0;
    for (std::size_t n = first; n < last; ++n) {
        sum += wav.samples[n] * wav.samples[n];
    }
    return last > first ? sum / static_cast<double>(last - first) : 0.0;
}

// The same of the change from one sample to the next: the sound above a few kilohertz, where a
// click is loud and a plucked note is not.
inline double EdgePower(const Wav& wav, double start, double seconds)
{
    const auto first = static_cast<std::size_t>(std::max(1.0, start * wav.rate));
    const auto last = std::min(wav.samples.size(), first + static_cast<std::size_t>(seconds * wav.rate));
    double sum = 0;
    for (std::size_t n = first; n < last; ++n) {
        const double step = wav.samples[n] - wav.samples[n - 1];
        sum += step * step;
    }
    return last > first ? sum / static_cast<double>(last - first) : 0.0;
}

inline double Decibels(double ratio)
{
    return 20 * std::log10(ratio);
}

} // namespace zembra::test
