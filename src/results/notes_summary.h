// The written diagnosis of the last run: what held the car back (converter
// stall or clutch slip, engine RPM drop after a shift, tire spin or power
// limited to the tires), as a one-line summary for the results window and as
// paragraphs for the Notes button. No window code here.
#pragma once

#include <string>

namespace sw {

struct NotesSummary {
  std::string caption;          // the summary line shown on the results window
  bool emphasis = false;        // a serious condition was found
  std::string beginnerMessage;  // prepared when BeginnerNoteState became 1
};

// Examines the last run (the results table, the run totals, the history
// entry 0) and rebuilds NotesText and SpinShiftTime. torquePeakRpm is the
// RPM of peak torque of the engine curve. May set tbl.BeginnerNoteState to 1.
NotesSummary BuildNotesSummary(double torquePeakRpm);

// Shows the beginner message prepared for this run once (BeginnerNoteState
// 1 -> 2).
void ShowBeginnerNote(const NotesSummary& notes);

// The Notes button: the notes of the last run, or why there are none.
void ShowNotes();

}  // namespace sw
