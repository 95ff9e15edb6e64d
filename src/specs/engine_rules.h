// What the Engine window decides about its rows, kept apart from the widgets:
// how the power curve is described (the method row and a linked example's
// own method), which rows that switches on, the "left over" notices when the
// method changes, the check that peak torque comes before peak HP, and the
// texts of its messages.
#pragma once

#include <string>
#include <string_view>

namespace sw {

// Choices of the method row (" Method of Describing Power Curve").
namespace engine_method {
inline constexpr int kNone = -1;
inline constexpr int kPeakHp = 0;         // peak horsepower figures only
inline constexpr int kPeakTorqueHp = 1;   // peak torque and peak horsepower
inline constexpr int kFullCurve = 2;      // the power-curve grid
inline constexpr int kPickExample = 3;    // opens the engine examples; never stays picked
inline constexpr int kLinkedExample = 4;  // the linked example's name: acts as its own method
}  // namespace engine_method

// Slots of the engine example link in the Engine slice of SpecText.
inline constexpr int kEngineNameSlot = 13;
inline constexpr int kEngineMarkerSlot = 14;  // the linked example's own method

// The method that decides the rows: the pick, or for the linked example's
// item the method held in the marker slot (its integer part).
int EffectiveEngineMethod(int pick, std::string_view marker);

struct EngineRowStates {
  bool peakTorque = true;  // rows 2-3
  bool peakHp = true;      // rows 4-5
  bool curve = false;      // the power-curve grid, plot and their buttons
};
EngineRowStates EngineRowStatesFor(int effectiveMethod);

// The notice a change of the method row shows, from the pick before to the
// new one (the marker slot says what a linked example used).
enum class LeftOverNotice { None, CurveToPeaks, PeaksToCurve };
LeftOverNotice LeftOverNoticeFor(int previous, int now, std::string_view marker);
// «The Torque and HP specs which will now be activated are not related to ...»
std::string LeftOverNoticeText(LeftOverNotice notice, int now);

// The peak-RPM check runs when the engine is described by peak torque and
// peak HP: method 1, or a linked example whose own method is 1.
bool PeakRpmCheckApplies(std::string_view method, std::string_view marker);
// True when the stored peak-torque RPM lies above the peak-HP RPM.
bool PeakRpmImpossible(std::string_view torqueRpm, std::string_view hpRpm);
inline constexpr const char* kImpossibleRpmTitle = "Impossible RPM Combination";
std::string ImpossibleRpmText(std::string_view torqueRpm, std::string_view hpRpm);

// The notice of a program started by Cylvane, at the Engine window's first
// activation.
inline constexpr const char* kCurveAvailableTitle = "Cylvane Power Curve Available";
std::string CurveAvailableText(bool curveMethodChosen);

// "Clear": "Erase all RPM, Torque and HP entries?", naming a linked example.
inline constexpr const char* kEraseCurveTitle = "Erase Power Curve";
std::string EraseCurveQuestion(bool linkedExample, std::string_view exampleName);

// "Load from Cylvane".
inline constexpr const char* kCurveNotFoundTitle = "Power Curve Not Found";
std::string CurveNotFoundQuestion();
inline constexpr const char* kCylvaneNotRunningTitle = "Cylvane Not Running";
std::string CylvaneNotRunningQuestion();

// The engine line of the main window's "Vehicle Summary": how the engine is
// described, its peak figures as entered (the run's curve left alone, so it
// may be built while a calculation waits) and its size, one line break
// ("\n") between head and figures. Like the rest of the summary it rewrites
// the example slots it owns: a method-3 engine takes its kind from slot 14,
// and an engine of the racer's own keeps no example name.
std::string SummaryEngineLine();
// A stored choice number as the summary compares it: 0 for one beyond a
// whole number's range.
int SummaryChoice(int menu, int k);

// The printed plot page.
inline constexpr const char* kGraphCommentTitle = "Graph Comment";
inline constexpr const char* kGraphCommentPrompt = "Enter any comment you would like to have printed with the graph.";
inline constexpr const char* kPlotPageFooter = "Stagewell v3.2";

}  // namespace sw
