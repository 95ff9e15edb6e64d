#include "files/library_list.h"

#include <algorithm>
#include <chrono>

#include "platform/seqfile.h"
#include "platform/text.h"

namespace sw {

namespace fs = std::filesystem;

LibraryKind RetrieveKind(int calcMode, int exampleLibraryMode) {
  switch (calcMode) {
    case 1: return {"Dial In", "DIALIN"};
    case 2: return {"Throttle Stop", "THRTLSTP"};
    default:
      if (exampleLibraryMode == 1) return {"Ex. Vehicle", "XVehicleData"};
      return {"Vehicle", "VEHDAT"};
  }
}

const std::vector<std::string>& LibraryCategories() {
  static const std::vector<std::string> list = {"Show All Files", "Chev",    "Cycle",   "Dodge", "Ford",
                                                "Import",         "Plymouth", "Pontiac", "Race",  "Stock"};
  return list;
}

std::vector<LibraryFile> ListLibraryFolder(const fs::path& folder, bool* readable) {
  std::vector<LibraryFile> files;
  std::error_code ec;
  auto it = fs::directory_iterator(folder, ec);
  if (readable) *readable = !ec;
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code e2;
    if (!it->is_regular_file(e2)) continue;
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    if (IsTemporaryFileName(name)) continue;  // a save under way, or one that was killed
    LibraryFile f;
    f.name = name;
    auto ftime = it->last_write_time(e2);
    if (!e2) {
      auto sys = std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(ftime));
      std::time_t t = std::chrono::system_clock::to_time_t(sys);
      localtime_r(&t, &f.changed);
    }
    files.push_back(std::move(f));
  }
  std::sort(files.begin(), files.end(), [](const LibraryFile& a, const LibraryFile& b) {
    std::string ua = UCase(a.name), ub = UCase(b.name);
    return ua != ub ? ua < ub : a.name < b.name;
  });
  return files;
}

int DateKey(int year, int month, int day) { return (year - 1970) * 1000 + month * 40 + day; }

LibraryListing FillLibraryList(const std::vector<LibraryFile>& files, const std::string& comboText, bool byDate,
                               const std::string& kind) {
  LibraryListing out;
  std::string upper = UCase(comboText);
  out.phrase = upper.find("SHOW ALL FILES") != std::string::npos ? "" : upper;
  out.countCaption = Str(static_cast<double>(files.size())) + " " + kind + "s in Library";
  if (out.phrase.empty() && !byDate) return out;

  // The hidden sorted list: names, or date rows that sort by their key.
  std::vector<std::string> list1;
  for (const auto& f : files) {
    if (UCase(f.name).find(out.phrase) == std::string::npos) continue;
    if (!byDate) {
      list1.push_back(f.name);
      continue;
    }
    int y = f.changed.tm_year + 1900, m = f.changed.tm_mon + 1, d = f.changed.tm_mday;
    std::string date = std::to_string(m) + "/" + std::to_string(d) + "/" + std::to_string(y);
    list1.push_back(Str(DateKey(y, m, d)) + "   " + date + "     " + f.name);
  }
  if (byDate) {
    std::sort(list1.begin(), list1.end());
    for (auto it = list1.rbegin(); it != list1.rend(); ++it)
      out.rows.push_back(Trim(Mid(*it, 7, 14)) + "   " + Trim(Mid(*it, 23)));
  } else {
    out.rows = std::move(list1);
  }
  out.listShown = true;
  return out;
}

std::string ChosenNameFromRow(const std::string& row) {
  size_t p = row.find("   ");
  if (p == std::string::npos) return row;
  return Trim(row.substr(p + 3));
}

bool HoldsOldExamples(const std::vector<LibraryFile>& files) {
  for (const auto& f : files) {
    std::string u = UCase(f.name);
    if (u == "V-6TURBO" || u == "69-MACH1" || u == "89-IROC" || u == "71-MONTE") return true;
  }
  return false;
}

std::string OldExamplesNote() {
  return "It appears you have updated an older Stagewell to Version 3.2.  Version 3.2 keeps its Example Vehicle "
         "Files in a seperate folder, away from Your Saved Vehicles.  If you want these older example files "
         "removed from Your Saved Vehicles, click on Preferences at the top of the Main Screen when these screens "
         "are gone.  Then select one of the Preference Options to Remove Example Vehicle files from your Saved "
         "Vehicles." +
         std::string(1, CR) +
         "Note:  All earlier example vehicles (and more) are included in Version 3.2, in the Example Vehicle "
         "Library.  However, now they all have much longer, more descriptive names.  Therefore, removing them will "
         "not cause problems.";
}

namespace {

std::string At(std::span<const std::string> alt, int k) {
  return k >= 0 && static_cast<size_t>(k) < alt.size() ? alt[static_cast<size_t>(k)] : std::string();
}
double ValAt(std::span<const std::string> alt, int k) { return Val(At(alt, k)); }

}  // namespace

void BuildPreview(int calcMode, std::span<const std::string> alt, bool version2, std::string& label1,
                  std::string& label3) {
  const std::string nl(1, CR);
  label3.clear();
  if (calcMode == 2) {
    label1 = "Preview: " + nl + "Prvs Run 1: " + nl + "   Baro: " + At(alt, 127) + nl + "   Temp: " + At(alt, 128) +
             nl + "   T/S: " + At(alt, 133) + nl + "   ET: " + At(alt, 135) + nl + nl + "Prvs Run 2: " + nl +
             "   Baro: " + At(alt, 147) + nl + "   Temp: " + At(alt, 148) + nl + "   T/S: " + At(alt, 153) + nl +
             "   ET: " + At(alt, 155);
    return;
  }
  if (calcMode == 1) {
    label1 = "Preview: " + nl + "Previous Run: " + nl + "   Baro: " + At(alt, 160) + nl + "   Temp: " +
             At(alt, 161) + nl + "   60 ft: " + At(alt, 167) + nl + "   ET: " + At(alt, 168) + nl + nl +
             "Predicted Run: " + nl + "   Baro: " + At(alt, 169) + nl + "   Temp: " + At(alt, 170);
    return;
  }

  std::string cid, power, rpm, source, trans;
  int gears = 6;
  if (version2) {
    cid = "na";
    power = At(alt, 5);
    rpm = At(alt, 6);
    source = "Pk HP";
    for (int k = 20; k <= 25; ++k)
      if (ValAt(alt, k) == 0) {
        gears = k - 20;
        break;
      }
    trans = At(alt, 14) == "C" ? "Manl" : "Auto";
  } else {
    cid = At(alt, 1);
    double method = ValAt(alt, 0);
    // An example engine keeps its own method in slot 14; older files kept it
    // in slot 13 with the code 5.
    double linked = method >= 4 ? ValAt(alt, 14) : -1;
    double older = method == 5 ? ValAt(alt, 13) : -1;
    if (method == 2 || linked == 2 || older == 2) {
      int best = 0;
      for (int i = 1; i <= 9; ++i)
        if (ValAt(alt, 190 + 3 * i) > ValAt(alt, 190 + 3 * best)) best = i;
      power = At(alt, 190 + 3 * best);
      rpm = At(alt, 188 + 3 * best);
      source = "full curve";
    } else {
      power = At(alt, 4);
      rpm = At(alt, 5);
      source = (method == 1 || linked == 1 || older == 1) ? "Pk Tq && HP" : "Pk HP";
    }
    for (int k = 24; k <= 29; ++k)
      if (ValAt(alt, k) == 0) {
        gears = k - 24;
        break;
      }
    double t = ValAt(alt, 15);
    trans = (t >= 3 && (t != 5 || ValAt(alt, 38) >= 2)) ? "Auto" : "Manl";
  }
  label1 = "Preview: " + std::string(version2 ? " (v2)" : "") + nl + nl + "CID: " + cid + nl + power + " HP @ " +
           rpm + nl + "    " + source + nl + Format(gears, "#") + " Speed" + nl + trans + " Trans";

  std::string weight, axle, drive, area, drag;
  if (version2) {
    weight = At(alt, 28);
    axle = At(alt, 35);
    std::string d = At(alt, 27);
    drive = d == "F" ? "Frnt Whl Drv" : d == "A" ? "All Whl Drv" : "Rear Whl Drv";
    area = At(alt, 37);
    drag = At(alt, 38);
  } else {
    weight = At(alt, 45);
    axle = At(alt, 46);
    double d = ValAt(alt, 49);
    drive = d == 0 ? "Rear Whl Drv" : d == 1 ? "Frnt Whl Drv" : d == 2 ? "All Whl Drv" : "Motorcycle";
    area = At(alt, 55);
    drag = At(alt, 56);
  }
  label3 = "Wt: " + weight + nl + "Axle Ratio: " + axle + nl + nl + drive + nl + "Frnt Area: " + area + nl +
           "Drag Coef: " + drag;
}

std::string RetrieveTipCaption(const std::string& kind) {
  return "Tip: Single click on a " + kind + " name to 'choose it' for possible Opening or Deleting. A 'preview' of that " +
         kind + " will be given in this frame.  Double click on a " + kind +
         " name to immediately Open it without a preview.";
}

std::string ChosenFileCaption(const std::string& kind, const std::string& name) {
  return "Chosen " + kind + " File: " + name;
}

}  // namespace sw
