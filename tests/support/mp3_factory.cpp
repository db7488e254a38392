// Real MP3 files made at test time with Debian's encoders and taggers.
#include "tests/support/mp3_factory.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <numbers>
#include <spawn.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tracklore::test {

namespace {

std::string CommandLine(const std::vector<std::string>& command) {
    std::string line;
    for (const auto& part : command)
        line += (line.empty() ? "" : " ") + part;
    return line;
}

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

size_t SampleCount(double seconds, int sampleRate) {
    return static_cast<size_t>(std::llround(seconds * sampleRate));
}

}  // namespace

std::string FindTool(const std::string& tool) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string candidate = folders.substr(start, end - start) + "/" + tool;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return std::string();
}

void RunTool(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& part : command)
        argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) throw std::runtime_error("cannot start: " + CommandLine(command));

    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error("lost: " + CommandLine(command));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("failed: " + CommandLine(command));
    }
}

double WavSeconds(double seconds, int sampleRate) {
    return static_cast<double>(SampleCount(seconds, sampleRate)) / sampleRate;
}

void WriteWav(const std::string& path, double seconds, int sampleRate, int channels) {
    const size_t samples = SampleCount(seconds, sampleRate);
    const uint32_t dataBytes = static_cast<uint32_t>(samples * channels * 2);
    std::string out = "RIFF";
    PutLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, static_cast<uint32_t>(channels), 2);
    PutLittleEndian(out, static_cast<uint32_t>(sampleRate), 4);
    PutLittleEndian(out, static_cast<uint32_t>(sampleRate * channels * 2), 4);
    PutLittleEndian(out, static_cast<uint32_t>(channels * 2), 2);
    PutLittleEndian(out, 16, 2);
    out += "data";
    PutLittleEndian(out, dataBytes, 4);

    uint32_t noise = 12345;  // a fixed generator: the same file every time
    for (size_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        for (int channel = 0; channel < channels; ++channel) {
            noise = noise * 1103515245u + 12345u;
            const double hiss = (static_cast<double>((noise >> 16) & 0x7FFF) / 32768.0 - 0.5) * 0.1;
            const double tone =
                std::sin(2 * std::numbers::pi * (channel == 0 ? 440.0 : 660.0) * t) * 0.5;
            const auto value = static_cast<int16_t>(std::lround((tone + hiss) * 32767.0));
            PutLittleEndian(out, static_cast<uint16_t>(value), 2);
        }
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

void LameEncode(const std::string& wav, const std::string& mp3,
                const std::vector<std::string>& options) {
    std::vector<std::string> command{"lame", "--quiet"};
    command.insert(command.end(), options.begin(), options.end());
    command.push_back(wav);
    command.push_back(mp3);
    RunTool(command);
}

void FfmpegEncode(const std::string& wav, const std::string& mp3,
                  const std::vector<std::string>& options) {
    std::vector<std::string> command{"ffmpeg", "-nostdin", "-v",   "error",      "-y",
                                     "-i",     wav,        "-c:a", "libmp3lame", "-id3v2_version",
                                     "0"};
    command.insert(command.end(), options.begin(), options.end());
    command.push_back(mp3);
    RunTool(command);
}

Mp3Frames SplitFrames(const std::string& bytes) {
    static constexpr int kBitRates[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                          112, 128, 160, 192, 224, 256, 320, 0};
    static constexpr int kSampleRates[4] = {44100, 48000, 32000, 0};
    const auto byteAt = [&](size_t at) { return static_cast<uint8_t>(bytes[at]); };

    Mp3Frames result;
    if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {
        result.AudioStart = 10 + ((byteAt(6) & 0x7Fu) << 21 | (byteAt(7) & 0x7Fu) << 14 |
                                  (byteAt(8) & 0x7Fu) << 7 | (byteAt(9) & 0x7Fu));
    }
    size_t end = bytes.size();
    if (end >= 128 && bytes.compare(end - 128, 3, "TAG") == 0) end -= 128;
    size_t at = result.AudioStart;
    while (at + 4 <= end) {
        // MPEG-1 Layer III only: sync, version 11, layer 01.
        if (byteAt(at) != 0xFF || (byteAt(at + 1) & 0xFE) != 0xFA) {
            throw std::runtime_error("no MPEG-1 Layer III frame at " + std::to_string(at));
        }
        const int bitRate = kBitRates[byteAt(at + 2) >> 4];
        const int sampleRate = kSampleRates[(byteAt(at + 2) >> 2) & 3];
        if (bitRate == 0 || sampleRate == 0) throw std::runtime_error("unusable frame header");
        const size_t length = 144000u * bitRate / sampleRate + ((byteAt(at + 2) >> 1) & 1);
        if (at + length > end) break;  // a cut last frame is left out
        result.Frames.push_back(bytes.substr(at, length));
        at += length;
    }
    return result;
}

}  // namespace tracklore::test
