#include "model/tuning.h"

#include <cmath>

namespace zembra {

namespace {

// The ratio of each pitch class to C.
double MeantoneRatio(int pitchClass)
{
    // Quarter-comma meantone: fifths of 5^(1/4); the chain from Eb to G#, with C in the middle.
    static constexpr std::array<int, 12> kFifthsFromC = {0, 7, 2, -3, 4, -1, 6, 1, 8, 3, -2, 5};
    const int fifths = kFifthsFromC[static_cast<std::size_t>(pitchClass)];
    double ratio = std::pow(std::pow(5.0, 0.25), fifths);
    while (ratio >= 2.0) {
        ratio /= 2.0;
    }
    while (ratio < 1.0) {
        ratio *= 2.0;
    }
    return ratio;
}

double JustRatio(int pitchClass)
{
    static constexpr std::array<double, 12> kRatios = {1.0,       16.0 / 15, 9.0 / 8, 6.0 / 5,  5.0 / 4, 4.0 / 3,
                                                       45.0 / 32, 3.0 / 2,   8.0 / 5, 5.0 / 3,  9.0 / 5, 15.0 / 8};
    return kRatios[static_cast<std::size_t>(pitchClass)];
}

double CentsFromEqual(double ratio, int pitchClass)
{
    return 1200.0 * std::log2(ratio) - 100.0 * pitchClass;
}

} // namespace

KeyCents TuningCents(Tuning tuning, const MusicBox& box)
{
    KeyCents cents{};
    for (int key = 0; key < 128; ++key) {
        const int pitchClass = key % 12;
        switch (tuning) {
        case Tuning::Equal:
        case Tuning::Box:
            break;
        case Tuning::Meantone:
            cents[static_cast<std::size_t>(key)] = CentsFromEqual(MeantoneRatio(pitchClass), pitchClass);
            break;
        case Tuning::Just:
            cents[static_cast<std::size_t>(key)] = CentsFromEqual(JustRatio(pitchClass), pitchClass);
            break;
        }
    }
    if (tuning == Tuning::Box && box.centsPerTooth.size() == box.notes.size()) {
        for (std::size_t tooth = 0; tooth < box.notes.size(); ++tooth) {
            const int key = box.notes[tooth];
            if (key >= 0 && key < 128) {
                cents[static_cast<std::size_t>(key)] = box.centsPerTooth[tooth];
            }
        }
    }
    return cents;
}

bool TuningOffered(const MusicBox& box, Tuning tuning)
{
    return tuning != Tuning::Box || !box.centsPerTooth.empty();
}

std::string_view TuningName(Tuning tuning)
{
    switch (tuning) {
    case Tuning::Equal:
        return "equal";
    case Tuning::Meantone:
        return "meantone";
    case Tuning::Just:
        return "just";
    case Tuning::Box:
        break;
    }
    return "box";
}

std::optional<Tuning> TuningFromName(std::string_view name)
{
    for (const Tuning tuning : {Tuning::Equal, Tuning::Meantone, Tuning::Just, Tuning::Box}) {
        if (TuningName(tuning) == name) {
            return tuning;
        }
    }
    return std::nullopt;
}

} // namespace zembra
