// tripconf: the desktop program.
#include "app/application.h"

int main(int argc, char** argv) {
  tc::TApplication app(argc, argv);
  return tc::RunProgram(app);
}
