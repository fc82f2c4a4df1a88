#include "app/step_windows.h"

// The viewers are not part of the program yet; their
// buttons open nothing until they are.
namespace tc {

void ViewJournals(TMK&, QWidget*) {}
void ViewOscilloscope(TMK&, QWidget*) {}

}  // namespace tc
