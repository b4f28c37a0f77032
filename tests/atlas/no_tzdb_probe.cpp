// Run by run_without_tzdb.sh with a stand-in folder over
// /usr/share/zoneinfo: the atlas must still load and search, and zones must
// be reported unavailable, with a message that contains EXPECTED and names
// tzdata, rather than crash or guess.
//
//   no_tzdb_probe ATLAS EXPECTED
//
// Exits 0 when all holds, 1 with the failures on standard error otherwise.
#include "atlas/atlas.h"
#include "atlas/zone_resolution.h"

#include <iostream>
#include <string>

using namespace selmarind;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: no_tzdb_probe ATLAS EXPECTED\n";
        return 2;
    }
    int failures = 0;
    auto check = [&failures](bool holds, const std::string& what) {
        if (!holds) {
            std::cerr << "FAIL: " << what << "\n";
            ++failures;
        }
    };

    const AtlasOrFault loaded = LoadAtlas(argv[1]);
    check(loaded.atlas.has_value(), "the atlas loads: " + loaded.message);
    if (loaded.atlas) {
        const std::vector<PlaceMatch> matches = loaded.atlas->Search("Bombay");
        check(!matches.empty() && matches.front().geonameId == 1275339,
              "\"Bombay\" still finds Mumbai");
    }

    const ZoneResolver resolver;
    check(!resolver.Available(), "zones are reported unavailable");
    check(resolver.UnavailableMessage().find("tzdata") != std::string::npos &&
              resolver.UnavailableMessage().find(argv[2]) != std::string::npos,
          "the message says \"" + std::string(argv[2]) +
              "\" and names tzdata: " + resolver.UnavailableMessage());
    const ZoneResolutionOrFault r = resolver.Resolve("Asia/Kolkata", {1942, 9, 1, 12, 0, 0});
    check(!r.resolution && r.fault == ZoneFault::ZonesUnavailable,
          "a resolution is refused as unavailable: " + r.message);
    std::cout << (failures == 0 ? "ok" : "failed") << ": " << resolver.UnavailableMessage() << "\n";
    return failures == 0 ? 0 : 1;
}
