// Writing and reading the compact gazetteer file.
#include "navserver/gazetteer_file.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

namespace mapwell {

namespace {

constexpr char kMagic[4] = {'M', 'W', 'G', 'Z'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kPlaceSize = 20;
constexpr std::size_t kKeySize = 8;
constexpr std::uint32_t kAlternate = 0x80000000u;

void Put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void PutFloat(std::string& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    Put32(out, bits);
}

std::uint32_t Get32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

float GetFloat(const std::uint8_t* at) {
    const std::uint32_t bits = Get32(at);
    float value = 0;
    std::memcpy(&value, &bits, 4);
    return value;
}

// The strings of the file, each stored once.
class TextPool {
public:
    std::uint32_t Add(const std::string& text) {
        const auto [it, added] =
            offsets_.try_emplace(text, static_cast<std::uint32_t>(bytes_.size()));
        if (added) {
            bytes_ += text;
            bytes_ += '\0';
        }
        return it->second;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::map<std::string, std::uint32_t> offsets_;
    std::string bytes_;
};

}  // namespace

std::string WriteGazetteerFile(const std::vector<GazetteerPlace>& places, std::string_view credit) {
    TextPool text;
    const std::uint32_t creditAt = text.Add(std::string(credit));
    struct Key {
        const std::string* key;
        std::uint32_t population;
        std::uint32_t place;  // with kAlternate
    };
    std::vector<Key> keys;
    std::vector<std::uint32_t> nameAt;
    for (std::uint32_t i = 0; i < places.size(); ++i) {
        nameAt.push_back(text.Add(places[i].name));
        for (const std::string& key : places[i].keys) {
            keys.push_back({&key, places[i].population, i});
        }
        for (const std::string& key : places[i].alternateKeys) {
            keys.push_back({&key, places[i].population, i | kAlternate});
        }
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        const std::uint32_t aPlace = a.place & ~kAlternate;
        const std::uint32_t bPlace = b.place & ~kAlternate;
        return std::tie(*a.key, b.population, aPlace, a.place) <
               std::tie(*b.key, a.population, bPlace, b.place);
    });
    // One entry per key and place: a name may be both the place's own and an alternate one.
    keys.erase(std::unique(keys.begin(), keys.end(),
                           [](const Key& a, const Key& b) {
                               return *a.key == *b.key &&
                                      (a.place & ~kAlternate) == (b.place & ~kAlternate);
                           }),
               keys.end());
    std::vector<std::uint32_t> keyAt;
    for (const Key& key : keys) {
        keyAt.push_back(text.Add(*key.key));
    }

    std::string out(kMagic, 4);
    Put32(out, kVersion);
    Put32(out, static_cast<std::uint32_t>(places.size()));
    Put32(out, static_cast<std::uint32_t>(keys.size()));
    Put32(out, static_cast<std::uint32_t>(text.Bytes().size()));
    Put32(out, creditAt);
    out.append(8, '\0');
    for (std::size_t i = 0; i < places.size(); ++i) {
        PutFloat(out, places[i].latitude);
        PutFloat(out, places[i].longitude);
        Put32(out, places[i].population);
        Put32(out, nameAt[i]);
        std::string iso2 = places[i].iso2;
        iso2.resize(2, ' ');
        out += iso2;
        out.append(2, '\0');
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        Put32(out, keyAt[i]);
        Put32(out, keys[i].place);
    }
    out += text.Bytes();
    return out;
}

std::optional<GazetteerFile> GazetteerFile::Read(std::vector<std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, 4) != 0 ||
        Get32(bytes.data() + 4) != kVersion) {
        return std::nullopt;
    }
    GazetteerFile file;
    file.placeCount_ = Get32(bytes.data() + 8);
    file.keyCount_ = Get32(bytes.data() + 12);
    file.textSize_ = Get32(bytes.data() + 16);
    file.credit_ = Get32(bytes.data() + 20);
    file.placesAt_ = kHeaderSize;
    const std::uint64_t keysAt = kHeaderSize + std::uint64_t{kPlaceSize} * file.placeCount_;
    const std::uint64_t textAt = keysAt + std::uint64_t{kKeySize} * file.keyCount_;
    if (textAt + file.textSize_ != bytes.size() || file.textSize_ == 0 || bytes.back() != 0 ||
        file.credit_ >= file.textSize_) {
        return std::nullopt;
    }
    file.keysAt_ = static_cast<std::size_t>(keysAt);
    file.textAt_ = static_cast<std::size_t>(textAt);
    // Every offset inside the text, which ends in a NUL, so that every string read ends in it.
    for (std::size_t i = 0; i < file.placeCount_; ++i) {
        if (Get32(bytes.data() + file.placesAt_ + i * kPlaceSize + 12) >= file.textSize_) {
            return std::nullopt;
        }
    }
    for (std::size_t i = 0; i < file.keyCount_; ++i) {
        const std::uint8_t* key = bytes.data() + file.keysAt_ + i * kKeySize;
        if (Get32(key) >= file.textSize_ || (Get32(key + 4) & ~kAlternate) >= file.placeCount_) {
            return std::nullopt;
        }
    }
    file.bytes_ = std::move(bytes);
    return file;
}

std::string_view GazetteerFile::Credit() const {
    return TextAt(credit_);
}

std::string_view GazetteerFile::TextAt(std::uint32_t offset) const {
    return std::string_view(reinterpret_cast<const char*>(bytes_.data() + textAt_ + offset));
}

std::string_view GazetteerFile::KeyAt(std::size_t i) const {
    return TextAt(Get32(bytes_.data() + keysAt_ + i * kKeySize));
}

std::size_t GazetteerFile::LowerBound(std::string_view key) const {
    std::size_t first = 0;
    std::size_t count = keyCount_;
    while (count > 0) {
        const std::size_t half = count / 2;
        if (KeyAt(first + half) < key) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return first;
}

FoundPlace GazetteerFile::PlaceOfKey(std::size_t i) const {
    const std::uint32_t entry = Get32(bytes_.data() + keysAt_ + i * kKeySize + 4);
    const std::uint8_t* place = bytes_.data() + placesAt_ + (entry & ~kAlternate) * kPlaceSize;
    FoundPlace found;
    found.index = entry & ~kAlternate;
    found.latitude = GetFloat(place);
    found.longitude = GetFloat(place + 4);
    found.population = Get32(place + 8);
    found.name = TextAt(Get32(place + 12));
    found.iso2 = std::string_view(reinterpret_cast<const char*>(place + 16), 2);
    found.alternateName = (entry & kAlternate) != 0;
    return found;
}

}  // namespace mapwell
