#include "app/step_windows.h"

// The settings editor is not part of the program yet; its button opens
// nothing until it is. The viewers' procedures live with the viewers.
namespace tc {

bool EditSettings(TMK&, QWidget*) {
  return false;
}

}  // namespace tc
