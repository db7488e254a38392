// Files and process facts for the playing-engine and plug-in tests: MP3 files made with lame,
// the sample count of a WAV file the engine wrote, and which files and threads the process
// holds open right now (from /proc/self).
#pragma once

#include <chrono>
#include <climits>
#include <cstdint>
#include <dirent.h>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>

#include "tests/support/mp3_factory.h"
#include "tests/support/temp_dir.h"

namespace tracklore::test {

/// Polls `done` every few milliseconds until it holds; false when it still does not after a
/// minute. The deadline only keeps a broken engine from hanging the test run; no test relies
/// on the time.
inline bool WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

/// Samples of one MPEG-1 Layer III frame.
inline constexpr int64_t kSamplesPerFrame = 1152;

/// A lame-made constant-bit-rate MP3 of a `seconds`-long tone (44.1 kHz stereo, 128 kbit/s,
/// no tag) at `dir.Path(name)`; returns the path.
inline std::string MakeToneMp3(const TTempDir& dir, const std::string& name, double seconds) {
    const std::string wav = dir.Path(name + ".source.wav");
    const std::string mp3 = dir.Path(name);
    WriteWav(wav, seconds, 44100, 2);
    LameEncode(wav, mp3, {"-b", "128"});
    return mp3;
}

/// An MP3 that takes a long time to decode: the frames of a short 32 kbit/s mono tone, made
/// without bit reservoir or info frame, repeated until `frames` frames. Returns the path.
inline std::string MakeLongMp3(const TTempDir& dir, const std::string& name, size_t frames) {
    const std::string wav = dir.Path(name + ".source.wav");
    const std::string shortMp3 = dir.Path(name + ".short.mp3");
    WriteWav(wav, 2.0, 32000, 1);
    LameEncode(wav, shortMp3, {"-b", "32", "-m", "m", "--resample", "32", "--nores", "-t"});
    const Mp3Frames split = SplitFrames(ReadFileBytes(shortMp3));
    std::string bytes;
    for (size_t i = 0; i < frames; ++i)
        bytes += split.Frames[i % split.Frames.size()];
    const std::string mp3 = dir.Path(name);
    WriteFileBytes(mp3, bytes);
    return mp3;
}

/// The sample frames (samples per channel) in the data chunk of a 16-bit PCM WAV file, or -1
/// when the file holds no whole RIFF/WAVE header with fmt and data chunks.
inline int64_t WavSampleFrames(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    const auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
    };
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return -1;
    int channels = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = u32(at + 4);
        if (bytes.compare(at, 4, "fmt ") == 0 && size >= 16 && at + 8 + 16 <= bytes.size())
            channels = static_cast<uint8_t>(bytes[at + 10]) | static_cast<uint8_t>(bytes[at + 11])
                                                                  << 8;
        if (bytes.compare(at, 4, "data") == 0) {
            if (channels == 0 || size > bytes.size() - at - 8) return -1;
            return size / (2 * channels);
        }
        if (size > bytes.size() - at - 8) return -1;
        at += 8 + size + (size & 1);
    }
    return -1;
}

/// How many descriptors of this process refer to the file at `path`.
inline int OpenDescriptorsOf(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return 0;
    int count = 0;
    DIR* folder = opendir("/proc/self/fd");
    if (folder == nullptr) return 0;
    while (const dirent* entry = readdir(folder)) {
        char target[PATH_MAX];
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
        if (length <= 0) continue;
        target[length] = '\0';
        if (std::string(target) == resolved) ++count;
    }
    closedir(folder);
    return count;
}

/// The threads of this process.
inline int ThreadCount() {
    int count = 0;
    DIR* folder = opendir("/proc/self/task");
    if (folder == nullptr) return 0;
    while (const dirent* entry = readdir(folder))
        if (entry->d_name[0] != '.') ++count;
    closedir(folder);
    return count;
}

}  // namespace tracklore::test
