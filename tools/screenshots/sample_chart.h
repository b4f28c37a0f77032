// A sample birth, used to show every window with a real chart (the
// screenshot tool, and the window tests).
#pragma once

#include "input/birth_entries.h"

class QWidget;

namespace selmarind {

// 14 August 1987, 6:30 in Bangalore (12° 58' N, 77° 35' E), Indian time:
// ascendant in Leo, Saturn retrograde, the Torvi Lagna in Cancer.
BirthEntries SampleBirthEntries();

// The sample birth with the longest texts the form meets: a 40-letter
// name, a 60-letter city and the longest country name in common use, to
// show that long values wrap or are cut without moving the chart.
BirthEntries LongNameBirthEntries();

// Types `entries` into the controls of the birth-data form `frmMain`, as a
// user would leave them.
void EnterBirthData(QWidget& frmMain, const BirthEntries& entries);

} // namespace selmarind
