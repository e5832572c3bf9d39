// The compact gazetteer file that NavServer.exe reads at start: every place with its
// coordinates, population and display name, and a sorted table of filing keys (PlaceKey) and
// postcodes that lead to the places. Written by the gazetteer builder, read in one piece.
//
// Layout, all numbers little-endian:
//   header, 32 bytes: "MWGZ", u32 version 1, u32 places, u32 keys, u32 text bytes,
//                     u32 offset of the credit line in the text, 8 bytes 0
//   places, 20 bytes each: f32 latitude, f32 longitude, u32 population,
//                          u32 offset of the name (ANSI, NUL-terminated), char[2] ISO-2, 2 bytes 0
//   keys, 8 bytes each: u32 offset of the key (ASCII, NUL-terminated), u32 place index
//                       (top bit set: an alternate name), sorted by key, then most populous first
//   text: the NUL-terminated strings
// A postcode is filed as "=" and its digits; a name by its PlaceKey.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// One place as the builder gathers it.
struct GazetteerPlace {
    float latitude = 0;
    float longitude = 0;
    std::uint32_t population = 0;
    std::string name;                        // ANSI
    std::string iso2;                        // "DE"
    std::vector<std::string> keys;           // filing keys of its own name (and postcodes)
    std::vector<std::string> alternateKeys;  // filing keys of its other names
};

std::string WriteGazetteerFile(const std::vector<GazetteerPlace>& places, std::string_view credit);

// A place read back from the file.
struct FoundPlace {
    float latitude = 0;
    float longitude = 0;
    std::uint32_t population = 0;
    std::string_view name;  // ANSI
    std::string_view iso2;
    bool alternateName = false;  // found under one of its other names
    std::uint32_t index = 0;     // which of the file's places
};

// The file's bytes, checked once, with look-ups that read them in place.
class GazetteerFile {
public:
    // nullopt when the bytes are not a whole, well-formed gazetteer file.
    static std::optional<GazetteerFile> Read(std::vector<std::uint8_t> bytes);

    std::size_t PlaceCount() const { return placeCount_; }
    std::string_view Credit() const;

    // Calls `visit` with each place filed under `key`, most populous first, until it returns
    // true; returns whether it did.
    template <typename Visit> bool ForEach(std::string_view key, Visit&& visit) const {
        return ForEachKey(key, false, visit);
    }
    // The same for every key that begins with `prefix`, in the order of the keys.
    template <typename Visit>
    bool ForEachStartingWith(std::string_view prefix, Visit&& visit) const {
        return ForEachKey(prefix, true, visit);
    }

private:
    GazetteerFile() = default;
    template <typename Visit>
    bool ForEachKey(std::string_view key, bool prefix, Visit& visit) const {
        for (std::size_t i = LowerBound(key);
             i < keyCount_ && (prefix ? KeyAt(i).starts_with(key) : KeyAt(i) == key); ++i) {
            if (visit(PlaceOfKey(i))) {
                return true;
            }
        }
        return false;
    }
    std::size_t LowerBound(std::string_view key) const;
    std::string_view KeyAt(std::size_t i) const;
    FoundPlace PlaceOfKey(std::size_t i) const;
    std::string_view TextAt(std::uint32_t offset) const;

    std::vector<std::uint8_t> bytes_;
    std::size_t placeCount_ = 0;
    std::size_t keyCount_ = 0;
    std::size_t placesAt_ = 0;
    std::size_t keysAt_ = 0;
    std::size_t textAt_ = 0;
    std::size_t textSize_ = 0;
    std::uint32_t credit_ = 0;
};

}  // namespace mapwell
