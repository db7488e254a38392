// The genre names by byte and the lookup of a genre text, by number or by name.
#include "core/genres.h"

#include "core/convert.h"
#include "core/track_record.h"
#include "platform/locale.h"

namespace tracklore {

namespace {

constexpr const char* kNamedGenres[] = {
    "Blues",
    "Classic Rock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "Hip-Hop",
    "Jazz",
    "Metal",
    "New Age",
    "Oldies",
    "Other",
    "Pop",
    "R&B",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "Death Metal",
    "Pranks",
    "Soundtrack",
    "Euro-Techno",
    "Ambient",
    "Trip-Hop",
    "Vocal",
    "Jazz+Funk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "Sound Clip",
    "Gospel",
    "Noise",
    "Alternative Rock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "Instrumental Pop",
    "Instrumental Rock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "Techno-Industrial",
    "Electronic",
    "Pop-Folk",
    "Eurodance",
    "Dream",
    "Southern Rock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top 40",
    "Christian Rap",
    "Pop/Funk",
    "Jungle",
    "Native American",
    "Cabaret",
    "New Wave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "Lo-Fi",
    "Tribal",
    "Acid Punk",
    "Acid Jazz",
    "Polka",
    "Retro",
    "Musical",
    "Rock & Roll",
    "Hard Rock",
    "Folk",
    "Folk-Rock",
    "National Folk",
    "Swing",
    "Fast Fusion",
    "Bebob",
    "Latin",
    "Revival",
    "Celtic",
    "Bluegrass",
    "Avantgarde",
    "Gothic Rock",
    "Progressive Rock",
    "Psychedelic Rock",
    "Symphonic Rock",
    "Slow Rock",
    "Big Band",
    "Chorus",
    "Easy Listening",
    "Acoustic",
    "Humour",
    "Speech",
    "Chanson",
    "Opera",
    "Chamber Music",
    "Sonata",
    "Symphony",
    "Booty Bass",
    "Primus",
    "Porn Groove",
    "Satire",
    "Slow Jam",
    "Club",
    "Tango",
    "Samba",
    "Folklore",
    "Ballad",
    "Power Ballad",
    "Rhythmic Soul",
    "Freestyle",
    "Duet",
    "Punk Rock",
    "Drum Solo",
    "A capella",
    "Euro-House",
    "Dance Hall",
    "Goa",
    "Drum&Bass",
    "Club-House",
    "Hardcore",
    "Terror",
    "Indie",
    "Britpop",
    "Negerpunk",
    "Polsk Punk",
    "Beat",
    "Christian Gangsta Rap",
    "Heavy Metal",
    "Black Metal",
    "Crossover",
    "Contemporary Christian",
    "Christian Rock",
    "Merengue",
    "Salsa",
    "Trash Metal",
    "Anime",
    "JPop",
    "SynthPop",
};
constexpr int kNamedCount = static_cast<int>(std::size(kNamedGenres));

std::array<std::string, 256> MakeGenreNames() {
    std::array<std::string, 256> names;
    for (int i = 0; i < kNamedCount; ++i)
        names[i] = kNamedGenres[i];
    names[kGenreNone] = "(none)";
    return names;
}

// The names' case-insensitive sort keys, made once per locale: equal keys mean names equal
// ignoring case, and comparing keys is far cheaper than 256 collator calls per scanned file.
const std::array<std::string, 256>& GenreKeys() {
    static std::array<std::string, 256> keys;
    static std::string keysLocale;
    static bool made = false;
    const std::string current = locale::CurrentLocaleName();
    if (!made || current != keysLocale) {
        for (int i = 0; i < 256; ++i)
            keys[i] = locale::SortKeyIgnoreCase(GenreNames[i]);
        keysLocale = current;
        made = true;
    }
    return keys;
}

}  // namespace

const std::array<std::string, 256> GenreNames = MakeGenreNames();

uint8_t GenreIndexOf(std::string_view text) {
    const size_t open = text.find('(');
    const size_t close = text.find(')');
    if (open != std::string_view::npos && close != std::string_view::npos) {
        const std::string_view piece =
            close > open ? text.substr(open + 1, close - open - 1) : std::string_view();
        if (piece.empty() || piece[0] < '0' || piece[0] > '9') return kGenreUnknown;
        return static_cast<uint8_t>(StrToInt(piece) & 0xFF);
    }
    // The highest equal index wins; the unnamed entries equal only the empty text, which
    // therefore gives 254.
    const std::string key = locale::SortKeyIgnoreCase(text);
    const auto& keys = GenreKeys();
    for (int i = 255; i >= 0; --i) {
        if (keys[i] == key) return static_cast<uint8_t>(i);
    }
    return kGenreUnknown;
}

}  // namespace tracklore
