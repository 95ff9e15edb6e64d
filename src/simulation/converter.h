// Torque converter model. The capacity factor K = input RPM / sqrt(input
// torque); the "Converter Capacity" spec is K at stall. Mode "C" derives the
// characteristic from two capacity figures; any other mode text gives, for an
// input RPM and torque, the speed ratio (output / input RPM) and the torque
// ratio (output / input torque) from the characteristic last set up.
#pragma once

#include <cstdint>
#include <string>

namespace sw {

struct ConverterCharacteristic {
  double Klim = 0;    // capacity factor that marks the coupling region
  double Kslope = 0;  // rise of K with speed ratio (0 when the second figure is below stall)
  double SRmax = 0;   // speed ratio above which the speed ratio is compressed
  double Kgain = 0;   // extra speed-ratio gain above 0.8
};

// Working values of the last call in working mode; nothing outside reads them.
struct ConverterScratch {
  double EngineRpm = 0;
  double EngineTorque = 0;
  double Kneed = 0;   // K the engine asks for
  double Kguess = 0;  // K of the current speed-ratio guess
  int16_t Counter = 0;
};

struct ConverterModelState {
  ConverterCharacteristic characteristic;
  ConverterScratch scratch;
};

// The run's converter: mode "C" sets up its characteristic, which then stays
// in effect for every other call until the next set-up.
void ConverterModel(const double& Kstall, const double& K2, double& TorqueRatio, double& SpeedRatio,
                    const double& EngineRpm, const double& EngineTorque, const double& Spare,
                    const std::string& Mode, const double& StallMultiplication);

// The same model on a converter state of the caller's own, so that a search
// with its own converter figures leaves the run's characteristic alone.
void ConverterModelOn(ConverterModelState& state, const double& Kstall, const double& K2, double& TorqueRatio,
                      double& SpeedRatio, const double& EngineRpm, const double& EngineTorque, const double& Spare,
                      const std::string& Mode, const double& StallMultiplication);

// The last stage of the working mode: above a speed ratio of 0.8 the ratio
// gains and is compressed past SRmax and the torque ratio is 1; at or below
// it the torque ratio falls linearly from the stall multiplication at 0 to 1
// at 0.8.
void ConverterOutputRatios(const ConverterCharacteristic& c, double speedRatio, double StallMultiplication,
                           double& TorqueRatio, double& SpeedRatio);

const ConverterModelState& RunConverterState();
void ResetConverterModel();  // back to the state at program start

// Step numbers of the faults this model can report.
inline constexpr int kStepConverterSetUp = 910;
inline constexpr int kStepConverterNeed = 911;   // K needed / stall capacity
inline constexpr int kStepConverterRatio = 912;  // ratio reached by a guess
inline constexpr int kStepConverterTest = 913;   // convergence test

}  // namespace sw
