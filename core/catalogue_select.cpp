// Selecting from a catalogue: by a template record, by a predicate and by one field.
#include <charconv>
#include <cmath>
#include <string_view>

#include "core/catalogue.h"
#include "core/format.h"
#include "core/messages.h"
#include "core/text_scan.h"
#include "platform/locale.h"

namespace tracklore {
namespace {

// Text fields a pattern tests, in the order they are tested.
constexpr TrackField kPatternTexts[] = {
    TrackField::Volume, TrackField::Filename, TrackField::Artist, TrackField::Album,
    TrackField::Title,  TrackField::Comment,  TrackField::Year};

// A pattern with its non-empty texts upper-cased once, so a selection does not upper-case
// the same needle for every record.
class PreparedPattern {
public:
    explicit PreparedPattern(const TrackRecord& pattern) : id_(pattern.ID), genre_(pattern.Genre) {
        for (TrackField field : kPatternTexts) {
            const SharedText& text = *TextField(pattern, field);
            if (!text.empty()) {
                needles_[count_].field = field;
                needles_[count_++].upper = locale::UpperCase(text);
            }
        }
    }

    bool Matches(const TrackRecord& record) const {
        if (id_ == kEndID) return true;
        if (id_ != 0 && id_ != record.ID) return false;
        for (int i = 0; i < count_; ++i) {
            const Needle& needle = needles_[i];
            const SharedText& text = *TextField(record, needle.field);
            // Records of one album share their texts: the answer for the text seen last
            // holds again without upper-casing it once more.
            if (!needle.last.SharesWith(text) || !needle.tested) {
                needle.last = text;
                needle.found = locale::UpperCase(text).find(needle.upper) != std::string::npos;
                needle.tested = true;
            }
            if (!needle.found) return false;
        }
        return genre_ == kGenreNone || genre_ == record.Genre;
    }

private:
    struct Needle {
        TrackField field = TrackField::ID;
        std::string upper;
        mutable SharedText last;  // the text tested last and its answer
        mutable bool tested = false;
        mutable bool found = false;
    };
    int32_t id_;
    uint8_t genre_;
    Needle needles_[std::size(kPatternTexts)];
    int count_ = 0;
};

// A number's text may stand between spaces and tabs.
constexpr std::string_view kNumberBlanks = " \t";

// The whole of `digits` as a number (an optional sign first), else EDBError with `message`
// naming the original `text`.
template <typename Number>
Number ParseNumber(std::string_view digits, const std::string& text, const char* message) {
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    Number result = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        throw EDBError(Format(message, text.c_str()));
    }
    return result;
}

int64_t ToInteger(const FieldValue& value) {
    if (const auto* integer = std::get_if<int64_t>(&value)) return *integer;
    if (const auto* real = std::get_if<double>(&value)) {
        const double rounded = std::nearbyint(*real);  // to nearest, ties to even
        // 2^63 itself is outside the range; every smaller finite double converts.
        if (std::isfinite(rounded) && rounded >= -0x1p63 && rounded < 0x1p63) {
            return static_cast<int64_t>(rounded);
        }
        throw EDBError(Format(msg::InvalidInteger, Format("%.15g", *real).c_str()));
    }
    const std::string& text = std::get<std::string>(value);
    return ParseNumber<int64_t>(Trim(text, kNumberBlanks), text, msg::InvalidInteger);
}

double ToReal(const FieldValue& value) {
    if (const auto* real = std::get_if<double>(&value)) return *real;
    if (const auto* integer = std::get_if<int64_t>(&value)) return static_cast<double>(*integer);
    const std::string& text = std::get<std::string>(value);
    // Accept the locale's decimal separator as well as the point.
    const std::string_view trimmed = Trim(text, kNumberBlanks);
    const std::string separator = locale::DecimalSeparator();
    std::string number;
    const size_t at = separator == "." ? std::string_view::npos : trimmed.find(separator);
    if (at == std::string_view::npos) {
        number.assign(trimmed);
    } else {
        number.append(trimmed.substr(0, at))
            .append(".")
            .append(trimmed.substr(at + separator.size()));
    }
    return ParseNumber<double>(number, text, msg::InvalidFloat);
}

std::string ToText(const FieldValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* integer = std::get_if<int64_t>(&value)) return std::to_string(*integer);
    const std::string text = Format("%.15g", std::get<double>(value));
    const size_t point = text.find('.');
    if (point == std::string::npos) return text;
    return text.substr(0, point) + locale::DecimalSeparator() + text.substr(point + 1);
}

int64_t IntegerField(const TrackRecord& record, TrackField code) {
    switch (code) {
        case TrackField::ID: return record.ID;
        case TrackField::PlayLength: return record.PlayLength;
        case TrackField::Genre: return record.Genre;
        case TrackField::SampleRate: return record.SampleRate;
        case TrackField::BitRate: return record.BitRate;
        default: return record.FileSize;
    }
}

}  // namespace

bool TTracklore::MatchesPattern(const TrackRecord& pattern, const TrackRecord& record) const {
    return PreparedPattern(pattern).Matches(record);
}

std::unique_ptr<TTracklore> TTracklore::NewResultSet() {
    return CreateResultSet(*this);
}

void TTracklore::AppendReference(TrackRecord* record) {
    // Selections fill a fresh set in slot order, so the next free slot is always count_.
    Place(count_, record);
}

std::unique_ptr<TTracklore> TTracklore::SelectByTemplate(const TrackRecord& pattern) {
    const PreparedPattern prepared(pattern);
    auto result = NewResultSet();
    for (int slot = 0; slot < SlotEnd(); ++slot) {
        if (slots_[slot] && prepared.Matches(*slots_[slot])) result->AppendReference(slots_[slot]);
    }
    return result;
}

std::unique_ptr<TTracklore> TTracklore::SelectWhere(RecordPredicate predicate, void* context) {
    auto result = NewResultSet();
    for (int slot = 0; slot < SlotEnd(); ++slot) {
        if (slots_[slot] && predicate(context, *slots_[slot])) {
            result->AppendReference(slots_[slot]);
        }
    }
    return result;
}

int TTracklore::DeleteWhere(RecordPredicate predicate, void* context) {
    int removed = 0;
    for (int slot = 0; slot < SlotEnd(); ++slot) {
        TrackRecord* record = slots_[slot];
        if (record == nullptr || !predicate(context, *record)) continue;
        VacateSlot(slot);
        ++removed;
    }
    // The identifier index is rebuilt on the next lookup: one pass instead of one per record.
    if (removed > 0) indexed_ = false;
    return removed;
}

std::unique_ptr<TTracklore> TTracklore::SelectByField(TrackField code, const FieldValue& value,
                                                      bool exact) {
    auto result = NewResultSet();
    const int number = static_cast<int>(code);
    auto select = [&](auto&& matches) {
        for (int slot = 0; slot < SlotEnd(); ++slot) {
            if (slots_[slot] && matches(*slots_[slot])) result->AppendReference(slots_[slot]);
        }
    };
    if (number >= 1 && number <= 7) {
        const std::string text = ToText(value);
        if (exact) {
            select([&](const TrackRecord& r) { return TextField(r, code)->view() == text; });
        } else {
            const std::string upper = locale::UpperCase(text);
            select([&](const TrackRecord& r) {
                return locale::UpperCase(*TextField(r, code)).find(upper) != std::string::npos;
            });
        }
    } else if (code == TrackField::FileDate) {
        const double date = ToReal(value);
        select(
            [&](const TrackRecord& r) { return exact ? r.FileDate == date : r.FileDate > date; });
    } else if (number == 0 || (number >= 8 && number <= 12)) {
        const int64_t wanted = ToInteger(value);
        const bool below = code == TrackField::PlayLength && !exact;
        select([&](const TrackRecord& r) {
            const int64_t field = IntegerField(r, code);
            return below ? field < wanted : field == wanted;
        });
    }
    return result;
}

}  // namespace tracklore
