// Synthesises the program's two sound cues as 16-bit mono PCM WAV files:
//   Level_bell.wav     - a struck bell, two strikes, for the end of a level;
//   Warning_chime.wav  - a soft two-note chime for the one-minute warning.
// Usage: make_cues <output folder>
// Standalone on purpose (no libraries): it runs during the build.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Sample_Rate = 44100;
constexpr double Pi = 3.14159265358979323846;

using Signal = std::vector<double>;

struct Partial {
    double ratio;     // frequency relative to the strike's nominal pitch
    double amplitude; // relative loudness at the strike
    double decay;     // seconds for the partial to fall to 1/e
};

// Adds one struck tone made of decaying partials, starting at `start` seconds.
// A few milliseconds of attack keep the onset from clicking.
void Strike(Signal& out, double start, double pitch, const std::vector<Partial>& partials,
            double attack, double gain)
{
    const auto first = static_cast<std::size_t>(start * Sample_Rate);
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = static_cast<double>(i - first) / Sample_Rate;
        const double envelope_in = t < attack ? std::sin(0.5 * Pi * t / attack) : 1.0;
        double v = 0.0;
        for (const Partial& p : partials)
            v += p.amplitude * std::exp(-t / p.decay) * std::sin(2.0 * Pi * pitch * p.ratio * t);
        out[i] += gain * envelope_in * v;
    }
}

// Fades the last part of the signal to silence so the end does not click.
void Fade_Out(Signal& s, double seconds)
{
    const auto n = std::min(s.size(), static_cast<std::size_t>(seconds * Sample_Rate));
    for (std::size_t k = 0; k < n; ++k) {
        const double x = static_cast<double>(k) / static_cast<double>(n); // 0 at the end
        s[s.size() - 1 - k] *= 0.5 - 0.5 * std::cos(Pi * x);
    }
}

// Scales the signal so its loudest sample reaches `peak` (of full scale).
void Normalise(Signal& s, double peak)
{
    double max = 0.0;
    for (double v : s)
        max = std::max(max, std::abs(v));
    if (max > 0.0)
        for (double& v : s)
            v *= peak / max;
}

void Put_U16(std::string& b, std::uint16_t v)
{
    b.push_back(static_cast<char>(v & 0xFF));
    b.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put_U32(std::string& b, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        b.push_back(static_cast<char>((v >> shift) & 0xFF));
}

// A canonical 44-byte-header RIFF/WAVE file, PCM, mono, 16 bits, little-endian.
bool Write_Wav(const std::string& path, const Signal& s)
{
    const auto data_bytes = static_cast<std::uint32_t>(s.size() * 2);
    std::string b;
    b.reserve(44 + data_bytes);
    b += "RIFF";
    Put_U32(b, 36 + data_bytes);
    b += "WAVE";
    b += "fmt ";
    Put_U32(b, 16);              // format chunk size
    Put_U16(b, 1);               // PCM
    Put_U16(b, 1);               // channels
    Put_U32(b, Sample_Rate);
    Put_U32(b, Sample_Rate * 2); // bytes per second
    Put_U16(b, 2);               // block align
    Put_U16(b, 16);              // bits per sample
    b += "data";
    Put_U32(b, data_bytes);
    for (double v : s) {
        const double clamped = std::clamp(v, -1.0, 1.0);
        const auto sample = static_cast<std::int16_t>(std::lround(clamped * 32767.0));
        Put_U16(b, static_cast<std::uint16_t>(sample));
    }
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(b.data(), static_cast<std::streamsize>(b.size()));
    f.close();
    return static_cast<bool>(f);
}

Signal Silence(double seconds) { return Signal(static_cast<std::size_t>(seconds * Sample_Rate), 0.0); }

// A small hand bell: hum, prime, minor-third tierce, quint, nominal and a few
// upper partials, the higher ones dying away faster. Two strikes, the second
// a fourth lower, give a clear "ding-dong" that carries across a room.
Signal Level_Bell()
{
    const std::vector<Partial> bell = {
        {0.500, 0.35, 1.10}, // hum
        {1.000, 1.00, 0.80}, // prime
        {1.003, 0.25, 0.80}, // slightly detuned twin: a gentle beat
        {1.200, 0.45, 0.55}, // tierce (minor third)
        {1.500, 0.30, 0.45}, // quint
        {2.000, 0.55, 0.35}, // nominal
        {2.520, 0.20, 0.22},
        {3.000, 0.15, 0.16},
        {4.070, 0.10, 0.10},
        {5.330, 0.05, 0.07},
    };
    Signal s = Silence(2.4);
    Strike(s, 0.00, 784.0, bell, 0.002, 1.0);  // G5
    Strike(s, 0.55, 587.3, bell, 0.002, 0.9);  // D5
    Fade_Out(s, 0.35);
    Normalise(s, 0.85);
    return s;
}

// A soft two-note chime: nearly pure tones with a touch of the second and
// third harmonic, a gentle attack and a short ring, descending a major third.
Signal Warning_Chime()
{
    const std::vector<Partial> tone = {
        {1.0, 1.00, 0.45},
        {2.0, 0.18, 0.25},
        {3.0, 0.05, 0.15},
    };
    Signal s = Silence(1.3);
    Strike(s, 0.00, 1318.5, tone, 0.012, 1.0); // E6
    Strike(s, 0.40, 1046.5, tone, 0.012, 1.0); // C6
    Fade_Out(s, 0.15);
    Normalise(s, 0.55);
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cues <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        Signal signal;
    } cues[] = {
        {"Level_bell.wav", Level_Bell()},
        {"Warning_chime.wav", Warning_Chime()},
    };
    for (const auto& cue : cues) {
        const std::string path = folder + "/" + cue.name;
        if (!Write_Wav(path, cue.signal)) {
            std::fprintf(stderr, "make_cues: unable to write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
