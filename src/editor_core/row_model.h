// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table of an editor page as rows of the model: its columns, the text of
// every cell, which cells take input and how much, a colour per row where the
// rows are colours, and the edits the table offers (stored cells, a row
// pop-up, a double-click, a move). Each page's rules implement it in the
// core; the editor shows every such table through one part.
#include <optional>
#include <string>
#include <vector>

#include "model/preview_surface.h"
#include "util/text_pair.h"

namespace tc {

struct RowColumn {
  TextPair caption{"", ""};  // header text; a table whose columns have none shows no header
  int width = 0;             // pixels; 0 takes the room left
  int maxDigits = 0;         // > 0: the cells take up to this many digits
  bool handle = false;       // the row number by which a row is dragged
  bool centred = false;
};

// One choice of a row pop-up: an action (id != 0), or a category whose
// choices open beside it. An action with choices of its own opens them as a
// second pop-up where the first one was (`popupName` names it).
struct RowChoice {
  std::string ru{}, en{};  // the caption (item captions come from the catalogue)
  int id = 0;
  std::string name{};  // object name of the action (the device menu item's identifier)
  std::vector<RowChoice> choices{};
  const char* popupName = "";

  const std::string& Caption(bool english) const { return english ? en : ru; }
};

// What an edit did: whether the model changed, and what the user should know
// beyond the obvious (an item pushed out of a full menu), empty otherwise.
struct RowEdit {
  bool changed = false;
  std::string note;
};

class TRowModel {
 public:
  virtual ~TRowModel() = default;

  virtual std::vector<RowColumn> Columns() const = 0;
  // Called before the rows are shown: a model whose rows are derived from the
  // settings (the selected systems) takes them here, so that the rows a user
  // acts on are the rows on show.
  virtual void Sync() {}
  virtual int RowCount() const = 0;
  virtual std::string Cell(int row, int column, bool english) const = 0;
  virtual std::optional<Rgb24> RowColour(int /*row*/) const { return std::nullopt; }

  // Stores the texts of every shown row (all columns) after the user edited
  // cells. Throws RangeError for a value that does not fit; what was stored
  // before it stays.
  virtual RowEdit StoreCells(const std::vector<std::vector<std::string>>&) { return {}; }
  // A double-click on a row.
  virtual RowEdit ActivateRow(int /*row*/) { return {}; }
  // A row dragged by its handle and dropped on another.
  virtual bool Movable() const { return false; }
  virtual RowEdit MoveRow(int /*from*/, int /*to*/) { return {}; }
  // The pop-up of a row (no choices: none) and running one of its actions.
  virtual const char* PopupName() const { return ""; }
  virtual std::vector<RowChoice> RowMenu(int /*row*/) const { return {}; }
  virtual RowEdit RunChoice(int /*row*/, int /*id*/, bool /*english*/) { return {}; }
};

}  // namespace tc
