// The layout of the atlas file (data/atlas/places.tsv.gz), written by
// tools/atlas_generator and read by LoadAtlas.
//
// The file is gzip (zlib, no file name, modification time 0) around UTF-8
// text of tab-separated lines ending in "\n". Lines beginning with "#" come
// first and are comments. Then, in this order:
//
//   selmarind-atlas 2                      the format tag and version
//   zones N                                then N lines: an IANA zone id
//   countries N                            then N lines: ISO 3166 alpha-2 code,
//                                          name, ASCII name (empty: same as name)
//   divisions N                            then N lines: country line (0-based),
//                                          name, ASCII name (empty: same as name);
//                                          each country has one division of empty
//                                          name for places GeoNames gives none
//   places N                               then N lines, by GeoNames id ascending:
//       id step from the previous line (the first: the id itself), name,
//       ASCII name (empty: same as name), division line, latitude and
//       longitude in units of 0.00001 degree (north and east positive),
//       population, zone line
//   former N                               then N lines: former name, its ASCII
//                                          name (empty: same), GeoNames id
//   names N                                then N lines: search text, place
//                                          line (0-based), kind
//   end
//
// Every ASCII name is plain ASCII: GeoNames' own ASCII name where it gives
// one, otherwise the name through TransliterateToAscii.
//
// The names section holds every name a place is searched by, as search
// text (FoldForSearch): the name, the name with its umlauts spelled out,
// the ASCII name, the curated former names and GeoNames' alternate names
// (exonyms, local scripts, older names) with their umlauts spelled out too,
// each search text once per place. Its lines are sorted by the bytes of
// the search text, then by place line, and no two are equal. The kind is
// empty for the place's own name or ASCII name, "a" for an alternate name,
// or the line (0-based) of the former name in the former section.
#pragma once

#include <string_view>

namespace selmarind::atlas_format {

inline constexpr std::string_view kFormatTag = "selmarind-atlas 2";
inline constexpr std::string_view kZones = "zones";
inline constexpr std::string_view kCountries = "countries";
inline constexpr std::string_view kDivisions = "divisions";
inline constexpr std::string_view kPlaces = "places";
inline constexpr std::string_view kFormer = "former";
inline constexpr std::string_view kNames = "names";
inline constexpr std::string_view kAlternateKind = "a";
inline constexpr std::string_view kEnd = "end";

// Coordinates are whole multiples of this many degrees.
inline constexpr int kCoordinateUnitsPerDegree = 100000;

} // namespace selmarind::atlas_format
