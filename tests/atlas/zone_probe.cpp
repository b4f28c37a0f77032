// Answers zone questions on standard input for zone_differential.py, one
// answer line per question line:
//
//   I ZONE UTC-SECONDS      ->  OFFSET-SECONDS DST(0|1)
//   L ZONE Y M D h m s      ->  KIND OFFSET DST [OFFSET DST]
//                               KIND: U unique, N skipped, A repeated
//
// A question that fails is answered "E " and the message.
#include "atlas/zone_resolution.h"

#include <iostream>
#include <sstream>
#include <string>

using namespace selmarind;

namespace {

void Print(std::ostream& out, const ZoneOffset& offset) {
    out << ' ' << offset.utcOffsetSeconds << ' ' << (offset.daylightSaving ? 1 : 0);
}

} // namespace

int main() {
    std::ios::sync_with_stdio(false);
    const ZoneResolver resolver;
    if (!resolver.Available()) {
        std::cerr << resolver.UnavailableMessage() << "\n";
        return 1;
    }
    std::string line;
    std::string answer;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string kind;
        std::string zone;
        in >> kind >> zone;
        std::ostringstream out;
        if (kind == "I") {
            long long seconds = 0;
            in >> seconds;
            const ZoneOffsetOrFault r = resolver.OffsetAt(zone, seconds);
            if (r.offset) {
                out << r.offset->utcOffsetSeconds << ' ' << (r.offset->daylightSaving ? 1 : 0);
            } else {
                out << "E " << r.message;
            }
        } else if (kind == "L") {
            LocalDateTime local;
            in >> local.year >> local.month >> local.day >> local.hour >> local.minute >>
                local.second;
            const ZoneResolutionOrFault r = resolver.Resolve(zone, local);
            if (r.resolution) {
                const LocalTimeKind k = r.resolution->kind;
                out << (k == LocalTimeKind::Unique        ? 'U'
                        : k == LocalTimeKind::Nonexistent ? 'N'
                                                          : 'A');
                for (const ZoneOffset& candidate : r.resolution->candidates) {
                    Print(out, candidate);
                }
            } else {
                out << "E " << r.message;
            }
        } else {
            out << "E unknown question";
        }
        std::cout << out.str() << '\n';
    }
    return 0;
}
