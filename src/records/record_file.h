// The birth-record file (*.selmarind): UTF-8 JSON text holding one birth as
// the birth-data form holds it. README.md ("Birth records") describes the
// format for people who read or write it by other means.
#pragma once

#include "records/record_contents.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace selmarind {

enum class RecordFault {
    None,
    Unreadable,   // the file cannot be read at all (missing, a folder, permissions)
    NotARecord,   // not UTF-8 JSON, cut short, or not of this format
    NewerVersion, // saved by a newer program with a version this one does not know
    Malformed,    // a member is missing or of the wrong kind
    Refused,      // a value the form cannot hold or would refuse
};

struct RecordOrFault {
    std::optional<BirthRecordContents> contents; // set only when every check passed
    RecordFault fault = RecordFault::None;
    std::string message; // for the user, as it stands; empty when contents are set
};

// The record text of the contents: members in a fixed order, two-space
// indent, one member per line, LF line ends and a final LF, UTF-8 without a
// byte-order mark. Equal contents give equal bytes.
//
// Contents that pass CheckBirthRecord read back as they were written, with
// one exception: a coordinate is written as a number, so "07" reads back as
// "7" (the chart is the same). Contents that do not pass are written all
// the same, deterministically, and read back as what the form would make of
// them or not at all: list items are written as two digits ("05" and "5"
// alike), a coordinate that is not all digits as a string, which the reader
// refuses, and text that is not UTF-8 with U+FFFD in place of bad bytes.
std::string WriteBirthRecord(const BirthRecordContents& contents);

// The contents of a record, or the reason it cannot be opened. Accepts the
// writer's output and any other JSON text with the same members: unknown
// members are ignored, at any level; a leading byte-order mark is skipped;
// small letters of the name are taken as capitals, as the form's name field
// takes them. Refuses (with the fault and message):
//   - more than kBirthRecordMaxBytes, text that is not UTF-8, not JSON or
//     cut short, nesting deeper than kBirthRecordMaxDepth, a member name
//     given twice in one object, another "format" (NotARecord);
//   - a "version" above kBirthRecordVersion (NewerVersion);
//   - a missing member or one of the wrong JSON type (Malformed);
//   - whatever CheckBirthRecord refuses, with its message (Refused).
RecordOrFault ReadBirthRecord(std::string_view bytes);

// ReadBirthRecord of a file's bytes. A file that cannot be opened or read
// (missing, a folder, no permission) is Unreadable; no more than
// kBirthRecordMaxBytes + 1 bytes are ever read.
RecordOrFault ReadBirthRecordFile(const std::filesystem::path& path);

} // namespace selmarind
