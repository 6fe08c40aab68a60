// The child of the kill test: saves the three files of generation N, N + 1, N + 2, ... into a folder
// until it is killed. It writes one byte to its standard output when it starts saving, so the test
// knows the program has loaded, and then one per generation saved.
//
//   quorvax_save_loop FOLDER FIRST_GENERATION
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "generations.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string folder = argv[1];
  int generation = std::atoi(argv[2]);
  const char tick = '.';
  if (::write(STDOUT_FILENO, &tick, 1) != 1) return 3;
  for (;; ++generation) {
    if (!qv::kill_test::SaveGeneration(folder, generation)) return 1;
    if (::write(STDOUT_FILENO, &tick, 1) != 1) return 3;
  }
}
