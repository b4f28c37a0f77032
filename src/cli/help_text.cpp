#include "cli/help_text.h"

#include "cli/tool_text.h"

namespace selmarind::cli {

std::string HelpText() {
    return R"(Usage:
  selmarind-chart --name NAME --date YYYY-MM-DD --time HH:MM[:SS]
                  (--zone ZONE [--dst] | --tz ZONE-ID [--dst] | --utc-offset ±HH:MM)
                  --lat 28N36 --lon 77E13 [--city C] [--state S] [--country K]
                  [--positions classic|precise] [--sunrise limb|centre]
                  [--ayanamsa NAME|DEGREES]
                  [--json] [--dasha] [--save-record FILE]
                  [--svg FILE [--style south|north|east] [--points]]
  selmarind-chart --name NAME --date ... --time ... --place "NAME[, DIV][, COUNTRY]"
                  [--dst | --utc-offset ±HH:MM] [other options as above]
  selmarind-chart --record FILE [--positions P] [--sunrise S] [--ayanamsa A]
                  [--json] [--dasha] [--save-record FILE]
                  [--svg FILE [--style S] [--points]]
  selmarind-chart --batch FILE|- [--jobs N] [--dasha]
  selmarind-chart --find-place QUERY
  selmarind-chart --list-zones | --help | --version

Computes the sidereal chart of one birth and its Torvi Lagna, the sign that
holds the lord of the ascendant's sign.

Birth options:
  --name NAME        letters and spaces only; written in capitals
  --date YYYY-MM-DD  birth date, years 1901 to 2050 (1800 to 2399 with
                     --positions precise)
  --time HH:MM[:SS]  local clock time of the birth, 0:00 to 23:59:59
  --zone ZONE        time zone: its index 0 to 70, or its text exactly as
                     --list-zones shows it (quote it: "Indian Time, IST, +5.3")
  --lat 28N36        latitude: degrees (at most 2 digits, 0 to 89), N or S,
                     minutes (at most 2 digits, 0 to 59)
  --lon 77E13        longitude: degrees (at most 3 digits, 0 to 179), E or W,
                     minutes (at most 2 digits, 0 to 59)
  --dst              with --zone: daylight saving time was in force (the
                     form's box: one hour off the zone's time). With --tz or
                     --place: the birth was in daylight-saving time; it picks
                     the daylight-saving offset of an hour the clocks skipped
                     or repeated, and is refused where the zone kept standard
                     time then. Daylight saving is the offset ahead of the
                     zone's smallest one of that year (Irish summer time)
  --city C, --state S, --country K
                     place names, shown as given

Places and zones from the atlas and the tz database:
  --place "NAME[, DIVISION][, COUNTRY]"
                     the best match of the atlas gives the coordinates
                     (rounded to the minute), the zone and the place names
                     (--city, --state, --country still win); in place of
                     --lat, --lon, --zone and --tz. No match: status 2 with
                     the near matches
  --tz ZONE-ID       an IANA zone ("Asia/Kolkata") in place of --zone, with
                     --lat and --lon
  --utc-offset ±HH:MM[:SS]
                     the whole UTC offset in force (east positive, daylight
                     saving included), in place of --zone; with --tz or
                     --place it must be one the zone used then, which settles
                     an hour the clocks skipped or repeated
                     With these the offset in force at the birth's local
                     date and time (1800 to 2399) selects the list entry of
                     that offset and the zone's abbreviation (box unticked),
                     or an extra entry with the exact offset where no entry
                     has both ("Europe/Madrid, +02:00 CEST",
                     "Asia/Kathmandu, +05:45"). A
                     local time that did not exist or happened twice is
                     refused with status 2 naming both offsets, unless --dst
                     or --utc-offset settles it
  --find-place QUERY the places matching QUERY, best first, at most 20

Positions:
  --positions classic|precise
                     classic (default): the built-in theory of the windows'
                     worked examples; precise: the Swiss Ephemeris with
                     the chosen ayanamsa
  --sunrise limb|centre
                     when the Sun counts as risen for the precise positions:
                     its upper limb with refraction (default) or the centre
                     of its disc without; the classic positions keep their
                     own rule
  --ayanamsa lahiri|true-chitra|raman|krishnamurti|yukteshwar|fagan-bradley|
             true-pushya|DEGREES
                     the sidereal zodiac of the precise positions, all with
                     nutation: Lahiri (default), True Chitrapaksha, Raman,
                     Krishnamurti, Yukteshwar, Fagan-Bradley, True Pushya,
                     or the user's DEGREES (0 to 40) at 2000-01-01 12:00,
                     moved by precession. The classic positions keep their
                     built-in ayanamsa: any other is refused (status 2)

Records:
  --record FILE      computes from a birth record (*.selmarind); its position
                     source, sunrise and ayanamsa apply unless --positions,
                     --sunrise or --ayanamsa is given, which win. No other
                     birth option goes with it
  --save-record FILE also writes the birth as a record, replacing FILE whole
                     or not at all; the chart is printed only once it is saved

Output:
  (default)          a readable report: details, positions (retrograde
                     planets marked (R)), sunrise and sunset ("none" where
                     the Sun does not rise or set that day), the chart as a
                     South Indian square (TL marks the Torvi Lagna), the
                     Torvi Lagna's sign, house and significance, the sign's
                     attributes and five prediction paragraphs, then the
                     Navamsa: each body's D9 sign, the Navamsa drawn the
                     same way and a sentence naming its Torvi Lagna
  --json             one JSON object: "form" holds every text of the result
                     form by control name, "chart" the computed values with
                     "positions", "ephemeris", "sunrise" (the rule used:
                     always limb with classic) and "BirthUniversal";
                     with --place, --tz or --utc-offset also "place": name,
                     division, country (null without --place), latitude,
                     longitude (degrees, north and east positive), timeZone,
                     utcOffsetSeconds, zoneIndex (null for the extra entry),
                     dst (null with --utc-offset alone). "chart"."navamsa"
                     gives each body's D9 sign abbreviation by body name and
                     "TorviLagnaSign"; "chart" ends with "style", the style
                     of --style (south without it)
  --svg FILE         also draws the chart as an SVG picture, replacing FILE
                     whole or not at all, before the report or JSON is
                     printed: a header with the name, date, time, place and
                     position source, then one group per sign
                     (<g class="cell" data-sign="1..12" data-house="1..12">,
                     houses counted from the ascendant's sign) holding its
                     texts; FILE may not be "-", the record of --record
                     or --save-record, nor the file standard output goes
                     to. Not with --batch
  --style south|north|east
                     with --svg: the South Indian square (default), the
                     North Indian diamond (house 1 at the top centre) or the
                     East Indian square (Aries at the top centre)
  --points           with --svg: the special points (GL, HL, BL, IL, VL, SL,
                     ViL) and the arudhas (AL, A2 to A12) in their signs,
                     with a legend under the chart
  --dasha            adds the Vimshottari periods from the Moon at birth:
                     to the report, a section with the balance at birth and
                     the nine periods, each with its nine sub-periods, as
                     dates in the birth's UTC offset; to the JSON (and each
                     --batch line), "chart"."dasha": the nine periods, each
                     with "lord", "start", "end" (ISO 8601 UT instants, e.g.
                     "1980-01-05T03:35:00Z") and "sub" (the same without
                     "sub"); a year of the periods is 365.25 days

Other:
  --batch FILE       one chart per line of a CSV file ("-" reads standard
                     input). The header row names the columns: name, date,
                     time, zone, lat, lon, dst, city, state, country, place,
                     tz, utc-offset, positions, sunrise, ayanamsa (any
                     order; missing columns are empty; dst is 1/0, yes/no
                     or true/false).
                     A field that starts with " may hold commas and "";
                     a quote elsewhere is text. Writes one JSON object per
                     line, in the input's order; a line that fails
                     (a quote left open, longer than 1 MiB, a refused entry)
                     gives {"line": N, "error": "message"} and the other
                     lines are still computed
  --jobs N           threads for --batch, 1 to 256 (default: the number of
                     cores)
  --list-zones       the 71 time zones with their indices
  --help             this text
  --version          the program's name and version

Entries are checked as the birth-data form checks them and in the same
order; the first fault is printed on standard error with the form's message.

Files: the atlas is <data>/atlas/places.tsv.gz, where <data> is
$SELMARIND_DATA_DIR if set, else ../share/selmarind beside the program's
folder. Place data: GeoNames (geonames.org), CC BY 4.0.

Exit status: 0 done; 2 an entry or option was refused (in a batch: at least
one line failed), or no arguments; 1 a file could not be read or written
(the batch, a record, the atlas, the tz database, the ephemeris data, the
output: "cannot write the output: <reason>").
)";
}

std::string VersionText() {
    return std::string(kToolName) + " " + SELMARIND_VERSION + "\n";
}

std::string UsageText() {
    const std::string help = HelpText();
    return help.substr(0, help.find("\n\n") + 1);
}

} // namespace selmarind::cli
