// The colour palette dialog ("Brindle - Create Color Palette"): the panel's 8-bit colour table
// edited on a working copy (list, change, delete, add, and a table proposed from the current
// window's 8-bit background bitmap), written into the panel only by OK.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "panel/panel.h"

namespace brindle {

// The colours the simulators always have; a proposed table leaves them out.
inline constexpr int kStandardPaletteSize = 203;
extern const std::array<ColorEntry, kStandardPaletteSize> kStandardPalette;
bool IsStandardColour(ColorEntry c);

// The proposed table of an 8-bit bitmap: its palette entries ordered by how many pixels use them
// (identical entries counted as one, standard colours left out), of the first 32 those used more
// than once whose green and blue are both non-zero. `palette` is the colour table, `counts` the
// number of pixels of each index.
std::vector<ColorEntry> ProposePalette(const std::vector<ColorEntry>& palette, std::vector<long long> counts);

class ColorPaletteEditor {
  public:
    static constexpr const char* kCaption = "Brindle - Create Color Palette";

    struct Line {
        std::string text;  // "Color%02d=%d,%d,%d"
        int entry;         // the entry it shows
    };

    explicit ColorPaletteEditor(const Panel& panel);

    int Count() const { return count_; }
    const std::array<ColorEntry, kMaxColors>& Entries() const { return entries_; }
    bool Modified() const { return modified_; }
    // The list: every entry but the black ones. Selection goes by the entry a line shows, so a hidden
    // black entry never shifts it.
    const std::vector<Line>& Lines() const { return lines_; }
    // The list line of the selected entry, or -1.
    int SelectedLine() const;
    int SelectedEntry() const { return selected_; }
    void SelectLine(int line);
    // Selects the line that shows entry `entry`; false when no line does (a black or unused entry).
    bool SelectEntry(int entry);
    // The edits of the selected entry (empty with none selected).
    std::array<std::string, 3> ComponentTexts() const;

    // A panel whose colour table is a palette file: the dialog starts from an empty table and says so;
    // the reference stays unless OK writes a table.
    bool UsesPaletteFile() const { return paletteFile_.has_value(); }
    std::string PaletteFileNote() const;

    // Typing in R (0), G (1) or B (2).
    void MarkEdited(int component);
    bool ApplyEnabled() const { return edited_[0] || edited_[1] || edited_[2]; }
    bool DeleteEnabled() const { return selected_ >= 0; }

    // "Apply" with the three texts as typed; false (after the message) when one is refused.
    bool Apply(const std::array<std::string, 3>& texts);
    // "Delete": the selected entry goes, later ones move down, line 0 is selected.
    bool Delete();
    // "New Color ...": false after the maximum message when the table is full (the chooser is then not
    // shown).
    bool CanAddColor() const;
    // The colour the chooser confirmed.
    bool AddColor(ColorEntry colour);
    // "ReCalculate" from the current window's background bitmap, `bitmapPath` (empty = the window
    // names none). False when it could not be read or is not an 8-bit bitmap; the table is then
    // unchanged.
    bool ReCalculate(const std::string& bitmapPath);

    // OK: a modified working copy goes into the panel.
    void Ok(Panel& panel) const;

  private:
    void Fill();

    std::array<ColorEntry, kMaxColors> entries_{};
    int count_ = 0;
    int selected_ = -1;
    bool modified_ = false;
    std::array<bool, 3> edited_{};
    OwnedText paletteFile_;
    std::vector<Line> lines_;
};

}  // namespace brindle
