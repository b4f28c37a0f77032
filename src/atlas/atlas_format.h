// The layout of the atlas file (data/atlas/places.tsv.gz), written by
// tools/atlas_generator and read by LoadAtlas.
//
// The file is gzip (zlib, no file name, modification time 0) around UTF-8
// text of tab-separated lines ending in "\n". Lines beginning with "#" come
// first and are comments. Then, in this order:
//
//   selmarind-atlas 1                      the format tag and version
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
//   end
//
// Every ASCII name is plain ASCII: GeoNames' own ASCII name where it gives
// one, otherwise the name through TransliterateToAscii.
#pragma once

#include <string_view>

namespace selmarind::atlas_format {

inline constexpr std::string_view kFormatTag = "selmarind-atlas 1";
inline constexpr std::string_view kZones = "zones";
inline constexpr std::string_view kCountries = "countries";
inline constexpr std::string_view kDivisions = "divisions";
inline constexpr std::string_view kPlaces = "places";
inline constexpr std::string_view kFormer = "former";
inline constexpr std::string_view kEnd = "end";

// Coordinates are whole multiples of this many degrees.
inline constexpr int kCoordinateUnitsPerDegree = 100000;

} // namespace selmarind::atlas_format
