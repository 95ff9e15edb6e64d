#include "results/output_definitions.h"

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"

namespace sw {

bool ReadOutputDefinition(int clickedCol, std::string& definition) {
  definition.clear();
  SeqReader in;
  if (!in.Open(ProgramPath("TEXT/OUTHELP.TXT"))) {
    definition = "(not available: the definitions file TEXT/OUTHELP.TXT could not be read)";
    return false;
  }
  for (int k = 0; k <= clickedCol; ++k) {
    if (in.Eof()) break;
    definition = in.LineInput();
  }
  return true;
}

std::string ResultDefinitionMessage(const std::string& heading, const std::string& value, const std::string& time,
                                    const std::string& speed, const std::string& distance,
                                    const std::string& definition) {
  const std::string cr2 = std::string(1, CR) + CR;
  return heading + "  =  " + value + " at the conditions:" + cr2 + time + " sec,    " + speed + " MPH,    " +
         distance + " feet     into the run." + cr2 + "Definition of " + heading + ":  " + definition;
}

std::string HistoryDefinitionMessage(const std::string& heading, const std::string& definition) {
  return "Definition of '" + heading + "':  " + definition;
}

}  // namespace sw
