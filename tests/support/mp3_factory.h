// Real MP3 files for tests and benchmarks, made with the Debian tools (lame, ffmpeg, id3v2,
// eyeD3, mid3v2 and mutagen) from a WAV file written here. Knows nothing of GoogleTest, so
// the benchmarks use it too; callers check HaveTool first and skip when a tool is missing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tracklore::test {

/// The full path of `tool`, an executable file in a folder of PATH, or "" when none is.
std::string FindTool(const std::string& tool);

/// True when FindTool finds `tool`.
inline bool HaveTool(const std::string& tool) {
    return !FindTool(tool).empty();
}

/// Runs `command` (the program, looked up in PATH, then its arguments) with its output
/// discarded and waits for it. Throws std::runtime_error naming the command when it cannot
/// start or exits with a non-zero status.
void RunTool(const std::vector<std::string>& command);

/// Writes a 16-bit PCM WAV file of `seconds` seconds: a 440 Hz tone with some noise in the
/// first channel and a 660 Hz tone in the second, so encoders have something to code.
void WriteWav(const std::string& path, double seconds, int sampleRate, int channels);

/// The exact number of audio seconds in a WAV file written by WriteWav.
double WavSeconds(double seconds, int sampleRate);

/// Encodes `wav` into `mp3` with lame (quiet) and the given options.
void LameEncode(const std::string& wav, const std::string& mp3,
                const std::vector<std::string>& options);

/// Encodes `wav` into `mp3` with ffmpeg's MP3 encoder and the given output options, without
/// an ID3v2 tag, so the audio starts at the first byte.
void FfmpegEncode(const std::string& wav, const std::string& mp3,
                  const std::vector<std::string>& options);

/// The byte offset of the first MPEG audio frame of a file (after any ID3v2 tag), and the
/// frames from there to the end of the audio (without a trailing ID3v1 tag).
struct Mp3Frames {
    size_t AudioStart = 0;
    std::vector<std::string> Frames;  ///< each a whole frame, header included
};

/// Splits the bytes of a constant-bit-rate MPEG-1 Layer III file into frames. Throws
/// std::runtime_error when the bytes do not hold such frames.
Mp3Frames SplitFrames(const std::string& bytes);

}  // namespace tracklore::test
