// Deterministic catalogues of realistic records for the benchmarks: artists, albums, titles, paths.
#include "bench/sample_records.h"

#include <array>
#include <cstring>
#include <random>

namespace tracklore::bench {
namespace {

constexpr std::array kFirst = {"The",    "Black",  "Electric", "Silver", "Midnight", "Velvet",
                               "Golden", "Broken", "Crimson",  "Lonely", "Wild",     "Northern",
                               "Little", "Sonic",  "Blue",     "Paper",  "Iron",     "Happy"};
constexpr std::array kSecond = {
    "Beatles",  "Riders", "Orchestra", "Horses",     "Ghosts", "Lights",   "Kings", "Sisters",
    "Machines", "Hearts", "Wolves",    "Travellers", "Echoes", "Dreamers", "Foxes", "Rivers"};
constexpr std::array kWords = {"Love",    "Night",  "Road",  "Rain",  "Heart", "Fire",  "Dance",
                               "Summer",  "Light",  "Home",  "Time",  "Song",  "Blue",  "Tonight",
                               "Forever", "Girl",   "World", "Dream", "River", "Stars", "Gone",
                               "Morning", "Shadow", "Run",   "Hold",  "Me",    "You",   "Again"};
constexpr std::array kVolumes = {"MUSIC_01", "MP3 CD 12", "BACKUP", "USBSTICK", "DATA"};

std::string Words(std::mt19937& random, int atLeast, int atMost) {
    std::string text;
    const int words = atLeast + static_cast<int>(random() % (atMost - atLeast + 1));
    for (int i = 0; i < words; ++i) {
        if (i) text += ' ';
        text += kWords[random() % kWords.size()];
    }
    return text;
}

template <typename T>
void Put(std::vector<uint8_t>& out, T value) {
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));  // little-endian machines only, as benchmarks run
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

void PutText(std::vector<uint8_t>& out, std::string_view text) {
    Put<uint16_t>(out, static_cast<uint16_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

std::vector<TrackRecord> MakeSampleRecords(int count, int artists, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::string> artistNames;
    for (int i = 0; i < artists; ++i) {
        std::string name = std::string(kFirst[random() % kFirst.size()]) + " " +
                           kSecond[random() % kSecond.size()];
        if (i >= static_cast<int>(kFirst.size() * kSecond.size())) {
            name.append(1, ' ').append(std::to_string(i));  // distinct past the combinations
        }
        artistNames.push_back(name);
    }
    std::vector<TrackRecord> records;
    records.reserve(static_cast<size_t>(count));
    std::string album;
    std::string artist;
    int trackOnAlbum = 0;
    for (int i = 0; i < count; ++i) {
        if (trackOnAlbum == 0) {  // start a new album of 8 to 15 tracks
            artist = artistNames[random() % artistNames.size()];
            album = Words(random, 1, 3);
            trackOnAlbum = 8 + static_cast<int>(random() % 8);
        }
        --trackOnAlbum;
        TrackRecord record;
        record.ID = i + 1;
        record.Artist = artist;
        record.Album = album;
        record.Title = Words(random, 1, 4);
        record.Volume = kVolumes[random() % kVolumes.size()];
        record.Filename = "/Music/" + artist + "/" + album + "/" +
                          std::to_string(15 - trackOnAlbum) + " - " + record.Title.str() + ".mp3";
        record.Comment = random() % 3 == 0 ? "Ripped by EAC" : "";
        record.Year = std::to_string(1960 + random() % 60);
        record.PlayLength = static_cast<uint16_t>(120 + random() % 300);
        record.Genre = static_cast<uint8_t>(random() % 20);
        record.SampleRate = 44100;
        record.BitRate = random() % 4 == 0 ? 192 : 128;
        record.FileSize = record.PlayLength * record.BitRate * 125u;
        record.FileDate = 36000.0 + static_cast<double>(random() % 9000) / 3.0;
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<uint8_t> SerializeLikeCatalogue(const std::vector<TrackRecord>& records) {
    std::vector<uint8_t> out;
    for (const auto& record : records) {
        out.insert(out.end(), {'!', 'M', 'P', '3'});
        Put<int32_t>(out, record.ID);
        PutText(out, record.Volume);
        PutText(out, record.Filename);
        Put<uint32_t>(out, record.FileSize);
        Put<double>(out, record.FileDate);
        Put<uint16_t>(out, record.SampleRate);
        Put<uint16_t>(out, record.BitRate);
        Put<uint16_t>(out, record.PlayLength);
        PutText(out, record.Artist);
        PutText(out, record.Title);
        PutText(out, record.Album);
        PutText(out, record.Comment);
        PutText(out, record.Year);
        out.push_back(record.Genre);
    }
    return out;
}

std::unique_ptr<TTracklore> MakeFullCatalogue() {
    auto catalogue = std::make_unique<TTracklore>();
    for (const TrackRecord& record : MakeSampleRecords(TTracklore::kSlotCount))
        catalogue->InsertAsStored(record);
    return catalogue;
}

}  // namespace tracklore::bench
