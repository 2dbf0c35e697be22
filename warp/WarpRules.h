#pragma once
// What the warpage and stress wizard decides from its inputs alone, without
// a window: whether an analysis may be prepared at all, which pages and
// advanced tabs apply, and the enabling rules of its pages.
#include <string>
#include <vector>

// What an earlier warpage result (the nearest one above the start node)
// and the working file say, for the preparation rules.
struct SWarpPreparation {
    bool stress = false;
    bool hasPrevWarpage = false;
    std::string prevAim;          // "3DSTRUCT_ANALYSIS_AIM" of the earlier analysis
    std::string prevOutputStress; // its "3DSTRUCT_OUTPUT_STRESS"
    bool prevFileWritable = false;
    bool shrinkageSource = false; // the working file's shrinkage-source flag
    bool hasResidualData = false; // the working file has shrinkage or fiber data
};

enum class WarpVerdict {
    kGoOn,
    kRefuseStress,      // a stress analysis cannot follow that warpage result
    kAskOutputStress,   // it can once the earlier analysis writes its stresses
    kRefuseWarpage,     // a warpage analysis cannot follow that warpage result
    kRefuseNoResidual,  // no residual stress or strain to start from
};

// The preparation rule that applies, in the order they are checked.
WarpVerdict DecidePreparation(const SWarpPreparation& in);

// A single-variate study: one cause of warpage isolated.
bool IsSingleVariateAim(const std::string& aimToken);

// Whether the wizard may stop on the page of `templateId`, given the
// current aim and load increment method (indices of their tokens).
bool IsWarpPageEnabled(unsigned templateId, bool stress, bool hasPrevWarpage, int aim, int controlMethod);

// The optional tab of the advanced options, by aim.
enum class WarpAdvTab { kNone, kNonLinear, kLoadFactor };
WarpAdvTab OptionalAdvancedTab(int aim);

// The element rule: a multi-layer orthotropic model cannot use CST3.
// Returns the element index to show; `cst3Enabled` says whether CST3 may
// be chosen.
int ApplyElementRule(bool multiLayer, int element, bool& cst3Enabled);

// Which increment pair of the load increment page shows for `method`.
struct SIncrementFields {
    bool displacement = false; // first displacement increment (AUTO)
    bool load = false;         // first load increment (ARC)
};
SIncrementFields IncrementFieldsFor(int controlMethod);

// Which sensitivity fields a variate choice enables: cooling (with the
// corner check), shrinkage, orientation.
struct SVariateFields {
    bool cooling = false;
    bool shrinkage = false;
    bool orientation = false;
};
SVariateFields VariateFieldsFor(int variate);

// The path a stored boundary condition stands for: a name without an
// extension is an ".exl" file.
std::string BoundaryConditionPath(const std::string& stored);

// The parts to write for the parts chosen: the numbers of the chosen parts,
// or nothing (the keyword removed) when none or every entry is chosen.
// `chosen` are attribute numbers (entries without one left out), `entries`
// the number of entries in the list.
std::vector<int> PartsToWrite(const std::vector<int>& chosen, int entries);

// The attribute numbers of a stored parts list, and the list's text (items
// joined as a keyword file continues a value over lines).
std::vector<int> ParsePartNumbers(const std::string& value);
std::string FormatPartNumbers(const std::vector<int>& numbers);
